#include "cDialogUser.h"

#include <utility>

namespace qx::test {
namespace {

struct Search {
    const std::wstring* caption; // nullptr: a message box other than except
    HWND except;
    HWND found = nullptr;
};

BOOL CALLBACK FindDialog(HWND w, LPARAM lParam) {
    auto& s = *reinterpret_cast<Search*>(lParam);
    wchar_t cls[16] = L"";
    GetClassNameW(w, cls, 16);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (w == s.except || pid != GetCurrentProcessId() || std::wstring(cls) != L"#32770" || !IsWindowVisible(w))
        return TRUE;
    // A message box has its text in the static control 0xFFFF.
    if (s.caption != nullptr ? cDialogUser::Text(w) != *s.caption : GetDlgItem(w, 0xFFFF) == nullptr) return TRUE;
    s.found = w;
    return FALSE;
}

HWND WaitForDialog(const std::wstring* caption, HWND except) {
    Search search{caption, except};
    cDialogUser::WaitFor([&] { return !EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&search)); });
    return search.found;
}

} // namespace

cDialogUser::cDialogUser(std::wstring caption, Script script)
    : caption_(std::move(caption)), script_(std::move(script)) {
    worker_ = std::thread([this] {
        dialog_ = WaitForDialog(&caption_, nullptr);
        if (dialog_ == nullptr) return;
        found_ = true;
        Sleep(150); // let the dialog finish its first painting
        script_(*this, dialog_);
        if (IsWindow(dialog_) && WaitFor([this] { return !IsWindow(dialog_); }) == false) {
            leftOpen_ = true;
            PostMessageW(dialog_, WM_COMMAND, IDCANCEL, 0);
        }
    });
}

cDialogUser::~cDialogUser() {
    Join();
}

void cDialogUser::Join() {
    if (worker_.joinable()) worker_.join();
}

HWND cDialogUser::Control(HWND dialog, int id) {
    std::pair<int, HWND> search{id, nullptr};
    EnumChildWindows(
        dialog,
        [](HWND w, LPARAM p) -> BOOL {
            auto& s = *reinterpret_cast<std::pair<int, HWND>*>(p);
            if (GetDlgCtrlID(w) == s.first) s.second = w;
            return s.second == nullptr;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.second;
}

std::wstring cDialogUser::Text(HWND window) {
    wchar_t text[1024] = L"";
    GetWindowTextW(window, text, 1024);
    return text;
}

bool cDialogUser::WaitFor(const std::function<bool()>& condition) {
    for (int i = 0; i < 300 && !condition(); ++i) Sleep(10);
    return condition();
}

HWND cDialogUser::WaitForBox(HWND dialog, std::wstring& text) {
    HWND box = WaitForDialog(nullptr, dialog);
    if (box != nullptr) text = Text(GetDlgItem(box, 0xFFFF));
    return box;
}

void cDialogUser::Answer(HWND box, int button) {
    PostMessageW(box, WM_COMMAND, static_cast<WPARAM>(button), 0);
    WaitFor([&] { return !IsWindow(box); });
}

} // namespace qx::test
