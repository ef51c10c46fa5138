#pragma once
#include "core/platform/IProcessWindowServices.h"

namespace qx {

// Whether the process owns any top-level window at all (visible or hidden,
// any class): the enumeration stops at the first one found.
bool HasTopLevelWindow(IProcessWindowServices& os, std::uint32_t processId);

} // namespace qx
