// Entry point: the real ports, the shared objects, start-up and shut-down.
// The main window and the command-line kill mode build on this.
#include "core/startup/cSharedObjects.h"
#include "win32/WideText.h"
#include "win32/WinApi.h"
#include "win32/cWin32Clock.h"
#include "win32/cWin32FileSystem.h"
#include "win32/cWin32ProcessWindowServices.h"
#include "win32/cWin32Registry.h"
#include "win32/cWin32Shell.h"
#include "win32/cWin32StringTable.h"
#include "win32/cWin32SystemFacts.h"
#include "win32/cWin32TextCodec.h"
#include "win32/cWin32UserInterface.h"

#include <algorithm>
#include <cctype>

namespace {

std::string TrimmedUpper(std::string s) {
    const auto notBlank = [](unsigned char c) { return c != ' ' && c != '\t'; };
    s.erase(s.begin(), std::find_if(s.begin(), s.end(), notBlank));
    s.erase(std::find_if(s.rbegin(), s.rend(), notBlank).base(), s.end());
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return s;
}

int Run(PWSTR commandLine) {
    using namespace qx;
    using namespace qx::win32;
    cWin32ProcessWindowServices os;
    cWin32Registry registry;
    cWin32FileSystem fs;
    cWin32UserInterface ui;
    cWin32Clock clock;
    cWin32TextCodec codec;
    cWin32SystemFacts facts;
    cWin32Shell shell;
    cWin32StringTable strings;
    cPlatform platform{os, registry, fs, ui, clock, codec, facts, shell, strings};

    cSharedObjects shared(platform, facts.ProgramFolder());
    if (TrimmedUpper(Narrow(commandLine == nullptr ? L"" : commandLine)) == "/DEBUG") {
        shared.Logger().SetDebugMode(true);
    }
    cErrorInfo error;
    if (!shared.MainInitialize(error)) {
        shared.Logger().LogError("", true, error);
        return 1;
    }
    shared.Logger().LogDebug("After MainInitialize");
    shared.Options().SetProcessID(os.GetCurrentProcessId());

    shared.Logger().LogDebug("Unloading");
    shared.Options().SaveAppOptions();
    return 0;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
    try {
        return Run(commandLine);
    } catch (...) {
        return 3; // nothing may escape to the system; a failure above is already reported
    }
}
