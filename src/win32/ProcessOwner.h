#pragma once
// Who a process runs for and which processes host services, for the real
// process port's kill-all questions.
#include "core/platform/IProcessWindowServices.h"
#include "win32/WinApi.h"

#include <cstdint>
#include <vector>

namespace qx::win32 {

// The token's user and session. False when the token cannot be opened or read.
bool QueryTokenOwner(HANDLE process, ProcessOwner& owner);
// Every process id the service manager lists for an active Win32 service.
bool QueryServiceProcessIds(std::vector<std::uint32_t>& ids);

} // namespace qx::win32
