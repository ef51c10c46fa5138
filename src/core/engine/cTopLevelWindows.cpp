#include "core/engine/cTopLevelWindows.h"

namespace qx {

void cTopLevelWindows::Take(IProcessWindowServices& os) {
    byProcess_.clear();
    // Owners are read after the walk so that windows closing meanwhile do
    // not disturb the enumeration itself.
    std::vector<WindowHandle> windows;
    os.EnumWindows([&](WindowHandle w) {
        windows.push_back(w);
        return true;
    });
    for (const WindowHandle w : windows) byProcess_[os.GetWindowThreadProcessId(w)].push_back(w);
}

const std::vector<WindowHandle>& cTopLevelWindows::Of(std::uint32_t processId) const {
    static const std::vector<WindowHandle> none;
    const auto it = byProcess_.find(processId);
    return it == byProcess_.end() ? none : it->second;
}

} // namespace qx
