#pragma once
// Whether the system treats a process as critical (ending it stops the
// machine), for the real process port's IsProcessCritical.
#include "win32/WinApi.h"

namespace qx::win32 {

// False when the system cannot tell: neither kernel32's IsProcessCritical
// (Windows 8.1 on) nor ntdll's break-on-termination flag (older NT 6) is
// available, or the handle lacks query access.
bool QueryProcessCritical(HANDLE process, bool& critical);

} // namespace qx::win32
