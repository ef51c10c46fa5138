#pragma once
// Message boxes and the main window's caption. The caption is kept as text,
// so a run without a window still answers GetCaption, and is shown on the
// main window once one is attached.
#include "core/platform/IProcessWindowServices.h"
#include "core/platform/IUserInterface.h"

#include <map>

namespace qx::win32 {

class cWin32UserInterface final : public IUserInterface {
public:
    int MessageBox(const std::string& text, std::uint32_t style, const std::string& title = {}) override;
    void SetCaption(const std::string& text) override;
    std::string GetCaption() override { return caption_; }
    bool ShowFileDialog(const FileDialogRequest& request, std::string& path) override;
    // Kept as text until the main window's status bar exists to show it.
    void SetStatusText(int panel, const std::string& text) override;
    std::string StatusText(int panel) const;

    // The window that owns the message boxes and shows the caption; 0 for none.
    void SetMainWindow(WindowHandle w) { mainWindow_ = w; }

private:
    std::string caption_ = kAppTitle;
    WindowHandle mainWindow_ = 0;
    std::map<int, std::string> status_;
};

} // namespace qx::win32
