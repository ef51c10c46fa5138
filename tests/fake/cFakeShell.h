#pragma once
// Records the folder browser and ShellExecute calls; the browser answers from a script.
#include "core/platform/IShell.h"

#include <string>
#include <vector>

namespace qx::fake {

class cFakeShell final : public IShell {
public:
    struct Call {
        WindowHandle window = 0;
        std::string verb, file, parameters;
        std::uint32_t flags = 0;
        std::int32_t show = 0;
    };
    std::vector<Call> calls;
    bool browseResult = false;
    std::string browsePath; // handed out when browseResult is true
    bool result = true;     // result of ShellExecute

    bool BrowseForFolder(WindowHandle owner, const std::string& title, std::uint32_t flags,
                         std::string& path) override {
        calls.push_back({owner, {}, title, {}, flags, 0});
        if (browseResult) path = browsePath;
        return browseResult;
    }
    bool ShellExecuteEx(WindowHandle, std::uint32_t, const std::string&, const std::string&) override { return false; }
    bool ShellExecute(WindowHandle owner, const std::string& verb, const std::string& file,
                      const std::string& parameters, const std::string&, std::int32_t showCommand) override {
        calls.push_back({owner, verb, file, parameters, 0, showCommand});
        return result;
    }
    bool SetWindowPos(WindowHandle, std::intptr_t, std::uint32_t) override { return false; }
};

} // namespace qx::fake
