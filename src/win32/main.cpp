// Entry point: the real ports, then one program session. With a command line
// the session closes the programs it names and the process ends without a
// window; its exit code tells a script how the run went.
#include "core/startup/cCommandLineKill.h"
#include "core/startup/cProgramSession.h"
#include "core/ui/modResourceText.h"
#include "win32/WideText.h"
#include "win32/WinApi.h"
#include "win32/cWin32Platform.h"
#include "win32/WindowHandle.h"
#include "win32/fQXMain.h"
#include "win32/modMainForms.h"
#include "win32/modProgramVersion.h"

namespace {

// A program built for the window subsystem has no console of its own: write
// where its output was redirected, or else into the console it was started from.
void WriteToConsole(const std::string& text) {
    const std::wstring wide = qx::win32::Widen(text + "\r\n");
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    HANDLE opened = INVALID_HANDLE_VALUE;
    if ((out == nullptr || out == INVALID_HANDLE_VALUE) && AttachConsole(ATTACH_PARENT_PROCESS)) {
        opened = CreateFileW(L"CONOUT$", GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
        out = opened;
    }
    if (out == nullptr || out == INVALID_HANDLE_VALUE) return;
    DWORD mode = 0;
    DWORD written = 0;
    if (GetConsoleMode(out, &mode)) {
        WriteConsoleW(out, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    } else {
        const std::string bytes = text + "\r\n";
        WriteFile(out, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    }
    if (opened != INVALID_HANDLE_VALUE) CloseHandle(opened);
}

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

    if (cCommandLineKill::IsHelpRequest(commandLine)) {
        std::string usage = LoadResourceText(ports.strings, cCommandLineKill::kUsageTextId);
        // Read from the file's own version resource, so that it always names
        // the build that answers, whichever copy of the program that is.
        ProgramVersion version;
        if (ReadProgramVersion(version) && !version.version.empty())
            usage += "\n\n" + version.productName + " version " + version.version;
        WriteToConsole(usage);
        ui.MessageBox(usage, kMbOk | kMbIconInformation);
        return cProgramSession::kExitDone;
    }

    if (!cProgramSession::IsCommandLineMode(commandLine))
        return RunWindow(platform, ui, facts.ProgramFolder(), commandLine, showCommand);

    cProgramSession session(platform, facts.ProgramFolder());
    if (!session.Load(commandLine)) return session.ExitCode();
    session.Close();
    return session.ExitCode();
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int showCommand) {
    try {
        return Run(commandLine, showCommand);
    } catch (...) {
        return qx::cProgramSession::kExitStartFailed; // nothing may escape to the system
    }
}
