#include "win32/cWin32Shell.h"

#include "win32/ComScope.h"
#include "win32/WideText.h"

#include "win32/WinApi.h"

#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>
// Like WinApi.h does for <windows.h>: no A/W renaming of the port's members.
#undef ShellExecute
#undef ShellExecuteEx

#include <memory>

namespace qx::win32 {

namespace {

HWND ToHwnd(WindowHandle w) { return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(w)); }

// Pointer to a wide string, or null for an empty text (the API's "none").
const wchar_t* OrNull(const std::wstring& s) { return s.empty() ? nullptr : s.c_str(); }

struct ItemListFree {
    void operator()(ITEMIDLIST* p) const { CoTaskMemFree(p); }
};

} // namespace

bool cWin32Shell::BrowseForFolder(WindowHandle owner, const std::string& title, std::uint32_t flags,
                                  std::string& path) {
    ComScope com;
    const std::wstring wideTitle = Widen(title);
    BROWSEINFOW info{};
    info.hwndOwner = ToHwnd(owner);
    info.lpszTitle = wideTitle.c_str();
    info.ulFlags = flags;
    const std::unique_ptr<ITEMIDLIST, ItemListFree> items(SHBrowseForFolderW(&info));
    if (!items) return false;
    wchar_t buf[MAX_PATH]{};
    if (!SHGetPathFromIDListW(items.get(), buf)) return false;
    path = Narrow(buf, wcsnlen(buf, MAX_PATH));
    return true;
}

bool cWin32Shell::ShellExecuteEx(WindowHandle owner, std::uint32_t mask, const std::string& verb,
                                 const std::string& file) {
    const std::wstring wideVerb = Widen(verb), wideFile = Widen(file);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = mask;
    info.hwnd = ToHwnd(owner);
    info.lpVerb = OrNull(wideVerb);
    info.lpFile = wideFile.c_str();
    info.nShow = SW_SHOWNORMAL;
    return ::ShellExecuteExW(&info) != FALSE;
}

bool cWin32Shell::ShellExecute(WindowHandle owner, const std::string& verb, const std::string& file,
                               const std::string& parameters, const std::string& directory,
                               std::int32_t showCommand) {
    const std::wstring v = Widen(verb), f = Widen(file), p = Widen(parameters), d = Widen(directory);
    const HINSTANCE result = ::ShellExecuteW(ToHwnd(owner), OrNull(v), f.c_str(), OrNull(p), OrNull(d), showCommand);
    // Values above 32 mean success.
    return reinterpret_cast<std::intptr_t>(result) > 32;
}

bool cWin32Shell::SetWindowPos(WindowHandle w, std::intptr_t insertAfter, std::uint32_t flags) {
    return ::SetWindowPos(ToHwnd(w), reinterpret_cast<HWND>(insertAfter), 0, 0, 0, 0, flags) != FALSE;
}

} // namespace qx::win32
