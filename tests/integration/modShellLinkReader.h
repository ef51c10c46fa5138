#pragma once
// Reads a shortcut file back through the shell's link object, independently
// of the code that wrote it.
#include <string>

namespace qx::test {

struct ShellLinkFields {
    std::string path; // empty when the file could not be loaded
    std::string arguments;
};

ShellLinkFields ReadShellLink(const std::string& linkPath);

} // namespace qx::test
