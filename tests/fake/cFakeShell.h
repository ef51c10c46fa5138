#pragma once
// Records every shell call; the folder browser answers from a script.
#include "core/platform/IShell.h"

#include <string>
#include <vector>

namespace qx::fake {

class cFakeShell final : public IShell {
public:
    struct Call {
        std::string what; // "browse", "execex", "exec", "setpos"
        WindowHandle window = 0;
        std::string verb, file, parameters, directory;
        std::intptr_t insertAfter = 0;
        std::uint32_t flags = 0;
        std::int32_t show = 0;
    };
    std::vector<Call> calls;
    bool browseResult = false;
    std::string browsePath; // handed out when browseResult is true
    bool result = true;     // result of the other calls

    bool BrowseForFolder(WindowHandle owner, const std::string& title, std::uint32_t flags,
                         std::string& path) override {
        calls.push_back({"browse", owner, {}, title, {}, {}, 0, flags, 0});
        if (browseResult) path = browsePath;
        return browseResult;
    }
    bool ShellExecuteEx(WindowHandle owner, std::uint32_t mask, const std::string& verb,
                        const std::string& file) override {
        calls.push_back({"execex", owner, verb, file, {}, {}, 0, mask, 0});
        return result;
    }
    bool ShellExecute(WindowHandle owner, const std::string& verb, const std::string& file,
                      const std::string& parameters, const std::string& directory,
                      std::int32_t showCommand) override {
        calls.push_back({"exec", owner, verb, file, parameters, directory, 0, 0, showCommand});
        return result;
    }
    bool SetWindowPos(WindowHandle w, std::intptr_t insertAfter, std::uint32_t flags) override {
        calls.push_back({"setpos", w, {}, {}, {}, {}, insertAfter, flags, 0});
        return result;
    }
};

} // namespace qx::fake
