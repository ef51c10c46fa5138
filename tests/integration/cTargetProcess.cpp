#include "integration/cTargetProcess.h"

#include "win32/WideText.h"
#include "win32/WinApi.h"

#include <sstream>

namespace qx::test {
namespace {

HANDLE H(std::uintptr_t h) {
    return reinterpret_cast<HANDLE>(h);
}

std::wstring Quote(const std::wstring& arg) {
    if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos) return arg;
    std::wstring q = L"\"";
    std::size_t backslashes = 0;
    for (wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        q.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        q += c;
    }
    q.append(backslashes * 2, L'\\');
    return q + L"\"";
}

} // namespace

std::string cTargetProcess::ExePath() {
    std::string dir = QX_BIN_DIR;
    // QX_BIN_DIR is a Unix path when the tests were built by a cross compiler:
    // Wine maps it under the Z: drive.
    if (!dir.empty() && dir[0] == '/') dir = "Z:" + dir;
    for (char& c : dir)
        if (c == '/') c = '\\';
    return dir + "\\qxtarget.exe";
}

cTargetProcess::cTargetProcess(const std::vector<std::string>& args, std::uint32_t readyTimeoutMs,
                               const std::string& exePath) {
    const cTempPath readyFile("ready");
    std::wstring cmd = Quote(win32::Widen(exePath));
    for (const std::string& a : args)
        cmd += L" " + Quote(win32::Widen(a));
    cmd += L" --ready " + Quote(win32::Widen(readyFile.Path()));

    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return;
    CloseHandle(pi.hThread);
    handle_ = reinterpret_cast<std::uintptr_t>(pi.hProcess);
    pid_ = pi.dwProcessId;

    // The target writes the file in one rename once its windows exist.
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < readyTimeoutMs) {
        const std::string text = readyFile.Contents();
        if (!text.empty()) {
            std::istringstream in(text);
            std::uint64_t pid = 0, w = 0;
            in >> pid;
            while (in >> w)
                windows_.push_back(static_cast<std::uint32_t>(w));
            ready_ = pid == pid_;
            return;
        }
        if (WaitForSingleObject(pi.hProcess, 10) == WAIT_OBJECT_0) return; // died before it was ready
    }
}

cTargetProcess::~cTargetProcess() {
    Terminate();
    if (handle_) CloseHandle(H(handle_));
}

bool cTargetProcess::Running() const {
    return handle_ && WaitForSingleObject(H(handle_), 0) == WAIT_TIMEOUT;
}

bool cTargetProcess::WaitForExit(std::uint32_t milliseconds) const {
    return handle_ && WaitForSingleObject(H(handle_), milliseconds) == WAIT_OBJECT_0;
}

std::uint32_t cTargetProcess::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    if (handle_) GetExitCodeProcess(H(handle_), &code);
    return code;
}

void cTargetProcess::Terminate() {
    if (Running()) {
        TerminateProcess(H(handle_), 99);
        WaitForSingleObject(H(handle_), 5000);
    }
}

} // namespace qx::test
