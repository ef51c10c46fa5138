#pragma once
// An in-memory file system for the core's tests: folders, files, hidden files
// and paths below which every write fails. Paths are case-insensitive.
#include "core/platform/IFileSystem.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <string>

namespace qx::fake {

class cMemoryFileSystem final : public IFileSystem {
    struct File {
        std::string bytes;
        bool hidden = false;
    };
    class cAppendFile final : public IAppendFile {
    public:
        explicit cAppendFile(std::string& target) : target_(target) {}
        bool Write(const std::string& bytes) override {
            target_ += bytes;
            return true;
        }

    private:
        std::string& target_;
    };

public:
    // Folders are created by AddFolder (parents included) or CreateDirectory.
    void AddFolder(const std::string& path) {
        for (std::string k = Key(path); !k.empty() && !IsDrive(k); k = Parent(k))
            folders_.insert(k);
    }
    void AddFile(const std::string& path, const std::string& bytes = {}) { Put(path, bytes, false); }
    void AddHiddenFile(const std::string& path, const std::string& bytes = {}) { Put(path, bytes, true); }
    // Opening, writing, creating, deleting or renaming anything below this prefix fails.
    void DenyWrites(const std::string& prefix) { denied_.insert(Key(prefix)); }
    const std::string* Contents(const std::string& path) const {
        const auto it = files_.find(Key(path));
        return it == files_.end() ? nullptr : &it->second.bytes;
    }
    int openCount = 0; // successful OpenAppend calls, to prove nothing was touched
    std::string currentDirectory = "C:\\";

    std::unique_ptr<IAppendFile> OpenAppend(const std::string& path) override {
        const std::string k = Key(path);
        if (k.empty() || Denied(k) || folders_.count(k) || !ParentExists(k)) return nullptr;
        ++openCount;
        return std::make_unique<cAppendFile>(files_[k].bytes);
    }
    bool ReadFile(const std::string& path, std::string& bytes) override {
        if (const std::string* contents = Contents(path)) bytes = *contents;
        return Contents(path) != nullptr;
    }
    bool WriteFile(const std::string& path, const std::string& bytes) override {
        const std::string k = Key(path);
        const bool denied = k.empty() || Denied(k) || folders_.count(k);
        lastError_ = denied ? "Access is denied" : !ParentExists(k) ? "The system cannot find the path specified" : "";
        if (!lastError_.empty()) return false;
        files_[k].bytes = bytes;
        return true;
    }
    bool NormalFileExists(const std::string& path) override {
        return files_.count(Key(path)) && !files_.at(Key(path)).hidden;
    }
    bool PathExists(const std::string& path) override { return files_.count(Key(path)) || IsDirectory(path); }
    bool IsDirectory(const std::string& path) override { return folders_.count(Key(path)) > 0; }
    bool CreateDirectory(const std::string& path) override {
        const std::string k = Key(path);
        return !k.empty() && !Denied(k) && !PathExists(k) && ParentExists(k) && folders_.insert(k).second;
    }
    bool DeleteFile(const std::string& path) override { return !Denied(Key(path)) && files_.erase(Key(path)) > 0; }
    bool MoveFile(const std::string& from, const std::string& to) override { return Move(from, to, false); }
    bool ReplaceFile(const std::string& from, const std::string& to) override { return Move(from, to, true); }
    bool GetFileLength(const std::string& path, std::uint64_t& length) override {
        if (const std::string* contents = Contents(path)) length = contents->size();
        return Contents(path) != nullptr;
    }
    std::string GetCurrentDirectory() override { return currentDirectory; }
    std::string LastErrorDescription() override { return lastError_; }

private:
    static std::string Key(std::string k) { // lower case, no trailing backslash
        std::transform(k.begin(), k.end(), k.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        while (k.size() > 3 && k.back() == '\\')
            k.pop_back();
        return k;
    }
    static std::string Parent(const std::string& key) {
        const auto pos = key.find_last_of('\\');
        return pos == std::string::npos ? std::string{} : key.substr(0, pos);
    }
    static bool IsDrive(const std::string& key) { return key.size() == 2 && key[1] == ':'; }
    bool Denied(const std::string& key) const {
        return std::any_of(denied_.begin(), denied_.end(), [&](auto& p) { return key.compare(0, p.size(), p) == 0; });
    }
    bool ParentExists(const std::string& key) const {
        return Parent(key).empty() || folders_.count(Parent(key)) || IsDrive(Parent(key));
    }
    void Put(const std::string& path, const std::string& bytes, bool hidden) {
        AddFolder(Parent(Key(path)));
        files_[Key(path)] = File{bytes, hidden};
    }
    bool Move(const std::string& from, const std::string& to, bool replace) {
        const std::string f = Key(from), t = Key(to);
        if (!files_.count(f) || Denied(f) || Denied(t) || !ParentExists(t)) return false;
        if (replace ? folders_.count(t) > 0 : PathExists(t)) return false;
        files_[t] = files_.at(f);
        files_.erase(f);
        return true;
    }

    std::map<std::string, File> files_;
    std::set<std::string> folders_;
    std::set<std::string> denied_;
    std::string lastError_;
};

} // namespace qx::fake
