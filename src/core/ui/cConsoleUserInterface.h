#pragma once
// The user interface of a run that has no window and no user to ask: a
// message box's text goes to standard error unchanged, and a question takes
// the answer that changes nothing on disk (Cancel where offered, else No).
// File dialogs are never shown.
#include "core/platform/IConsole.h"
#include "core/platform/IUserInterface.h"

namespace qx {

class cConsoleUserInterface final : public IUserInterface {
public:
    explicit cConsoleUserInterface(IConsole& console) : console_(console) {}

    int MessageBox(const std::string& text, std::uint32_t style, const std::string& title = {}) override;
    void SetCaption(const std::string& text) override { caption_ = text; }
    std::string GetCaption() override { return caption_; }
    bool ShowFileDialog(const FileDialogRequest&, std::string&) override { return false; }
    void SetStatusText(int, const std::string&) override {}

private:
    IConsole& console_;
    std::string caption_ = kAppTitle;
};

} // namespace qx
