#pragma once
// A fresh, unused file path in the temp folder; the file is deleted when the
// object goes away. For --record files and the file-system tests.
#include <string>

namespace qx::test {

class cTempPath {
public:
    explicit cTempPath(const std::string& stem);
    ~cTempPath();
    cTempPath(const cTempPath&) = delete;
    cTempPath& operator=(const cTempPath&) = delete;
    const std::string& Path() const { return path_; }
    operator const std::string&() const { return path_; }
    // Whole file as bytes; empty when missing.
    std::string Contents() const;

private:
    std::string path_;
};

// Whole file as bytes; empty when it is missing or cannot be read.
std::string ReadFileBytes(const std::string& path);

} // namespace qx::test
