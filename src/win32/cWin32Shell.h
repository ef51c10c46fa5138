#pragma once
// Shell services and window placement from the real platform.
#include "core/platform/IShell.h"

namespace qx::win32 {

class cWin32Shell final : public IShell {
public:
    bool BrowseForFolder(WindowHandle owner, const std::string& title, std::uint32_t flags,
                         std::string& path) override;
    bool ShellExecuteEx(WindowHandle owner, std::uint32_t mask, const std::string& verb,
                        const std::string& file) override;
    bool ShellExecute(WindowHandle owner, const std::string& verb, const std::string& file,
                      const std::string& parameters, const std::string& directory,
                      std::int32_t showCommand) override;
    bool SetWindowPos(WindowHandle w, std::intptr_t insertAfter, std::uint32_t flags) override;
};

} // namespace qx::win32
