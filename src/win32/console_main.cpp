// Entry point of quellixc.exe, the console twin: the same ports and session
// as quellix.exe, but no window, box or dialog ever; what the window program
// would show goes to standard error, and cmd and PowerShell wait for it.
#include "core/startup/cCommandLineKill.h"
#include "core/startup/cProgramSession.h"
#include "core/startup/modCommandLineRun.h"
#include "core/ui/cConsoleUserInterface.h"
#include "core/util/modText.h"
#include "win32/WideText.h"
#include "win32/WinApi.h"
#include "win32/cWin32Console.h"
#include "win32/cWin32Platform.h"
#include "win32/modProgramVersion.h"

namespace {

// The command line after the program's own name, as wWinMain would get it.
std::wstring Arguments(const wchar_t* line) {
    if (line == nullptr) return {};
    const wchar_t* p = line;
    if (*p == L'"') {
        for (++p; *p != L'\0' && *p != L'"'; ++p) {
        }
        if (*p == L'"') ++p;
    } else {
        while (*p != L'\0' && *p != L' ' && *p != L'\t') ++p;
    }
    while (*p == L' ' || *p == L'\t') ++p;
    return p;
}

int Run() {
    using namespace qx;
    using namespace qx::win32;
    cWin32Platform ports;
    cWin32Console console;
    cConsoleUserInterface ui(console);
    cPlatform platform{ports.os, ports.registry, ports.fs,    ui,           ports.clock,
                       ports.codec, ports.facts, ports.shell, ports.strings};
    const std::string commandLine = Narrow(Arguments(GetCommandLineW()));

    if (TrimBlanks(commandLine).empty()) {
        ShowUsage(platform, console, ProgramVersionLine());
        return cProgramSession::kExitUnusable;
    }
    if (cCommandLineKill::IsHelpRequest(commandLine)) {
        ShowUsage(platform, console, ProgramVersionLine());
        return cProgramSession::kExitDone;
    }
    return RunCommandLine(platform, console, ports.facts.ProgramFolder(), commandLine, true);
}

} // namespace

int wmain(int, wchar_t**) {
    try {
        return Run();
    } catch (...) {
        return qx::cProgramSession::kExitStartFailed; // nothing may escape to the system
    }
}
