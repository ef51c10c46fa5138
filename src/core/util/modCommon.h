#pragma once
// Path helpers shared by the set files, start-up and the dialogs.
#include <string>

namespace qx {

// The file name part of a trimmed path. Without the extension it ends at the
// path's first dot; when that dot is not inside the file name the whole name
// is returned.
std::string GetFileName(const std::string& path, bool keepExtension);
// The folder part of a trimmed path without the trailing backslash; empty
// when the path has no backslash.
std::string GetFilePath(const std::string& path);

} // namespace qx
