#pragma once
// An in-memory file system for the core's tests: folders, files, read-only
// paths and a switch to make every write fail.
#include "core/platform/IFileSystem.h"

#include <map>
#include <set>
#include <string>

namespace qx::fake {

class cMemoryFileSystem final : public IFileSystem {
public:
    // Folders are created by AddFolder (parents included) or CreateDirectory.
    void AddFolder(const std::string& path);
    void AddFile(const std::string& path, const std::string& bytes = {});
    void AddHiddenFile(const std::string& path, const std::string& bytes = {});
    // Opening, writing, creating, deleting or renaming anything below this prefix fails.
    void DenyWrites(const std::string& prefix) { denied_.insert(Key(prefix)); }
    // Reading anything below this prefix fails, as for a file locked by another program.
    void DenyReads(const std::string& prefix) { unreadable_.insert(Key(prefix)); }
    const std::string* Contents(const std::string& path) const;
    int openCount = 0; // successful OpenAppend calls, to prove nothing was touched

    std::unique_ptr<IAppendFile> OpenAppend(const std::string& path) override;
    bool ReadFile(const std::string& path, std::string& bytes) override;
    bool WriteFile(const std::string& path, const std::string& bytes) override;
    bool NormalFileExists(const std::string& path) override;
    bool PathExists(const std::string& path) override;
    bool IsDirectory(const std::string& path) override;
    bool CreateDirectory(const std::string& path) override;
    bool DeleteFile(const std::string& path) override;
    bool MoveFile(const std::string& from, const std::string& to) override;
    bool ReplaceFile(const std::string& from, const std::string& to) override;
    bool GetFileLength(const std::string& path, std::uint64_t& length) override;
    std::string GetCurrentDirectory() override { return currentDirectory; }
    std::string LastErrorDescription() override { return lastError_; }
    std::string currentDirectory = "C:\\";

private:
    struct File {
        std::string bytes;
        bool hidden = false;
    };
    static std::string Key(const std::string& path); // case-insensitive, no trailing backslash
    static std::string Parent(const std::string& key);
    static bool Below(const std::set<std::string>& prefixes, const std::string& key);
    bool Denied(const std::string& key) const { return Below(denied_, key); }
    bool ParentExists(const std::string& key) const;

    std::map<std::string, File> files_;
    std::set<std::string> folders_;
    std::set<std::string> denied_;
    std::set<std::string> unreadable_;
    std::string lastError_;
    friend class cMemoryAppendFile;
};

} // namespace qx::fake
