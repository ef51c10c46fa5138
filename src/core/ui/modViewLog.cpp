#include "core/ui/modViewLog.h"

namespace qx {

bool ViewLogFile(IFileSystem& fs, IUserInterface& ui, IShell& shell, const cMessages& messages,
                 const std::string& logPath, WindowHandle owner) {
    // A hidden or system log is still the log: it only needs showing.
    if (!fs.PathExists(logPath) || fs.IsDirectory(logPath)) {
        if (ui.MessageBox(logPath + messages[cMessages::kLogNotFound], kMbYesNo | kMbIconQuestion) != kIdYes)
            return false;
        // Appending creates the file without truncating anything that appeared meanwhile.
        if (fs.OpenAppend(logPath) == nullptr) {
            ui.MessageBox(messages[cMessages::kUnableToCreateLog], kMbOk | kMbIconCritical);
            return false;
        }
    }
    // Quoted, so that a path with blanks reaches Notepad as one argument.
    return shell.ShellExecute(owner, {}, "Notepad.exe", "\"" + logPath + "\"", {}, kSwShowNormal);
}

} // namespace qx
