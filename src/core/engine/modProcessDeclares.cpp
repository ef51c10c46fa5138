#include "core/engine/modProcessDeclares.h"

namespace qx {

bool HasTopLevelWindow(IProcessWindowServices& os, std::uint32_t processId) {
    return !os.EnumWindows([&](WindowHandle w) { return os.GetWindowThreadProcessId(w) != processId; });
}

} // namespace qx
