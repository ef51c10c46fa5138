#pragma once
// Reads a shortcut file back through the shell's link object, independently
// of the code that wrote it.
#include <string>

namespace qx::test {

struct ShellLinkFields {
    bool loaded = false;
    std::string path;
    std::string arguments;
    std::string workingDirectory;
    std::string description;
    std::string iconLocation;
    int iconIndex = -1;
};

ShellLinkFields ReadShellLink(const std::string& linkPath);

} // namespace qx::test
