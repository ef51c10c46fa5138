// Writes the command line it was started with, as UTF-8, into the file the
// environment variable QX_ARGPROBE_OUT names: tests see exactly what a batch
// file made cmd.exe pass on.
#include "win32/WinApi.h"

#include <string>

int main() {
    wchar_t out[MAX_PATH] = L"";
    if (GetEnvironmentVariableW(L"QX_ARGPROBE_OUT", out, MAX_PATH) == 0) return 2;
    const wchar_t* line = GetCommandLineW();
    const int n = WideCharToMultiByte(CP_UTF8, 0, line, -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(n > 0 ? n : 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, line, -1, utf8.data(), n, nullptr, nullptr);
    const HANDLE file = CreateFileW(out, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 3;
    DWORD written = 0;
    const BOOL ok = WriteFile(file, utf8.data(), static_cast<DWORD>(utf8.size() - 1), &written, nullptr);
    CloseHandle(file);
    return ok ? 0 : 4;
}
