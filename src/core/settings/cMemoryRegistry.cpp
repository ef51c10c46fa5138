#include "core/settings/cMemoryRegistry.h"

#include <iterator>
#include <utility>
#include <vector>

namespace qx {

namespace {

// Splits a key path at backslashes; empty parts (doubled or trailing
// backslashes) are skipped, as the platform does.
std::vector<std::string> SplitPath(const std::string& path) {
    std::vector<std::string> parts;
    std::string part;
    for (char c : path) {
        if (c != '\\') {
            part += c;
        } else if (!part.empty()) {
            parts.push_back(part);
            part.clear();
        }
    }
    if (!part.empty()) parts.push_back(part);
    return parts;
}

} // namespace

cMemoryRegistry::cMemoryRegistry() {
    for (RegKey root : {kHkeyClassesRoot, kHkeyCurrentUser, kHkeyLocalMachine, kHkeyUsers}) {
        auto node = std::make_shared<Node>();
        node->root = root;
        roots_[root] = node;
    }
}

// The platform compares names after upper-casing them; ASCII and the Latin-1
// letters cover every name this program uses.
std::string cMemoryRegistry::Fold(const std::string& name) {
    std::string out = name;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const auto c = static_cast<unsigned char>(out[i]);
        if (c >= 'a' && c <= 'z') {
            out[i] = static_cast<char>(c - 32);
        } else if (c == 0xC3 && i + 1 < out.size()) {
            const auto d = static_cast<unsigned char>(out[i + 1]);
            if (d >= 0xA0 && d <= 0xBE && d != 0xB7) out[i + 1] = static_cast<char>(d - 32);
            ++i;
        }
    }
    return out;
}

void cMemoryRegistry::MakeUnopenable(RegKey root, const std::string& path) {
    std::string folded;
    for (const auto& part : SplitPath(path))
        folded += (folded.empty() ? "" : "\\") + Fold(part);
    unopenable_.insert({root, folded});
}

std::int32_t cMemoryRegistry::Resolve(RegKey key, std::shared_ptr<Node>& node) const {
    if (auto r = roots_.find(key); r != roots_.end()) {
        node = r->second;
        return kErrorSuccess;
    }
    auto h = handles_.find(key);
    if (h == handles_.end()) return kErrorInvalidHandle;
    if (h->second->deleted) return kErrorKeyDeleted;
    node = h->second;
    return kErrorSuccess;
}

std::int32_t cMemoryRegistry::Writable(const Node& node) const {
    return refusedRoots_.count(node.root) ? kErrorAccessDenied : kErrorSuccess;
}

std::int32_t cMemoryRegistry::Walk(RegKey parent, const std::string& path, bool create, std::shared_ptr<Node>& node) {
    std::shared_ptr<Node> cur;
    if (auto rc = Resolve(parent, cur); rc != kErrorSuccess) return rc;
    if (!path.empty() && path.front() == '\\') return kErrorBadPathname;
    for (const auto& part : SplitPath(path)) {
        const std::string folded = Fold(part);
        auto it = cur->children.find(folded);
        if (it == cur->children.end()) {
            if (!create) return kErrorFileNotFound;
            if (auto rc = Writable(*cur); rc != kErrorSuccess) return rc;
            auto child = std::make_shared<Node>();
            child->name = part;
            child->root = cur->root;
            child->parent = cur.get();
            child->path = cur->path.empty() ? folded : cur->path + "\\" + folded;
            if (unopenable_.count({child->root, child->path})) return kErrorAccessDenied;
            it = cur->children.emplace(folded, child).first;
        }
        cur = it->second;
    }
    if (unopenable_.count({cur->root, cur->path})) return kErrorAccessDenied;
    node = cur;
    return kErrorSuccess;
}

std::shared_ptr<cMemoryRegistry::Node> cMemoryRegistry::Find(RegKey root, const std::string& path) const {
    auto r = roots_.find(root);
    if (r == roots_.end()) return nullptr;
    std::shared_ptr<Node> cur = r->second;
    for (const auto& part : SplitPath(path)) {
        auto it = cur->children.find(Fold(part));
        if (it == cur->children.end()) return nullptr;
        cur = it->second;
    }
    return cur;
}

RegKey cMemoryRegistry::NewHandle(std::shared_ptr<Node> node) {
    const RegKey key = nextHandle_;
    nextHandle_ += 4;
    handles_[key] = std::move(node);
    return key;
}

std::int32_t cMemoryRegistry::OpenKey(RegKey parent, const std::string& path, RegKey& key) {
    std::shared_ptr<Node> node;
    if (auto rc = Walk(parent, path, false, node); rc != kErrorSuccess) return rc;
    // Like the platform, an empty path below a root gives the root itself.
    key = node->parent == nullptr ? node->root : NewHandle(node);
    return kErrorSuccess;
}

