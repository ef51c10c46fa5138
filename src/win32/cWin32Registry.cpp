#include "win32/cWin32Registry.h"

#include "win32/WideText.h"

#include <windows.h>

#include <cstring>
#include <vector>

namespace qx::win32 {

namespace {

constexpr REGSAM kReadWrite = KEY_READ | KEY_WRITE;

// The predefined keys are sign-extended on 64-bit Windows; the core knows
// them by their 32-bit numbers.
const std::pair<RegKey, HKEY> kRoots[] = {
    {kHkeyClassesRoot, HKEY_CLASSES_ROOT},
    {kHkeyCurrentUser, HKEY_CURRENT_USER},
    {kHkeyLocalMachine, HKEY_LOCAL_MACHINE},
    {kHkeyUsers, HKEY_USERS},
};

HKEY ToHkey(RegKey key) {
    for (const auto& [number, hkey] : kRoots)
        if (number == key) return hkey;
    return reinterpret_cast<HKEY>(key);
}

bool IsRoot(RegKey key) {
    for (const auto& root : kRoots)
        if (root.first == key) return true;
    return false;
}

std::int32_t Result(LONG rc) {
    return static_cast<std::int32_t>(rc);
}

} // namespace

cWin32Registry::~cWin32Registry() {
    for (RegKey key : open_)
        RegCloseKey(ToHkey(key));
}

bool cWin32Registry::Known(RegKey key) const {
    return IsRoot(key) || open_.count(key) != 0;
}

RegKey cWin32Registry::Adopt(void* handle) {
    const auto hkey = static_cast<HKEY>(handle);
    for (const auto& [number, root] : kRoots)
        if (root == hkey) return number;
    const auto key = reinterpret_cast<RegKey>(hkey);
    open_.insert(key);
    return key;
}

std::int32_t cWin32Registry::OpenKey(RegKey parent, const std::string& path, RegKey& key) {
    if (!Known(parent)) return kErrorInvalidHandle;
    const std::wstring wpath = Widen(path);
    HKEY h = nullptr;
    LONG rc = RegOpenKeyExW(ToHkey(parent), wpath.c_str(), 0, kReadWrite, &h);
    if (rc == ERROR_ACCESS_DENIED) rc = RegOpenKeyExW(ToHkey(parent), wpath.c_str(), 0, KEY_READ, &h);
    if (rc == ERROR_SUCCESS) key = Adopt(h);
    return Result(rc);
}

std::int32_t cWin32Registry::CreateKey(RegKey parent, const std::string& path, RegKey& key) {
    if (!Known(parent)) return kErrorInvalidHandle;
    const std::wstring wpath = Widen(path);
    HKEY h = nullptr;
    LONG rc = RegCreateKeyExW(ToHkey(parent), wpath.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, kReadWrite, nullptr,
                              &h, nullptr);
    // An existing key opens for reading even where it may not be written.
    if (rc == ERROR_ACCESS_DENIED && RegOpenKeyExW(ToHkey(parent), wpath.c_str(), 0, KEY_READ, &h) == ERROR_SUCCESS)
        rc = ERROR_SUCCESS;
    if (rc == ERROR_SUCCESS) key = Adopt(h);
    return Result(rc);
}

std::int32_t cWin32Registry::CloseKey(RegKey key) {
    if (IsRoot(key)) return kErrorSuccess;
    if (open_.erase(key) == 0) return kErrorInvalidHandle;
    return Result(RegCloseKey(ToHkey(key)));
}

std::int32_t cWin32Registry::DeleteKey(RegKey key, const std::string& subkey) {
    if (!Known(key)) return kErrorInvalidHandle;
    return Result(RegDeleteKeyW(ToHkey(key), Widen(subkey).c_str()));
}

std::int32_t cWin32Registry::DeleteValue(RegKey key, const std::string& name) {
    if (!Known(key)) return kErrorInvalidHandle;
    return Result(RegDeleteValueW(ToHkey(key), Widen(name).c_str()));
}

std::int32_t cWin32Registry::EnumKey(RegKey key, std::uint32_t index, std::string& name) {
    if (!Known(key)) return kErrorInvalidHandle;
    wchar_t buffer[256]; // the longest key name the registry allows, plus its NUL
    DWORD length = 256;
    const LONG rc = RegEnumKeyExW(ToHkey(key), index, buffer, &length, nullptr, nullptr, nullptr, nullptr);
    if (rc == ERROR_SUCCESS) name = Narrow(buffer, length);
    return Result(rc);
}

std::int32_t cWin32Registry::EnumValue(RegKey key, std::uint32_t index, std::string& name) {
    if (!Known(key)) return kErrorInvalidHandle;
    std::vector<wchar_t> buffer(16384); // the longest value name, plus its NUL
    auto length = static_cast<DWORD>(buffer.size());
    const LONG rc = RegEnumValueW(ToHkey(key), index, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr);
    if (rc == ERROR_SUCCESS) name = Narrow(buffer.data(), length);
    return Result(rc);
}

std::int32_t cWin32Registry::QueryValue(RegKey key, const std::string& name, RegistryValue& value) {
    if (!Known(key)) return kErrorInvalidHandle;
    const std::wstring wname = Widen(name);
    DWORD type = 0;
    DWORD size = 0;
    LONG rc = RegQueryValueExW(ToHkey(key), wname.c_str(), nullptr, &type, nullptr, &size);
    std::vector<BYTE> data;
    // Another program may make the value longer between the two calls.
    while (rc == ERROR_SUCCESS && data.size() < size) {
        data.resize(size);
        rc = RegQueryValueExW(ToHkey(key), wname.c_str(), nullptr, &type, data.data(), &size);
        if (rc == ERROR_MORE_DATA)
            rc = ERROR_SUCCESS;
        else if (rc == ERROR_SUCCESS)
            data.resize(size);
    }
    if (rc != ERROR_SUCCESS) return Result(rc);
    value.type = type;
    if (type == REG_SZ || type == REG_EXPAND_SZ) {
        // An odd last byte is no character; only the terminating NUL is dropped.
        std::wstring text(data.size() / 2, L'\0');
        if (!text.empty()) std::memcpy(text.data(), data.data(), text.size() * sizeof(wchar_t));
        if (!text.empty() && text.back() == L'\0') text.pop_back();
        value.data = Narrow(text);
    } else {
        value.data.assign(data.begin(), data.end());
    }
    return kErrorSuccess;
}

std::int32_t cWin32Registry::SetStringValue(RegKey key, const std::string& name, const std::string& text) {
    if (!Known(key)) return kErrorInvalidHandle;
    const std::wstring wtext = Widen(text);
    const auto bytes = static_cast<DWORD>((wtext.size() + 1) * sizeof(wchar_t));
    return Result(RegSetValueExW(ToHkey(key), Widen(name).c_str(), 0, REG_SZ,
                                 reinterpret_cast<const BYTE*>(wtext.c_str()), bytes));
}

std::int32_t cWin32Registry::SetDwordValue(RegKey key, const std::string& name, std::uint32_t number) {
    if (!Known(key)) return kErrorInvalidHandle;
    const DWORD data = number;
    return Result(RegSetValueExW(ToHkey(key), Widen(name).c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                                 sizeof data));
}

} // namespace qx::win32
