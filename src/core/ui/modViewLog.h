#pragma once
// View Log File of the main window's Options menu: offers to create a missing
// log, then shows it in Notepad.
#include "core/platform/IFileSystem.h"
#include "core/platform/IShell.h"
#include "core/platform/IUserInterface.h"
#include "core/ui/cMessages.h"

#include <string>

namespace qx {

// True when Notepad was started. A missing file is created only when the user
// agrees; a failed creation is reported and Notepad is not started.
bool ViewLogFile(IFileSystem& fs, IUserInterface& ui, IShell& shell, const cMessages& messages,
                 const std::string& logPath, WindowHandle owner);

} // namespace qx
