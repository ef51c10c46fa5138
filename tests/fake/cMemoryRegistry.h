#pragma once
// The registry kept in memory, answering as the Win32 registry does for what
// the core asks of it: keys opened below a root, created when asked, typed
// values, and a switch that makes a root read-only, as HKEY_LOCAL_MACHINE is
// for a user without administrator rights. Names are taken as spelt: the
// program always spells them one way.
#include "core/platform/IRegistry.h"

#include <iterator>
#include <map>
#include <set>
#include <string>

namespace qx {

class cMemoryRegistry final : public IRegistry {
public:
    // Creating a key, setting or deleting a value below these roots fails with kErrorAccessDenied.
    std::set<RegKey> refused;
    void RefuseWritesBelow(RegKey root) { refused.insert(root); }
    // Plants a value whatever the refusals: what an administrator or another program stored earlier.
    void PutRawValue(RegKey root, const std::string& path, const std::string& name, const RegistryValue& value) {
        keys_[{root, path}][name] = value;
    }
    bool Peek(RegKey root, const std::string& path, const std::string& name, RegistryValue& value) const {
        const auto key = keys_.find({root, path});
        const bool found = key != keys_.end() && key->second.count(name);
        if (found) value = key->second.at(name);
        return found;
    }
    std::size_t OpenKeyCount() const { return handles_.size(); }

    std::int32_t OpenKey(RegKey root, const std::string& path, RegKey& key) override {
        if (!keys_.count({root, path})) return kErrorFileNotFound;
        handles_[key = next_ += 4] = {root, path};
        return kErrorSuccess;
    }
    std::int32_t CreateKey(RegKey root, const std::string& path, RegKey& key) override {
        if (!keys_.count({root, path}) && refused.count(root)) return kErrorAccessDenied;
        keys_[{root, path}];
        return OpenKey(root, path, key);
    }
    std::int32_t CloseKey(RegKey key) override { return handles_.erase(key) ? kErrorSuccess : kErrorInvalidHandle; }
    // No test deletes keys or walks subkeys.
    std::int32_t DeleteKey(RegKey, const std::string&) override { return kErrorAccessDenied; }
    std::int32_t EnumKey(RegKey, std::uint32_t, std::string&) override { return kErrorNoMoreItems; }
    std::int32_t DeleteValue(RegKey key, const std::string& name) override {
        Values* values = Find(key, true);
        return !values ? kErrorAccessDenied : values->erase(name) ? kErrorSuccess : kErrorFileNotFound;
    }
    std::int32_t EnumValue(RegKey key, std::uint32_t index, std::string& name) override {
        const Values* values = Find(key, false);
        if (values && index < values->size()) name = std::next(values->begin(), index)->first;
        return values && index < values->size() ? kErrorSuccess : kErrorNoMoreItems;
    }
    std::int32_t QueryValue(RegKey key, const std::string& name, RegistryValue& value) override {
        const Values* values = Find(key, false);
        if (values && values->count(name)) value = values->at(name);
        return values && values->count(name) ? kErrorSuccess : kErrorFileNotFound;
    }
    std::int32_t SetStringValue(RegKey key, const std::string& name, const std::string& text) override {
        return Store(key, name, {kRegSz, text});
    }
    std::int32_t SetDwordValue(RegKey key, const std::string& name, std::uint32_t n) override {
        return Store(key, name, {kRegDword, std::string(reinterpret_cast<const char*>(&n), 4)}); // little-endian
    }

private:
    using Values = std::map<std::string, RegistryValue>;

    // The values behind an open key; null for a key not open, or not writable when asked to be.
    Values* Find(RegKey key, bool write) {
        const auto h = handles_.find(key);
        if (h == handles_.end() || (write && refused.count(h->second.first))) return nullptr;
        return &keys_[h->second];
    }
    std::int32_t Store(RegKey key, const std::string& name, const RegistryValue& value) {
        Values* values = Find(key, true);
        if (values) (*values)[name] = value;
        return values ? kErrorSuccess : kErrorAccessDenied;
    }

    std::map<std::pair<RegKey, std::string>, Values> keys_; // by root and path
    std::map<RegKey, std::pair<RegKey, std::string>> handles_;
    RegKey next_ = 0x100;
};

} // namespace qx
