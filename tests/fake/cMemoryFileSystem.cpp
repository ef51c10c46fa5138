#include "fake/cMemoryFileSystem.h"

#include <algorithm>
#include <cctype>

namespace qx::fake {

class cMemoryAppendFile final : public IAppendFile {
public:
    explicit cMemoryAppendFile(std::string& target) : target_(target) {}
    bool Write(const std::string& bytes) override {
        target_ += bytes;
        return true;
    }

private:
    std::string& target_;
};

std::string cMemoryFileSystem::Key(const std::string& path) {
    std::string k = path;
    std::transform(k.begin(), k.end(), k.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    while (k.size() > 3 && k.back() == '\\') k.pop_back();
    return k;
}

std::string cMemoryFileSystem::Parent(const std::string& key) {
    const auto pos = key.find_last_of('\\');
    return pos == std::string::npos ? std::string{} : key.substr(0, pos);
}

bool cMemoryFileSystem::Below(const std::set<std::string>& prefixes, const std::string& key) {
    return std::any_of(prefixes.begin(), prefixes.end(),
                       [&](const std::string& p) { return key.compare(0, p.size(), p) == 0; });
}

bool cMemoryFileSystem::ParentExists(const std::string& key) const {
    const std::string parent = Parent(key);
    return parent.empty() || folders_.count(parent) > 0 || (parent.size() == 2 && parent[1] == ':');
}

void cMemoryFileSystem::AddFolder(const std::string& path) {
    std::string k = Key(path);
    while (!k.empty() && !(k.size() == 2 && k[1] == ':')) {
        folders_.insert(k);
        k = Parent(k);
    }
}

void cMemoryFileSystem::AddFile(const std::string& path, const std::string& bytes) {
    AddFolder(Parent(Key(path)));
    files_[Key(path)] = File{bytes, false};
}

void cMemoryFileSystem::AddHiddenFile(const std::string& path, const std::string& bytes) {
    AddFolder(Parent(Key(path)));
    files_[Key(path)] = File{bytes, true};
}

const std::string* cMemoryFileSystem::Contents(const std::string& path) const {
    const auto it = files_.find(Key(path));
    return it == files_.end() ? nullptr : &it->second.bytes;
}

std::unique_ptr<IAppendFile> cMemoryFileSystem::OpenAppend(const std::string& path) {
    const std::string k = Key(path);
    if (k.empty() || Denied(k) || folders_.count(k) || !ParentExists(k)) return nullptr;
    ++openCount;
    return std::make_unique<cMemoryAppendFile>(files_[k].bytes);
}

bool cMemoryFileSystem::ReadFile(const std::string& path, std::string& bytes) {
    const auto it = files_.find(Key(path));
    if (it == files_.end() || Below(unreadable_, it->first)) return false;
    bytes = it->second.bytes;
    return true;
}

bool cMemoryFileSystem::WriteFile(const std::string& path, const std::string& bytes) {
    const std::string k = Key(path);
    lastError_.clear();
    if (k.empty() || Denied(k) || folders_.count(k)) {
        lastError_ = "Access is denied";
        return false;
    }
    if (!ParentExists(k)) {
        lastError_ = "The system cannot find the path specified";
        return false;
    }
    files_[k].bytes = bytes;
    return true;
}

bool cMemoryFileSystem::NormalFileExists(const std::string& path) {
    const auto it = files_.find(Key(path));
    return it != files_.end() && !it->second.hidden;
}

bool cMemoryFileSystem::PathExists(const std::string& path) {
    const std::string k = Key(path);
    return files_.count(k) > 0 || folders_.count(k) > 0;
}

bool cMemoryFileSystem::IsDirectory(const std::string& path) { return folders_.count(Key(path)) > 0; }

bool cMemoryFileSystem::CreateDirectory(const std::string& path) {
    const std::string k = Key(path);
    if (k.empty() || Denied(k) || PathExists(k) || !ParentExists(k)) return false;
    folders_.insert(k);
    return true;
}

bool cMemoryFileSystem::DeleteFile(const std::string& path) {
    const std::string k = Key(path);
    if (Denied(k)) return false;
    return files_.erase(k) > 0;
}

bool cMemoryFileSystem::MoveFile(const std::string& from, const std::string& to) {
    const std::string f = Key(from), t = Key(to);
    const auto it = files_.find(f);
    if (it == files_.end() || Denied(f) || Denied(t) || PathExists(t) || !ParentExists(t)) return false;
    files_[t] = it->second;
    files_.erase(f);
    return true;
}

bool cMemoryFileSystem::ReplaceFile(const std::string& from, const std::string& to) {
    const std::string f = Key(from), t = Key(to);
    const auto it = files_.find(f);
    if (it == files_.end() || Denied(f) || Denied(t) || folders_.count(t) || !ParentExists(t)) return false;
    files_[t] = it->second;
    files_.erase(f);
    return true;
}

bool cMemoryFileSystem::GetFileLength(const std::string& path, std::uint64_t& length) {
    const auto it = files_.find(Key(path));
    if (it == files_.end()) return false;
    length = it->second.bytes.size();
    return true;
}

} // namespace qx::fake
