#include "integration/cTempPath.h"

#include "win32/WideText.h"
#include "win32/WinApi.h"

#include <atomic>

namespace qx::test {

cTempPath::cTempPath(const std::string& stem) {
    static std::atomic<unsigned> counter{0};
    wchar_t folder[MAX_PATH];
    const DWORD n = GetTempPathW(MAX_PATH, folder);
    path_ = win32::Narrow(folder, n) + "qx-" + stem + "-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(counter++) + ".tmp";
    DeleteFileW(win32::Widen(path_).c_str());
}

cTempPath::~cTempPath() {
    DeleteFileW(win32::Widen(path_).c_str());
}

std::string cTempPath::Contents() const { return ReadFileBytes(path_); }

std::string ReadFileBytes(const std::string& path) {
    HANDLE f =
        CreateFileW(win32::Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return {};
    std::string bytes;
    char chunk[4096];
    DWORD got = 0;
    while (::ReadFile(f, chunk, sizeof chunk, &got, nullptr) && got > 0)
        bytes.append(chunk, got);
    CloseHandle(f);
    return bytes;
}

} // namespace qx::test
