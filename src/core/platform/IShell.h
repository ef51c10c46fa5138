#pragma once
// Shell and window-placement services: folder browser, documents opened by
// their handler or a verb, and the top-most state of a window. Kept close to
// the Win32 calls so that the core decides every argument.
#include "core/platform/IProcessWindowServices.h"

#include <cstdint>
#include <string>

namespace qx {

inline constexpr std::uint32_t kBifReturnOnlyFsDirs = 0x0001;
inline constexpr std::uint32_t kSeeMaskInvokeIdList = 0x000C;
inline constexpr std::int32_t kSwShowNormal = 1;
inline constexpr std::intptr_t kHwndTopMost = -1;
inline constexpr std::intptr_t kHwndNoTopMost = -2;
inline constexpr std::uint32_t kSwpNoSize = 0x0001;
inline constexpr std::uint32_t kSwpNoMove = 0x0002;
inline constexpr std::uint32_t kSwpShowWindow = 0x0040;

class IShell {
public:
    virtual ~IShell() = default;
    // SHBrowseForFolder from the desktop: true and the chosen folder's file
    // system path when the user picked one, false on cancel.
    virtual bool BrowseForFolder(WindowHandle owner, const std::string& title, std::uint32_t flags,
                                 std::string& path) = 0;
    // ShellExecuteEx with the given mask and verb; true when it started.
    virtual bool ShellExecuteEx(WindowHandle owner, std::uint32_t mask, const std::string& verb,
                                const std::string& file) = 0;
    // ShellExecute; an empty verb is the default one. True when it started.
    virtual bool ShellExecute(WindowHandle owner, const std::string& verb, const std::string& file,
                              const std::string& parameters, const std::string& directory,
                              std::int32_t showCommand) = 0;
    // SetWindowPos keeping position and size as the flags say.
    virtual bool SetWindowPos(WindowHandle w, std::intptr_t insertAfter, std::uint32_t flags) = 0;
};

} // namespace qx
