#pragma once
// The user-interface port as the main window sees it: boxes and file dialogs
// go to the program's own port, while the caption and the status panels are
// also shown on the window and its status bar.
#include "core/platform/IUserInterface.h"
#include "win32/WinApi.h"

namespace qx::win32 {

class cMainWindowUserInterface final : public IUserInterface {
public:
    explicit cMainWindowUserInterface(IUserInterface& inner) : inner_(inner) {}

    void Attach(HWND window, HWND statusBar) {
        window_ = window;
        statusBar_ = statusBar;
    }

    int MessageBox(const std::string& text, std::uint32_t style, const std::string& title = {}) override {
        return inner_.MessageBox(text, style, title);
    }
    void SetCaption(const std::string& text) override;
    // The caption the window shows, so that a run that puts its own text
    // there gives back exactly what was there before.
    std::string GetCaption() override;
    bool ShowFileDialog(const FileDialogRequest& request, std::string& path) override {
        return inner_.ShowFileDialog(request, path);
    }
    // Panels are counted from 1.
    void SetStatusText(int panel, const std::string& text) override;

private:
    IUserInterface& inner_;
    HWND window_ = nullptr;
    HWND statusBar_ = nullptr;
};

} // namespace qx::win32
