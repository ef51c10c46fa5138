#include "cDialogUser.h"

#include <commctrl.h>

#include <vector>

namespace qx::test {
namespace {

struct Search {
    const std::wstring* caption;
    HWND except;
    HWND found;
};

bool IsOwnDialog(HWND w) {
    wchar_t cls[16] = L"";
    GetClassNameW(w, cls, 16);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    return pid == GetCurrentProcessId() && std::wstring(cls) == L"#32770" && IsWindowVisible(w);
}

BOOL CALLBACK FindDialog(HWND w, LPARAM lParam) {
    auto& s = *reinterpret_cast<Search*>(lParam);
    if (w == s.except || !IsOwnDialog(w)) return TRUE;
    if (s.caption != nullptr && cDialogUser::Text(w) != *s.caption) return TRUE;
    // A message box has its text in the static control 0xFFFF.
    if (s.caption == nullptr && GetDlgItem(w, 0xFFFF) == nullptr) return TRUE;
    s.found = w;
    return FALSE;
}

struct ChildSearch {
    int id;
    HWND found;
};

BOOL CALLBACK FindChild(HWND w, LPARAM lParam) {
    auto& s = *reinterpret_cast<ChildSearch*>(lParam);
    if (GetDlgCtrlID(w) != s.id) return TRUE;
    s.found = w;
    return FALSE;
}

} // namespace

cDialogUser::cDialogUser(std::wstring caption, Script script) : caption_(std::move(caption)), script_(std::move(script)) {
    worker_ = std::thread([this] {
        Search search{&caption_, nullptr, nullptr};
        WaitFor([&] {
            EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        });
        if (search.found == nullptr) return;
        dialog_ = search.found;
        found_ = true;
        Sleep(150); // let the dialog finish its first painting
        script_(*this, dialog_);
        if (IsWindow(dialog_) && WaitFor([this] { return !IsWindow(dialog_); }) == false) {
            leftOpen_ = true;
            PostMessageW(dialog_, WM_COMMAND, IDCANCEL, 0);
        }
    });
}

cDialogUser::~cDialogUser() { Join(); }

void cDialogUser::Join() {
    if (worker_.joinable()) worker_.join();
}

HWND cDialogUser::Control(HWND dialog, int id) {
    ChildSearch s{id, nullptr};
    EnumChildWindows(dialog, FindChild, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

std::wstring cDialogUser::Text(HWND window) {
    std::vector<wchar_t> buffer(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    GetWindowTextW(window, buffer.data(), static_cast<int>(buffer.size()));
    return buffer.data();
}

bool cDialogUser::Checked(HWND dialog, int id) {
    return SendMessageW(Control(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::wstring cDialogUser::Tip(HWND dialog, HWND control) {
    struct Found {
        HWND owner, tips;
    } found{dialog, nullptr};
    EnumThreadWindows(
        GetWindowThreadProcessId(dialog, nullptr),
        [](HWND w, LPARAM p) -> BOOL {
            auto& f = *reinterpret_cast<Found*>(p);
            wchar_t cls[32] = L"";
            GetClassNameW(w, cls, 32);
            if (GetWindow(w, GW_OWNER) != f.owner || std::wstring(cls) != TOOLTIPS_CLASSW) return TRUE;
            f.tips = w;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    wchar_t text[128] = L"";
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = dialog;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = text;
    if (found.tips != nullptr) SendMessageW(found.tips, TTM_GETTEXTW, 128, reinterpret_cast<LPARAM>(&tool));
    return text;
}

void cDialogUser::Type(HWND edit, const std::wstring& text) {
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void cDialogUser::Focus(HWND dialog, HWND control) {
    SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
}

HWND cDialogUser::Focused(HWND dialog) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info) ? info.hwndFocus : nullptr;
}

void cDialogUser::Click(HWND button) { PostMessageW(button, BM_CLICK, 0, 0); }

void cDialogUser::Toggle(HWND button) { SendMessageW(button, BM_CLICK, 0, 0); }

void cDialogUser::ClickTab(HWND tabStrip, int index) {
    RECT r{};
    SendMessageW(tabStrip, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    PostMessageW(tabStrip, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(tabStrip, WM_LBUTTONUP, 0, at);
    WaitFor([&] { return SendMessageW(tabStrip, TCM_GETCURSEL, 0, 0) == index; });
    Sleep(50);
}

void cDialogUser::Pick(HWND combo, int index) {
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    PostMessageW(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
}

bool cDialogUser::WaitFor(const std::function<bool()>& condition) {
    for (int i = 0; i < 300; ++i) {
        if (condition()) return true;
        Sleep(10);
    }
    return condition();
}

HWND cDialogUser::WaitForBox(HWND dialog, std::wstring& text) {
    Search search{nullptr, dialog, nullptr};
    WaitFor([&] {
        EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
    });
    if (search.found != nullptr) text = Text(GetDlgItem(search.found, 0xFFFF));
    return search.found;
}

HWND cDialogUser::FindOwnDialog(const std::wstring& caption) {
    Search search{&caption, nullptr, nullptr};
    EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND cDialogUser::WaitForDialog(const std::wstring& caption) {
    HWND found = nullptr;
    WaitFor([&] { return (found = FindOwnDialog(caption)) != nullptr; });
    return found;
}

void cDialogUser::AnswerFileDialog(HWND dialog, const std::wstring& name) {
    Sleep(200); // let the dialog finish its start-up
    // The name box is cmb13 in the explorer-style dialog, edt1 in the old one.
    if (!SetDlgItemTextW(dialog, 0x47c, name.c_str())) SetDlgItemTextW(dialog, 0x480, name.c_str());
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
}

void cDialogUser::Answer(HWND box, int button) {
    PostMessageW(box, WM_COMMAND, static_cast<WPARAM>(button), 0);
    WaitFor([&] { return !IsWindow(box); });
}

} // namespace qx::test
