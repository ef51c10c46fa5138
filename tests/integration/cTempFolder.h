#pragma once
// A fresh folder in the temp folder (its name may hold blanks); the folder
// and the files in it are deleted when the object goes away.
#include <string>

namespace qx::test {

class cTempFolder {
public:
    explicit cTempFolder(const std::string& stem);
    ~cTempFolder();
    cTempFolder(const cTempFolder&) = delete;
    cTempFolder& operator=(const cTempFolder&) = delete;
    // Without a final backslash.
    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "\\" + name; }
    // Whole file as bytes; empty when missing.
    std::string Contents(const std::string& name) const;
    // Creates the file with these bytes; false when that failed.
    bool Put(const std::string& name, const std::string& bytes) const;

private:
    std::string path_;
};

} // namespace qx::test
