#pragma once
// The registry as the core sees it: a tree of keys holding typed values.
// Every call returns the platform's error code, 0 meaning success, so that the
// layers above can reproduce the Win32 semantics exactly. Names are UTF-8 and
// compared without regard to case; key paths use backslashes.
#include <cstdint>
#include <string>

namespace qx {

using RegKey = std::uintptr_t; // opaque; 0 is never a valid key

inline constexpr RegKey kHkeyClassesRoot = 0x80000000;
inline constexpr RegKey kHkeyCurrentUser = 0x80000001;
inline constexpr RegKey kHkeyLocalMachine = 0x80000002;
inline constexpr RegKey kHkeyUsers = 0x80000003;

inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;

inline constexpr std::int32_t kErrorSuccess = 0;
inline constexpr std::int32_t kErrorFileNotFound = 2;
inline constexpr std::int32_t kErrorAccessDenied = 5;
inline constexpr std::int32_t kErrorInvalidHandle = 6;
inline constexpr std::int32_t kErrorInvalidParameter = 87;
inline constexpr std::int32_t kErrorBadPathname = 161;
inline constexpr std::int32_t kErrorNoMoreItems = 259;
inline constexpr std::int32_t kErrorKeyDeleted = 1018;

struct RegistryValue {
    std::uint32_t type = 0;
    // REG_SZ and REG_EXPAND_SZ: the stored text as UTF-8, without its
    // terminating NUL but with any NUL stored inside it. Other types: the
    // stored bytes as they are (REG_DWORD: 4 bytes, little-endian).
    std::string data;
};

class IRegistry {
public:
    virtual ~IRegistry() = default;
    // Opens an existing key below `parent` (a root or an open key); an empty
    // path opens `parent` anew. Read and write access where granted, else read only.
    virtual std::int32_t OpenKey(RegKey parent, const std::string& path, RegKey& key) = 0;
    // Opens the key, creating it and every missing key on the way.
    virtual std::int32_t CreateKey(RegKey parent, const std::string& path, RegKey& key) = 0;
    virtual std::int32_t CloseKey(RegKey key) = 0;
    // Deletes a key that has no subkeys.
    virtual std::int32_t DeleteKey(RegKey key, const std::string& subkey) = 0;
    virtual std::int32_t DeleteValue(RegKey key, const std::string& name) = 0;
    // Name of the subkey or value at `index` (from 0); kErrorNoMoreItems past the end.
    virtual std::int32_t EnumKey(RegKey key, std::uint32_t index, std::string& name) = 0;
    virtual std::int32_t EnumValue(RegKey key, std::uint32_t index, std::string& name) = 0;
    virtual std::int32_t QueryValue(RegKey key, const std::string& name, RegistryValue& value) = 0;
    virtual std::int32_t SetStringValue(RegKey key, const std::string& name, const std::string& text) = 0;
    virtual std::int32_t SetDwordValue(RegKey key, const std::string& name, std::uint32_t number) = 0;
};

} // namespace qx
