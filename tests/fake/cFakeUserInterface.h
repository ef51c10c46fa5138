#pragma once
// Records every message box, file dialog, caption and status text; answers
// boxes and dialogs from a script.
#include "core/platform/IUserInterface.h"

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace qx::fake {

class cFakeUserInterface final : public IUserInterface {
public:
    struct Box {
        std::string text;
        std::uint32_t style = 0;
        std::string title;
    };
    std::vector<Box> boxes;
    std::vector<std::string> captions; // every caption set, in order
    std::deque<int> answers;           // next answers; when empty, boxes answer OK (or Yes)
    std::vector<FileDialogRequest> dialogs;
    std::deque<std::optional<std::string>> chosenFiles; // next dialog results; nullopt or none left: cancel
    std::map<int, std::string> statusText;              // by panel
    // Runs while a box is up, as a message the box's own loop dispatches would.
    std::function<void(const Box&)> duringBox;

    int MessageBox(const std::string& text, std::uint32_t style, const std::string& title = {}) override {
        boxes.push_back({text, style, title.empty() ? std::string(kAppTitle) : title});
        if (duringBox) {
            const Box shown = boxes.back(); // the callback may show boxes of its own
            duringBox(shown);
        }
        if (!answers.empty()) {
            const int a = answers.front();
            answers.pop_front();
            return a;
        }
        const std::uint32_t buttons = style & 0xF;
        return (buttons == kMbYesNo || buttons == kMbYesNoCancel) ? kIdYes : kIdOk;
    }
    void SetCaption(const std::string& text) override {
        caption_ = text;
        captions.push_back(text);
    }
    std::string GetCaption() override { return caption_; }
    bool ShowFileDialog(const FileDialogRequest& request, std::string& path) override {
        dialogs.push_back(request);
        if (chosenFiles.empty()) return false;
        const std::optional<std::string> chosen = chosenFiles.front();
        chosenFiles.pop_front();
        if (!chosen) return false;
        path = *chosen;
        return true;
    }
    void SetStatusText(int panel, const std::string& text) override { statusText[panel] = text; }

private:
    std::string caption_ = kAppTitle;
};

} // namespace qx::fake
