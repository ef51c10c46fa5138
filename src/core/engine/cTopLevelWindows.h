#pragma once
// The top-level windows of the system at one moment, grouped by the process
// that owns them. Closing many programs walks the system's windows once per
// pass instead of once per program and pass.
#include "core/platform/IProcessWindowServices.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

namespace qx {

class cTopLevelWindows {
public:
    // Replaces what was known by one enumeration of the top-level windows.
    void Take(IProcessWindowServices& os);
    // The windows of that process, in the system's order (top first).
    const std::vector<WindowHandle>& Of(std::uint32_t processId) const;

private:
    std::unordered_map<std::uint32_t, std::vector<WindowHandle>> byProcess_;
};

} // namespace qx
