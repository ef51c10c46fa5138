#include "win32/modProgramVersion.h"

#include "core/platform/IUserInterface.h"
#include "win32/WideText.h"
#include "win32/WinApi.h"

#include <cstdio>
#include <vector>

namespace qx::win32 {

namespace {

// One string of the resource's first translation; empty when it has none.
std::string StringValue(const std::vector<unsigned char>& block, const wchar_t* translation, const wchar_t* name) {
    const std::wstring query = std::wstring(L"\\StringFileInfo\\") + translation + L"\\" + name;
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block.data(), query.c_str(), &value, &length) || value == nullptr || length == 0) return {};
    const auto* text = static_cast<const wchar_t*>(value);
    // The length counts the terminator; do not rely on that.
    return Narrow(text, wcsnlen(text, length));
}

} // namespace

std::wstring RunningModulePath() {
    std::vector<wchar_t> path(MAX_PATH);
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return {};
        if (n < path.size()) return std::wstring(path.data(), n);
        if (path.size() >= 32768) return {};
        path.resize(path.size() * 2);
    }
}

bool ReadProgramVersion(ProgramVersion& out) { return ReadFileVersion(RunningModulePath(), out); }

bool ReadFileVersion(const std::wstring& file, ProgramVersion& out) {
    out = ProgramVersion{};
    out.productName = kAppTitle;
    if (file.empty()) return false;
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(file.c_str(), &ignored);
    if (size == 0) return false;
    std::vector<unsigned char> block(size);
    if (!GetFileVersionInfoW(file.c_str(), 0, size, block.data())) return false;

    void* value = nullptr;
    UINT length = 0;
    if (VerQueryValueW(block.data(), L"\\", &value, &length) && value != nullptr && length >= sizeof(VS_FIXEDFILEINFO)) {
        const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
        char text[48];
        std::snprintf(text, sizeof text, "%lu.%lu.%lu.%lu", static_cast<unsigned long>(HIWORD(fixed->dwFileVersionMS)),
                      static_cast<unsigned long>(LOWORD(fixed->dwFileVersionMS)),
                      static_cast<unsigned long>(HIWORD(fixed->dwFileVersionLS)),
                      static_cast<unsigned long>(LOWORD(fixed->dwFileVersionLS)));
        out.version = text;
    }

    struct Translation {
        WORD language, codePage;
    };
    if (VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", &value, &length) && value != nullptr &&
        length >= sizeof(Translation)) {
        const auto* first = static_cast<const Translation*>(value);
        wchar_t key[16];
        swprintf(key, 16, L"%04x%04x", first->language, first->codePage);
        const std::string product = StringValue(block, key, L"ProductName");
        if (!product.empty()) out.productName = product;
        out.companyName = StringValue(block, key, L"CompanyName");
        out.description = StringValue(block, key, L"FileDescription");
    }
    return true;
}

std::string ProgramVersionLine() {
    ProgramVersion version;
    if (!ReadProgramVersion(version) || version.version.empty()) return {};
    return version.productName + " version " + version.version;
}

} // namespace qx::win32
