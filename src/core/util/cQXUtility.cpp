#include "core/util/cQXUtility.h"

#include "core/platform/IUserInterface.h"

#include <algorithm>
#include <cctype>

namespace qx {

namespace {

bool EndsWithNoCase(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() &&
           std::equal(tail.begin(), tail.end(), s.end() - static_cast<std::ptrdiff_t>(tail.size()),
                      [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) ==
                                                  std::tolower(static_cast<unsigned char>(b)); });
}

} // namespace

std::string cQXUtility::StripTerminator(const std::string& text) { return text.substr(0, text.find('\0')); }

std::string cQXUtility::ExtractFileName(const std::string& path, bool withExtension) {
    const auto slash = path.rfind('\\');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const auto colon = name.find(':');
    if (colon != std::string::npos) name.erase(0, colon + 1);
    if (!withExtension) {
        const auto dot = name.rfind('.');
        if (dot != std::string::npos) name.erase(dot);
    }
    if (EndsWithNoCase(name, ".pif") || EndsWithNoCase(name, ".lnk")) name.erase(name.size() - 4);
    return name;
}

std::string cQXUtility::ExtractPath(const std::string& path) {
    const auto slash = path.rfind('\\');
    return slash == std::string::npos ? path : path.substr(0, slash + 1);
}

bool cQXUtility::FileExists(const std::string& path, bool create) {
    std::uint64_t length = 0;
    if (fs_.GetFileLength(path, length)) return true;
    return create && fs_.WriteFile(path, {});
}

bool cQXUtility::DirectoryExists(const std::string& path, bool create) {
    if (fs_.PathExists(path)) return true;
    return create && fs_.CreateDirectory(path);
}

std::string cQXUtility::BrowseForFolder(WindowHandle owner, std::string& title) {
    if (title.empty()) title = kAppTitle;
    std::string path;
    if (!shell_.BrowseForFolder(owner, title, kBifReturnOnlyFsDirs, path)) return {};
    return StripTerminator(path);
}

} // namespace qx
