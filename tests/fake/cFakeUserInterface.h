#pragma once
// Records every message box and caption change; answers boxes from a script.
#include "core/platform/IUserInterface.h"

#include <deque>
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

    int MessageBox(const std::string& text, std::uint32_t style, const std::string& title = {}) override {
        boxes.push_back({text, style, title.empty() ? std::string(kAppTitle) : title});
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

private:
    std::string caption_ = kAppTitle;
};

} // namespace qx::fake
