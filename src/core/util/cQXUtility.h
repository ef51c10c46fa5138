#pragma once
// Path, file and folder operations for the shortcut wizard.
#include "core/platform/IFileSystem.h"
#include "core/platform/IShell.h"

#include <string>

namespace qx {

class cQXUtility {
public:
    cQXUtility(IFileSystem& fs, IShell& shell) : fs_(fs), shell_(shell) {}

    // The text up to its first NUL (all of it when there is none).
    static std::string StripTerminator(const std::string& text);
    // File name part; drive-relative names lose their drive, and a ".pif" or
    // ".lnk" ending is dropped whatever the flag.
    static std::string ExtractFileName(const std::string& path, bool withExtension);
    // Up to and including the last backslash; the path itself when it has none.
    static std::string ExtractPath(const std::string& path);
    // True when the file's length can be read; with create, a missing file is
    // created empty (false when that fails).
    bool FileExists(const std::string& path, bool create);
    // True when a file or folder is there; with create, a missing folder is
    // created (one level; false when that fails).
    bool DirectoryExists(const std::string& path, bool create);
    // The chosen folder, or empty text on cancel. An empty title becomes the
    // product name (and is handed back so).
    std::string BrowseForFolder(WindowHandle owner, std::string& title);

private:
    IFileSystem& fs_;
    IShell& shell_;
};

} // namespace qx
