#include "core/startup/modCommandLineRun.h"

#include "core/startup/cCommandLineKill.h"
#include "core/startup/cProgramSession.h"
#include "core/ui/modResourceText.h"

namespace qx {

void ShowUsage(cPlatform& platform, IConsole& console, const std::string& versionLine) {
    std::string usage = LoadResourceText(platform.strings, cCommandLineKill::kUsageTextId);
    if (!versionLine.empty()) usage += "\r\n\r\n" + versionLine;
    // A box would hold a script up until somebody clicks it.
    if (console.CanShowOutput()) console.WriteOutput(usage);
    else platform.ui.MessageBox(usage, kMbOk | kMbIconInformation);
}

int RunCommandLine(cPlatform& platform, IConsole& console, const std::string& programFolder,
                   const std::string& commandLine, bool consoleTwin) {
    cProgramSession session(platform, programFolder);
    session.SetConsole(&console, consoleTwin);
    if (session.Load(commandLine)) session.Close();
    return session.ExitCode();
}

} // namespace qx