std::int32_t cMemoryRegistry::CreateKey(RegKey parent, const std::string& path, RegKey& key) {
    std::shared_ptr<Node> node;
    if (auto rc = Walk(parent, path, true, node); rc != kErrorSuccess) return rc;
    key = node->parent == nullptr ? node->root : NewHandle(node);
    return kErrorSuccess;
}

std::int32_t cMemoryRegistry::CloseKey(RegKey key) {
    if (roots_.count(key)) return kErrorSuccess;
    return handles_.erase(key) ? kErrorSuccess : kErrorInvalidHandle;
}

std::int32_t cMemoryRegistry::DeleteKey(RegKey key, const std::string& subkey) {
    std::shared_ptr<Node> node;
    if (auto rc = Walk(key, subkey, false, node); rc != kErrorSuccess) return rc;
    if (node->parent == nullptr || !node->children.empty()) return kErrorAccessDenied;
    if (auto rc = Writable(*node); rc != kErrorSuccess) return rc;
    node->deleted = true;
    node->parent->children.erase(Fold(node->name));
    return kErrorSuccess;
}

std::int32_t cMemoryRegistry::DeleteValue(RegKey key, const std::string& name) {
    std::shared_ptr<Node> node;
    if (auto rc = Resolve(key, node); rc != kErrorSuccess) return rc;
    if (auto rc = Writable(*node); rc != kErrorSuccess) return rc;
    return node->values.erase(Fold(name)) ? kErrorSuccess : kErrorFileNotFound;
}

std::int32_t cMemoryRegistry::EnumKey(RegKey key, std::uint32_t index, std::string& name) {
    std::shared_ptr<Node> node;
    if (auto rc = Resolve(key, node); rc != kErrorSuccess) return rc;
    if (index >= node->children.size()) return kErrorNoMoreItems;
    name = std::next(node->children.begin(), index)->second->name;
    return kErrorSuccess;
}

std::int32_t cMemoryRegistry::EnumValue(RegKey key, std::uint32_t index, std::string& name) {
    std::shared_ptr<Node> node;
    if (auto rc = Resolve(key, node); rc != kErrorSuccess) return rc;
    if (index >= node->values.size()) return kErrorNoMoreItems;
    name = std::next(node->values.begin(), index)->second.first;
    return kErrorSuccess;
}

std::int32_t cMemoryRegistry::QueryValue(RegKey key, const std::string& name, RegistryValue& value) {
    std::shared_ptr<Node> node;
    if (auto rc = Resolve(key, node); rc != kErrorSuccess) return rc;
    auto it = node->values.find(Fold(name));
    if (it == node->values.end()) return kErrorFileNotFound;
    value = it->second.second;
    return kErrorSuccess;
}

std::int32_t cMemoryRegistry::Store(RegKey key, const std::string& name, RegistryValue value) {
    std::shared_ptr<Node> node;
    if (auto rc = Resolve(key, node); rc != kErrorSuccess) return rc;
    if (auto rc = Writable(*node); rc != kErrorSuccess) return rc;
    auto& slot = node->values[Fold(name)];
    if (slot.first.empty()) slot.first = name; // an existing value keeps its spelling
    slot.second = std::move(value);
    return kErrorSuccess;
}

std::int32_t cMemoryRegistry::SetStringValue(RegKey key, const std::string& name, const std::string& text) {
    return Store(key, name, {kRegSz, text});
}

std::int32_t cMemoryRegistry::SetDwordValue(RegKey key, const std::string& name, std::uint32_t number) {
    std::string bytes(4, '\0');
    for (std::size_t i = 0; i < 4; ++i)
        bytes[i] = static_cast<char>((number >> (8 * i)) & 0xFF);
    return Store(key, name, {kRegDword, bytes});
}

void cMemoryRegistry::PutRawValue(RegKey root, const std::string& path, const std::string& name,
                                  const RegistryValue& value) {
    // Planted values bypass the refusal switches: they model what an
    // administrator or another program stored earlier.
    auto refused = std::exchange(refusedRoots_, {});
    auto unopenable = std::exchange(unopenable_, {});
    RegKey key = 0;
    if (CreateKey(root, path, key) == kErrorSuccess) {
        Store(key, name, value);
        CloseKey(key);
    }
    refusedRoots_ = std::move(refused);
    unopenable_ = std::move(unopenable);
}

bool cMemoryRegistry::Peek(RegKey root, const std::string& path, const std::string& name, RegistryValue& value) const {
    auto node = Find(root, path);
    if (!node) return false;
    auto it = node->values.find(Fold(name));
    if (it == node->values.end()) return false;
    value = it->second.second;
    return true;
}

bool cMemoryRegistry::KeyExists(RegKey root, const std::string& path) const {
    return Find(root, path) != nullptr;
}

} // namespace qx
