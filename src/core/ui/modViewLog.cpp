#include "core/ui/modViewLog.h"

namespace qx {

std::string ViewLogParameters(const std::string& logPath) { return "\"" + logPath + "\""; }

bool ViewLogFile(IFileSystem& fs, IUserInterface& ui, IShell& shell, const cMessages& messages,
                 const std::string& logPath, WindowHandle owner) {
    if (!fs.NormalFileExists(logPath)) {
        if (ui.MessageBox(logPath + messages[cMessages::kLogNotFound], kMbYesNo | kMbIconQuestion) != kIdYes)
            return false;
        if (!fs.WriteFile(logPath, {})) {
            ui.MessageBox(messages[cMessages::kUnableToCreateLog], kMbOk | kMbIconCritical);
            return false;
        }
    }
    return shell.ShellExecute(owner, {}, "Notepad.exe", ViewLogParameters(logPath), {}, kSwShowNormal);
}

} // namespace qx
