#include "integration/cTargetProcess.h"

#include "integration/cTempPath.h"
#include "win32/WideText.h"
#include "win32/WinApi.h"

#include <algorithm>
#include <sstream>

namespace qx::test {

// QX_BIN_DIR is a Unix path when the tests were built by a cross compiler:
// Wine maps it under the Z: drive.
std::string BinPath(const std::string& name) {
    std::string path = std::string(QX_BIN_DIR[0] == '/' ? "Z:" : "") + QX_BIN_DIR + "/" + name;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

// No argument holds a quote or ends in a backslash, so plain quotes suffice.
cTargetProcess::cTargetProcess(const std::vector<std::string>& args, std::uint32_t readyTimeoutMs,
                               const std::string& exePath) {
    const cTempPath readyFile("ready");
    std::wstring cmd = L"\"" + win32::Widen(exePath) + L"\"";
    for (const std::string& a : args)
        cmd += L" \"" + win32::Widen(a) + L"\"";
    cmd += L" --ready \"" + win32::Widen(readyFile.Path()) + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return;
    CloseHandle(pi.hThread);
    handle_ = reinterpret_cast<std::uintptr_t>(pi.hProcess);
    pid_ = pi.dwProcessId;
    // The target writes the file in one rename once its windows exist.
    for (const DWORD start = GetTickCount(); GetTickCount() - start < readyTimeoutMs;) {
        std::istringstream in(readyFile.Contents());
        std::uint64_t pid = 0, w = 0;
        if (in >> pid) {
            while (in >> w)
                windows_.push_back(static_cast<std::uint32_t>(w));
            ready_ = pid == pid_;
            return;
        }
        if (WaitForExit(10)) return; // died before it was ready
    }
}

cTargetProcess::~cTargetProcess() {
    Terminate();
    if (handle_) CloseHandle(reinterpret_cast<HANDLE>(handle_));
}

bool cTargetProcess::Running() const {
    return handle_ && WaitForSingleObject(reinterpret_cast<HANDLE>(handle_), 0) == WAIT_TIMEOUT;
}

bool cTargetProcess::WaitForExit(std::uint32_t milliseconds) const {
    return handle_ && WaitForSingleObject(reinterpret_cast<HANDLE>(handle_), milliseconds) == WAIT_OBJECT_0;
}

void cTargetProcess::Terminate() {
    if (!Running()) return;
    TerminateProcess(reinterpret_cast<HANDLE>(handle_), 99);
    WaitForExit(5000);
}

} // namespace qx::test
