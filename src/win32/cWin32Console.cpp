#include "win32/cWin32Console.h"

#include "win32/WideText.h"
#include "win32/WinApi.h"

namespace qx::win32 {
namespace {

bool IsUsable(HANDLE h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }

} // namespace

cWin32Console::~cWin32Console() {
    if (IsUsable(consoleOut_)) CloseHandle(consoleOut_);
}

void* cWin32Console::Target(unsigned long which) {
    HANDLE own = GetStdHandle(which);
    if (IsUsable(own)) return own;
    if (!attachTried_) {
        attachTried_ = true;
        if (AttachConsole(ATTACH_PARENT_PROCESS))
            consoleOut_ = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                      0, nullptr);
    }
    return IsUsable(consoleOut_) ? consoleOut_ : nullptr;
}

void cWin32Console::Write(unsigned long which, const std::string& line) {
    HANDLE out = Target(which);
    if (out == nullptr) return;
    DWORD mode = 0;
    DWORD written = 0;
    if (GetConsoleMode(out, &mode)) {
        const std::wstring wide = Widen(line + "\r\n");
        WriteConsoleW(out, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
        return;
    }
    // Redirected: UTF-8, which loses no character whatever the code page.
    const std::string bytes = line + "\r\n";
    WriteFile(out, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

void cWin32Console::WriteOutput(const std::string& line) { Write(STD_OUTPUT_HANDLE, line); }

void cWin32Console::WriteError(const std::string& line) { Write(STD_ERROR_HANDLE, line); }

bool cWin32Console::OutputRedirected() {
    HANDLE own = GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    return IsUsable(own) && !GetConsoleMode(own, &mode);
}

bool cWin32Console::CanShowOutput() { return Target(STD_OUTPUT_HANDLE) != nullptr; }

} // namespace qx::win32
