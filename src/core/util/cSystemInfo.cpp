#include "core/util/cSystemInfo.h"

#include <algorithm>

namespace qx {

namespace {

constexpr const char* kShellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr const char* kUnknownUser = "[Unknown]";

bool IsBlank(const std::string& s) { return s.find_first_not_of(' ') == std::string::npos; }

} // namespace

bool cSystemInfo::ReadString(RegKey root, const std::string& path, const std::string& name, std::string& text) {
    RegKey key = 0;
    if (!registry_.RegOpenKey(root, path, key)) return false;
    const bool found = registry_.RegQueryStringValue(key, name, text);
    registry_.RegCloseKey(key);
    return found;
}

bool cSystemInfo::Create(cErrorInfo& error) {
    std::string name;
    if (facts_.GetUserName(name)) name.resize(std::min(name.size(), name.find('\0')));
    else name.clear();
    logonName_ = IsBlank(name) ? kUnknownUser : name;

    std::string startMenu, startup;
    ReadString(kHkeyCurrentUser, kShellFolders, "Programs", startMenu);
    ReadString(kHkeyCurrentUser, kShellFolders, "Startup", startup);
    if (IsBlank(startMenu) || IsBlank(startup)) {
        error = {999, "cSystemInfo", "Unable to locate Startup directory"};
        return false;
    }
    return true;
}

} // namespace qx
