#pragma once
// The registry kept in memory, answering as the Win32 registry does for what
// the core asks of it: names without case, keys created on the way, typed
// values, and a switch that makes a root read-only, as HKEY_LOCAL_MACHINE is
// for a user without administrator rights.
#include "core/platform/IRegistry.h"

#include <cctype>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <utility>

namespace qx {

class cMemoryRegistry final : public IRegistry {
public:
    // Creating a key, setting or deleting a value below this root fails with kErrorAccessDenied.
    void RefuseWritesBelow(RegKey root, bool refused = true) {
        if (refused) refused_.insert(root);
        else refused_.erase(root);
    }
    // Plants a value whatever the refusals: what an administrator or another program stored earlier.
    void PutRawValue(RegKey root, const std::string& path, const std::string& name, const RegistryValue& value) {
        Make(root, path)[Fold(name)] = {name, value};
    }
    bool Peek(RegKey root, const std::string& path, const std::string& name, RegistryValue& value) const {
        const auto key = keys_.find({root, Fold(path)});
        if (key == keys_.end() || !key->second.count(Fold(name))) return false;
        value = key->second.at(Fold(name)).second;
        return true;
    }
    std::size_t OpenKeyCount() const { return handles_.size(); }

    std::int32_t OpenKey(RegKey parent, const std::string& path, RegKey& key) override {
        return Open(parent, path, false, key);
    }
    std::int32_t CreateKey(RegKey parent, const std::string& path, RegKey& key) override {
        return Open(parent, path, true, key);
    }
    std::int32_t CloseKey(RegKey key) override { return handles_.erase(key) ? kErrorSuccess : kErrorInvalidHandle; }
    // No test deletes keys or walks subkeys.
    std::int32_t DeleteKey(RegKey, const std::string&) override { return kErrorAccessDenied; }
    std::int32_t EnumKey(RegKey, std::uint32_t, std::string&) override { return kErrorNoMoreItems; }
    std::int32_t DeleteValue(RegKey key, const std::string& name) override {
        Values* values = nullptr;
        if (const auto rc = Find(key, true, values); rc != kErrorSuccess) return rc;
        return values->erase(Fold(name)) ? kErrorSuccess : kErrorFileNotFound;
    }
    std::int32_t EnumValue(RegKey key, std::uint32_t index, std::string& name) override {
        Values* values = nullptr;
        if (const auto rc = Find(key, false, values); rc != kErrorSuccess) return rc;
        if (index >= values->size()) return kErrorNoMoreItems;
        name = std::next(values->begin(), index)->second.first;
        return kErrorSuccess;
    }
    std::int32_t QueryValue(RegKey key, const std::string& name, RegistryValue& value) override {
        Values* values = nullptr;
        if (const auto rc = Find(key, false, values); rc != kErrorSuccess) return rc;
        if (!values->count(Fold(name))) return kErrorFileNotFound;
        value = values->at(Fold(name)).second;
        return kErrorSuccess;
    }
    std::int32_t SetStringValue(RegKey key, const std::string& name, const std::string& text) override {
        return Store(key, name, {kRegSz, text});
    }
    std::int32_t SetDwordValue(RegKey key, const std::string& name, std::uint32_t n) override {
        const char bytes[] = {static_cast<char>(n), static_cast<char>(n >> 8), static_cast<char>(n >> 16),
                              static_cast<char>(n >> 24)};
        return Store(key, name, {kRegDword, std::string(bytes, 4)});
    }

private:
    using Id = std::pair<RegKey, std::string>;                                    // root, folded path
    using Values = std::map<std::string, std::pair<std::string, RegistryValue>>; // by folded name: name, value

    static std::string Fold(std::string s) {
        for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        return s;
    }
    Values& Make(RegKey root, const std::string& path) {
        for (std::size_t at = path.find('\\'); at != std::string::npos; at = path.find('\\', at + 1))
            keys_[{root, Fold(path.substr(0, at))}];
        return keys_[{root, Fold(path)}];
    }
    // The values of an open key; the core opens keys only below a root and works on them through handles.
    std::int32_t Find(RegKey key, bool write, Values*& values) {
        const auto h = handles_.find(key);
        if (h == handles_.end()) return kErrorInvalidHandle;
        if (write && refused_.count(h->second.first)) return kErrorAccessDenied;
        values = &keys_[h->second];
        return kErrorSuccess;
    }
    std::int32_t Open(RegKey root, const std::string& path, bool create, RegKey& key) {
        if (!keys_.count({root, Fold(path)})) {
            if (!create) return kErrorFileNotFound;
            if (refused_.count(root)) return kErrorAccessDenied;
            Make(root, path);
        }
        key = next_ += 4;
        handles_[key] = {root, Fold(path)};
        return kErrorSuccess;
    }
    std::int32_t Store(RegKey key, const std::string& name, const RegistryValue& value) {
        Values* values = nullptr;
        if (const auto rc = Find(key, true, values); rc != kErrorSuccess) return rc;
        (*values)[Fold(name)] = {name, value};
        return kErrorSuccess;
    }

    std::map<Id, Values> keys_;
    std::map<RegKey, Id> handles_;
    std::set<RegKey> refused_;
    RegKey next_ = 0x100;
};

} // namespace qx
