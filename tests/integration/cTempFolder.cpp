#include "integration/cTempFolder.h"

#include "integration/cTempPath.h"
#include "win32/WideText.h"
#include "win32/WinApi.h"

namespace qx::test {

cTempFolder::cTempFolder(const std::string& stem) {
    const cTempPath unique(stem);
    path_ = unique.Path();
    CreateDirectoryW(win32::Widen(path_).c_str(), nullptr);
}

namespace {

// Wine reuses process ids from run to run, so a folder left behind would be
// found again by the next run's test of the same name.
void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
                RemoveTree(folder + L"\\" + name);
            else
                DeleteFileW((folder + L"\\" + name).c_str());
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
}

} // namespace

cTempFolder::~cTempFolder() { RemoveTree(win32::Widen(path_)); }

std::string cTempFolder::Contents(const std::string& name) const { return ReadFileBytes(File(name)); }

bool cTempFolder::Put(const std::string& name, const std::string& bytes) const {
    HANDLE f = CreateFileW(win32::Widen(File(name)).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = ::WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                    written == bytes.size();
    CloseHandle(f);
    return ok;
}

} // namespace qx::test
