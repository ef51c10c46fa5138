// Entry point: the real ports, then one program session. With a command line
// the session closes the programs it names and the process ends without a
// window; its exit code tells a script how the run went.
#include "core/startup/cCommandLineKill.h"
#include "core/startup/cProgramSession.h"
#include "core/startup/modCommandLineRun.h"
#include "win32/WideText.h"
#include "win32/WinApi.h"
#include "win32/cWin32Console.h"
#include "win32/cWin32Platform.h"
#include "win32/WindowHandle.h"
#include "win32/fQXMain.h"
#include "win32/modMainForms.h"
#include "win32/modProgramVersion.h"

namespace {

// Window mode: the main window until the user closes it.
int RunWindow(qx::cPlatform& platform, qx::win32::cWin32UserInterface& ui, const std::string& programFolder,
              const std::string& commandLine, int showCommand) {
    using namespace qx::win32;
    fQXSplash splash;
    fQXMain main(platform, programFolder, MakeMainForms(splash));
    if (!main.Create()) return qx::cProgramSession::kExitStartFailed;
    ui.SetMainWindow(ToWindowHandle(main.Hwnd()));
    if (main.Load(commandLine, showCommand)) {
        main.RunMessageLoop();
    } else if (main.StartupFailed()) {
        return qx::cProgramSession::kExitStartFailed;
    } else {
        main.Close(); // a refused login ends the program without a word
    }
    ui.SetMainWindow(0);
    return qx::cProgramSession::kExitDone;
}

int Run(PWSTR rawCommandLine, int showCommand) {
    using namespace qx;
    using namespace qx::win32;
    cWin32Platform ports;
    cPlatform& platform = ports.platform;
    cWin32UserInterface& ui = ports.ui;
    cWin32SystemFacts& facts = ports.facts;
    const std::string commandLine = Narrow(rawCommandLine == nullptr ? L"" : rawCommandLine);

    cWin32Console console;

    if (cCommandLineKill::IsHelpRequest(commandLine)) {
        ShowUsage(platform, console, ProgramVersionLine());
        return cProgramSession::kExitDone;
    }
    if (!cProgramSession::IsCommandLineMode(commandLine))
        return RunWindow(platform, ui, facts.ProgramFolder(), commandLine, showCommand);
    return RunCommandLine(platform, console, facts.ProgramFolder(), commandLine, false);
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int showCommand) {
    try {
        return Run(commandLine, showCommand);
    } catch (...) {
        return qx::cProgramSession::kExitStartFailed; // nothing may escape to the system
    }
}
