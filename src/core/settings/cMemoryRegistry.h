#pragma once
// A registry kept in memory: the settings store on a host without the Win32
// registry, and the store the core's tests drive. It answers like the Win32
// registry does (error codes, case-insensitive names, keys created on the way,
// keys with subkeys not deletable, handles to deleted keys refused), and can
// be told to act like a machine where the user lacks administrator rights.
#include "core/platform/IRegistry.h"

#include <cstddef>
#include <map>
#include <memory>
#include <set>
#include <string>

namespace qx {

class cMemoryRegistry final : public IRegistry {
public:
    cMemoryRegistry();

    // Creating a missing key, setting or deleting anything below this root
    // fails with kErrorAccessDenied; reading and opening still work.
    void RefuseWritesBelow(RegKey root) { refusedRoots_.insert(root); }
    // Opening or creating exactly this key fails with kErrorAccessDenied.
    void MakeUnopenable(RegKey root, const std::string& path);
    // Plants a value of any type and content, creating its key (tests only).
    void PutRawValue(RegKey root, const std::string& path, const std::string& name, const RegistryValue& value);
    // Reads a value without handles; false when the key or the value is missing.
    bool Peek(RegKey root, const std::string& path, const std::string& name, RegistryValue& value) const;
    bool KeyExists(RegKey root, const std::string& path) const;
    std::size_t OpenKeyCount() const { return handles_.size(); }

    std::int32_t OpenKey(RegKey parent, const std::string& path, RegKey& key) override;
    std::int32_t CreateKey(RegKey parent, const std::string& path, RegKey& key) override;
    std::int32_t CloseKey(RegKey key) override;
    std::int32_t DeleteKey(RegKey key, const std::string& subkey) override;
    std::int32_t DeleteValue(RegKey key, const std::string& name) override;
    std::int32_t EnumKey(RegKey key, std::uint32_t index, std::string& name) override;
    std::int32_t EnumValue(RegKey key, std::uint32_t index, std::string& name) override;
    std::int32_t QueryValue(RegKey key, const std::string& name, RegistryValue& value) override;
    std::int32_t SetStringValue(RegKey key, const std::string& name, const std::string& text) override;
    std::int32_t SetDwordValue(RegKey key, const std::string& name, std::uint32_t number) override;

private:
    struct Node {
        std::string name; // as first created
        RegKey root = 0;
        Node* parent = nullptr;
        bool deleted = false;
        // Both keyed by folded name, so enumeration is sorted as the platform's is.
        std::map<std::string, std::shared_ptr<Node>> children;
        std::map<std::string, std::pair<std::string, RegistryValue>> values; // name as set, value
        std::string path;                                                    // folded, from the root
    };
    static std::string Fold(const std::string& name);
    std::int32_t Resolve(RegKey key, std::shared_ptr<Node>& node) const; // handle or root to a live node
    std::int32_t Walk(RegKey parent, const std::string& path, bool create, std::shared_ptr<Node>& node);
    std::shared_ptr<Node> Find(RegKey root, const std::string& path) const;
    std::int32_t Writable(const Node& node) const;
    RegKey NewHandle(std::shared_ptr<Node> node);
    std::int32_t Store(RegKey key, const std::string& name, RegistryValue value);

    std::map<RegKey, std::shared_ptr<Node>> roots_;
    std::map<RegKey, std::shared_ptr<Node>> handles_;
    std::set<RegKey> refusedRoots_;
    std::set<std::pair<RegKey, std::string>> unopenable_;
    RegKey nextHandle_ = 0x100;
};

} // namespace qx
