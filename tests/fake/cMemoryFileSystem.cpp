#include "fake/cMemoryFileSystem.h"

#include <algorithm>
#include <cctype>

namespace qx::fake {
namespace {

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

} // namespace

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

bool cMemoryFileSystem::Denied(const std::string& key) const {
    return std::any_of(denied_.begin(), denied_.end(),
                       [&](const std::string& p) { return key.compare(0, p.size(), p) == 0; });
}

bool cMemoryFileSystem::ParentExists(const std::string& key) const {
    const std::string parent = Parent(key);
    return parent.empty() || folders_.count(parent) > 0 || (parent.size() == 2 && parent[1] == ':');
}

void cMemoryFileSystem::AddFolder(const std::string& path) {
    for (std::string k = Key(path); !k.empty() && !(k.size() == 2 && k[1] == ':'); k = Parent(k)) folders_.insert(k);
}

void cMemoryFileSystem::Put(const std::string& path, const std::string& bytes, bool hidden) {
    AddFolder(Parent(Key(path)));
    files_[Key(path)] = File{bytes, hidden};
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
    const std::string* contents = Contents(path);
    if (contents != nullptr) bytes = *contents;
    return contents != nullptr;
}

bool cMemoryFileSystem::WriteFile(const std::string& path, const std::string& bytes) {
    const std::string k = Key(path);
    const bool denied = k.empty() || Denied(k) || folders_.count(k);
    lastError_ = denied ? "Access is denied" : !ParentExists(k) ? "The system cannot find the path specified" : "";
    if (!lastError_.empty()) return false;
    files_[k].bytes = bytes;
    return true;
}

bool cMemoryFileSystem::NormalFileExists(const std::string& path) {
    const auto it = files_.find(Key(path));
    return it != files_.end() && !it->second.hidden;
}

bool cMemoryFileSystem::CreateDirectory(const std::string& path) {
    const std::string k = Key(path);
    if (k.empty() || Denied(k) || PathExists(k) || !ParentExists(k)) return false;
    folders_.insert(k);
    return true;
}

bool cMemoryFileSystem::Move(const std::string& from, const std::string& to, bool replace) {
    const std::string f = Key(from), t = Key(to);
    const auto it = files_.find(f);
    if (it == files_.end() || Denied(f) || Denied(t) || !ParentExists(t)) return false;
    if (replace ? folders_.count(t) > 0 : PathExists(t)) return false;
    files_[t] = it->second;
    files_.erase(f);
    return true;
}

bool cMemoryFileSystem::GetFileLength(const std::string& path, std::uint64_t& length) {
    const std::string* contents = Contents(path);
    if (contents != nullptr) length = contents->size();
    return contents != nullptr;
}

} // namespace qx::fake
