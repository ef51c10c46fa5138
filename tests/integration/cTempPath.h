#pragma once
// Fresh, unused paths in the temp folder (their names may hold blanks), gone
// with everything below them when the object goes away.
#include <string>

namespace qx::test {

class cTempPath {
public:
    explicit cTempPath(const std::string& stem);
    ~cTempPath();
    cTempPath(const cTempPath&) = delete;
    cTempPath& operator=(const cTempPath&) = delete;
    // Without a final backslash.
    const std::string& Path() const { return path_; }
    operator const std::string&() const { return path_; }
    // Whole file as bytes; empty when missing.
    std::string Contents() const;

private:
    std::string path_;
};

// A cTempPath made a folder, for files by name.
class cTempFolder : public cTempPath {
public:
    explicit cTempFolder(const std::string& stem);
    std::string File(const std::string& name) const { return Path() + "\\" + name; }
    std::string Contents(const std::string& name) const;
    // Creates the file with these bytes; false when that failed.
    bool Put(const std::string& name, const std::string& bytes) const;
};

// Whole file as bytes; empty when it is missing or cannot be read.
std::string ReadFileBytes(const std::string& path);

} // namespace qx::test
