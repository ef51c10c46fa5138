#pragma once
// The system's own sentence for an error code (a Win32 error or an HRESULT).
#include "win32/WinApi.h"

#include <string>

namespace qx::win32 {

// The sentence without its closing line break; empty when the system has none.
std::string SystemText(DWORD code);
// The same without its closing full stop, as it is quoted inside a longer message.
std::string SystemWording(DWORD code);

} // namespace qx::win32
