#pragma once
// An in-memory file system for the core's tests: folders, files, hidden files
// and paths below which every write fails.
#include "core/platform/IFileSystem.h"

#include <map>
#include <set>
#include <string>

namespace qx::fake {

class cMemoryFileSystem final : public IFileSystem {
public:
    // Folders are created by AddFolder (parents included) or CreateDirectory.
    void AddFolder(const std::string& path);
    void AddFile(const std::string& path, const std::string& bytes = {}) { Put(path, bytes, false); }
    void AddHiddenFile(const std::string& path, const std::string& bytes = {}) { Put(path, bytes, true); }
    // Opening, writing, creating, deleting or renaming anything below this prefix fails.
    void DenyWrites(const std::string& prefix) { denied_.insert(Key(prefix)); }
    const std::string* Contents(const std::string& path) const;
    int openCount = 0; // successful OpenAppend calls, to prove nothing was touched
    std::string currentDirectory = "C:\\";

    std::unique_ptr<IAppendFile> OpenAppend(const std::string& path) override;
    bool ReadFile(const std::string& path, std::string& bytes) override;
    bool WriteFile(const std::string& path, const std::string& bytes) override;
    bool NormalFileExists(const std::string& path) override;
    bool PathExists(const std::string& path) override { return files_.count(Key(path)) || IsDirectory(path); }
    bool IsDirectory(const std::string& path) override { return folders_.count(Key(path)) > 0; }
    bool CreateDirectory(const std::string& path) override;
    bool DeleteFile(const std::string& path) override { return !Denied(Key(path)) && files_.erase(Key(path)) > 0; }
    bool MoveFile(const std::string& from, const std::string& to) override { return Move(from, to, false); }
    bool ReplaceFile(const std::string& from, const std::string& to) override { return Move(from, to, true); }
    bool GetFileLength(const std::string& path, std::uint64_t& length) override;
    std::string GetCurrentDirectory() override { return currentDirectory; }
    std::string LastErrorDescription() override { return lastError_; }

private:
    struct File {
        std::string bytes;
        bool hidden = false;
    };
    static std::string Key(const std::string& path); // case-insensitive, no trailing backslash
    static std::string Parent(const std::string& key);
    bool Denied(const std::string& key) const;
    bool ParentExists(const std::string& key) const;
    void Put(const std::string& path, const std::string& bytes, bool hidden);
    bool Move(const std::string& from, const std::string& to, bool replace);

    std::map<std::string, File> files_;
    std::set<std::string> folders_;
    std::set<std::string> denied_;
    std::string lastError_;
};

} // namespace qx::fake
