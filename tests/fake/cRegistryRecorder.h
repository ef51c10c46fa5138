#pragma once
// Passes every call on to a registry store, counting the calls and recording
// the names of the values written, in order.
#include "core/platform/IRegistry.h"

#include <string>
#include <vector>

namespace qx::fake {

class cRegistryRecorder final : public IRegistry {
public:
    explicit cRegistryRecorder(IRegistry& store) : store_(store) {}
    int calls = 0;
    std::vector<std::string> written;

    std::int32_t OpenKey(RegKey p, const std::string& s, RegKey& k) override {
        return ++calls, store_.OpenKey(p, s, k);
    }
    std::int32_t CreateKey(RegKey p, const std::string& s, RegKey& k) override {
        return ++calls, store_.CreateKey(p, s, k);
    }
    std::int32_t CloseKey(RegKey k) override { return ++calls, store_.CloseKey(k); }
    std::int32_t DeleteKey(RegKey k, const std::string& s) override { return ++calls, store_.DeleteKey(k, s); }
    std::int32_t DeleteValue(RegKey k, const std::string& n) override { return ++calls, store_.DeleteValue(k, n); }
    std::int32_t EnumKey(RegKey k, std::uint32_t i, std::string& n) override {
        return ++calls, store_.EnumKey(k, i, n);
    }
    std::int32_t EnumValue(RegKey k, std::uint32_t i, std::string& n) override {
        return ++calls, store_.EnumValue(k, i, n);
    }
    std::int32_t QueryValue(RegKey k, const std::string& n, RegistryValue& v) override {
        return ++calls, store_.QueryValue(k, n, v);
    }
    std::int32_t SetStringValue(RegKey k, const std::string& n, const std::string& t) override {
        written.push_back(n);
        return ++calls, store_.SetStringValue(k, n, t);
    }
    std::int32_t SetDwordValue(RegKey k, const std::string& n, std::uint32_t v) override {
        written.push_back(n);
        return ++calls, store_.SetDwordValue(k, n, v);
    }

private:
    IRegistry& store_;
};

} // namespace qx::fake
