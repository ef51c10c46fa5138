#include "win32/cWin32FileSystem.h"

#include "win32/WideText.h"
#include "win32/modSystemText.h"
#include "win32/WinApi.h"

#include <algorithm>

namespace qx::win32 {
namespace {

class FileHandle {
public:
    explicit FileHandle(HANDLE h) : h_(h) {}
    ~FileHandle() {
        if (valid()) CloseHandle(h_);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    bool valid() const { return h_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return h_; }

private:
    HANDLE h_;
};

bool WriteAll(HANDLE h, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
        DWORD written = 0;
        if (!::WriteFile(h, bytes.data() + done, chunk, &written, nullptr) || written == 0) return false;
        done += written;
    }
    return true;
}

class cWin32AppendFile final : public IAppendFile {
public:
    explicit cWin32AppendFile(const std::wstring& path)
        : file_(CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    bool IsOpen() const { return file_.valid(); }
    bool Write(const std::string& bytes) override { return WriteAll(file_.get(), bytes); }

private:
    FileHandle file_;
};

DWORD Attributes(const std::string& path) {
    return GetFileAttributesW(Widen(path).c_str());
}

// Converting a path may allocate; a failure of that is a failure of the call.
template <class F> bool NoThrow(F&& f) {
    try {
        return f();
    } catch (...) {
        return false;
    }
}

} // namespace

std::unique_ptr<IAppendFile> cWin32FileSystem::OpenAppend(const std::string& path) {
    try {
        auto file = std::make_unique<cWin32AppendFile>(Widen(path));
        if (!file->IsOpen()) return nullptr;
        return file;
    } catch (...) {
        return nullptr;
    }
}

bool cWin32FileSystem::ReadFile(const std::string& path, std::string& bytes) {
    return NoThrow([&] {
        FileHandle f(CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!f.valid()) return false;
        std::string content;
        char chunk[65536];
        DWORD got = 0;
        for (;;) {
            if (!::ReadFile(f.get(), chunk, sizeof chunk, &got, nullptr)) return false;
            if (got == 0) break;
            content.append(chunk, got);
        }
        bytes = std::move(content);
        return true;
    });
}

bool cWin32FileSystem::WriteFile(const std::string& path, const std::string& bytes) {
    lastError_.clear();
    return NoThrow([&] {
        FileHandle f(
            CreateFileW(Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (f.valid() && WriteAll(f.get(), bytes)) return true;
        lastError_ = SystemWording(GetLastError());
        return false;
    });
}

bool cWin32FileSystem::NormalFileExists(const std::string& path) {
    return NoThrow([&] {
        // FindFirstFile would take wildcards as a pattern.
        if (path.empty() || path.find_first_of("*?") != std::string::npos) return false;
        WIN32_FIND_DATAW data{};
        HANDLE h = FindFirstFileW(Widen(path).c_str(), &data);
        if (h == INVALID_HANDLE_VALUE) return false;
        FindClose(h);
        return (data.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY)) ==
               0;
    });
}

bool cWin32FileSystem::PathExists(const std::string& path) {
    return NoThrow([&] { return Attributes(path) != INVALID_FILE_ATTRIBUTES; });
}

bool cWin32FileSystem::IsDirectory(const std::string& path) {
    return NoThrow([&] {
        const DWORD a = Attributes(path);
        return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) != 0;
    });
}

bool cWin32FileSystem::CreateDirectory(const std::string& path) {
    return NoThrow([&] { return CreateDirectoryW(Widen(path).c_str(), nullptr) != FALSE; });
}

bool cWin32FileSystem::DeleteFile(const std::string& path) {
    return NoThrow([&] { return DeleteFileW(Widen(path).c_str()) != FALSE; });
}

bool cWin32FileSystem::MoveFile(const std::string& from, const std::string& to) {
    return NoThrow([&] { return MoveFileExW(Widen(from).c_str(), Widen(to).c_str(), 0) != FALSE; });
}

bool cWin32FileSystem::ReplaceFile(const std::string& from, const std::string& to) {
    return NoThrow([&] {
        return MoveFileExW(Widen(from).c_str(), Widen(to).c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
    });
}

bool cWin32FileSystem::GetFileLength(const std::string& path, std::uint64_t& length) {
    return NoThrow([&] {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        if (!GetFileAttributesExW(Widen(path).c_str(), GetFileExInfoStandard, &data)) return false;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return false;
        length = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        return true;
    });
}

std::string cWin32FileSystem::GetCurrentDirectory() {
    std::string folder;
    NoThrow([&] {
        std::wstring buffer(MAX_PATH, L'\0');
        DWORD n = GetCurrentDirectoryW(static_cast<DWORD>(buffer.size()), buffer.data());
        if (n >= buffer.size()) { // too small: n is the size needed, terminator included
            buffer.assign(n, L'\0');
            n = GetCurrentDirectoryW(static_cast<DWORD>(buffer.size()), buffer.data());
        }
        if (n == 0 || n >= buffer.size()) return false;
        folder = Narrow(buffer.data(), n);
        return true;
    });
    return folder;
}

} // namespace qx::win32
