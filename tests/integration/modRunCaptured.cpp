#include "integration/modRunCaptured.h"

#include "win32/WinApi.h"

namespace qx::test {

bool RunCaptured(std::wstring commandLine, std::string& output, unsigned long creationFlags) {
    SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
    HANDLE reader = nullptr, writer = nullptr;
    if (!CreatePipe(&reader, &writer, &sa, 0) || !SetHandleInformation(reader, HANDLE_FLAG_INHERIT, 0)) return false;
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = si.hStdError = writer;
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION pi{};
    const BOOL started = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, creationFlags, nullptr,
                                        nullptr, &si, &pi);
    // Our copy of the write end must go, or the reads below never see the end.
    CloseHandle(writer);
    if (started) {
        char buf[4096];
        for (DWORD got = 0; ReadFile(reader, buf, sizeof buf, &got, nullptr) && got > 0;) output.append(buf, got);
        WaitForSingleObject(pi.hProcess, 30000);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
    CloseHandle(reader);
    return started != FALSE;
}

long RunAndWait(std::wstring commandLine) {
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &si,
                        &pi))
        return -1;
    WaitForSingleObject(pi.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return static_cast<long>(code);
}

} // namespace qx::test
