#include "integration/cTempPath.h"

#include "win32/WideText.h"
#include "win32/WinApi.h"
#include "win32/cWin32FileSystem.h"

#include <atomic>
#include <filesystem>

namespace qx::test {

cTempPath::cTempPath(const std::string& stem) {
    static std::atomic<unsigned> counter{0};
    wchar_t folder[MAX_PATH];
    const DWORD n = GetTempPathW(MAX_PATH, folder);
    path_ = win32::Narrow(folder, n) + "qx-" + stem + "-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(counter++) + ".tmp";
    DeleteFileW(win32::Widen(path_).c_str());
}

// Wine reuses process ids from run to run, so whatever is left behind would
// be found again by the next run's test of the same name.
cTempPath::~cTempPath() {
    std::error_code ignored;
    std::filesystem::remove_all(win32::Widen(path_), ignored);
}

std::string cTempPath::Contents() const { return ReadFileBytes(Path()); }

cTempFolder::cTempFolder(const std::string& stem) : cTempPath(stem) {
    CreateDirectoryW(win32::Widen(Path()).c_str(), nullptr);
}

std::string cTempFolder::Contents(const std::string& name) const { return ReadFileBytes(File(name)); }

bool cTempFolder::Put(const std::string& name, const std::string& bytes) const {
    return win32::cWin32FileSystem().WriteFile(File(name), bytes);
}

std::string ReadFileBytes(const std::string& path) {
    std::string bytes;
    win32::cWin32FileSystem().ReadFile(path, bytes);
    return bytes;
}

} // namespace qx::test
