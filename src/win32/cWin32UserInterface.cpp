#include "win32/cWin32UserInterface.h"

#include "win32/WideText.h"
#include "win32/WinApi.h"
#include "win32/WindowHandle.h"

#include <commdlg.h>

#include <vector>

namespace qx::win32 {
namespace {

// Boxes and file dialogs go over the window the user is working in: a modal
// dialog of this program while one is open (its owner, the main window, is
// disabled then), otherwise the main window.
HWND OwnerFor(WindowHandle mainWindow) {
    HWND active = GetActiveWindow();
    return active != nullptr && IsWindowEnabled(active) ? active : ToHwnd(mainWindow);
}

} // namespace

int cWin32UserInterface::MessageBox(const std::string& text, std::uint32_t style, const std::string& title) {
    try {
        const std::wstring caption = Widen(title.empty() ? std::string(kAppTitle) : title);
        return MessageBoxW(OwnerFor(mainWindow_), Widen(text).c_str(), caption.c_str(), style);
    } catch (...) {
        return 0; // as the platform reports a box that could not be shown
    }
}

void cWin32UserInterface::SetCaption(const std::string& text) {
    try {
        caption_ = text;
        if (mainWindow_) SetWindowTextW(ToHwnd(mainWindow_), Widen(text).c_str());
    } catch (...) {
    }
}

bool cWin32UserInterface::ShowFileDialog(const FileDialogRequest& request, std::string& path) {
    try {
        // "Description|pattern|..." becomes the dialog's NUL-separated pairs.
        std::wstring filter = Widen(request.filter);
        for (wchar_t& c : filter) {
            if (c == L'|') c = L'\0';
        }
        filter.append(2, L'\0');
        std::vector<wchar_t> file(32768, L'\0');
        const std::wstring title = Widen(request.title);
        const std::wstring folder = Widen(request.initialFolder);
        const std::wstring extension = Widen(request.defaultExtension);
        OPENFILENAMEW ofn{};
        ofn.lStructSize = sizeof ofn;
        ofn.hwndOwner = OwnerFor(mainWindow_);
        ofn.lpstrFilter = filter.c_str();
        ofn.lpstrFile = file.data();
        ofn.nMaxFile = static_cast<DWORD>(file.size());
        ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
        ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
        ofn.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
        ofn.Flags = request.flags | OFN_NOCHANGEDIR;
        const BOOL chosen =
            request.kind == FileDialogRequest::Kind::Save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
        if (!chosen) return false;
        path = Narrow(std::wstring(file.data()));
        return true;
    } catch (...) {
        return false;
    }
}

void cWin32UserInterface::SetStatusText(int panel, const std::string& text) {
    try {
        status_[panel] = text;
    } catch (...) {
    }
}

std::string cWin32UserInterface::StatusText(int panel) const {
    const auto it = status_.find(panel);
    return it == status_.end() ? std::string{} : it->second;
}

} // namespace qx::win32
