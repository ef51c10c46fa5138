#pragma once
// What the About box and the splash window tell about the program, read from
// the version resource of the running executable, so that both always agree
// with what the file's properties show.
#include <string>

namespace qx::win32 {

struct ProgramVersion {
    std::string productName;    // "Quellix"
    std::string version;        // file version as "1.1.0.1"
    std::string companyName;    // may be empty
    std::string description;    // may be empty
};

// The running executable's version resource. A file without one still gives
// the product name "Quellix" and an empty version, so callers always have
// something to show; the result tells whether the resource was read.
bool ReadProgramVersion(ProgramVersion& out);
// The same for any executable file.
bool ReadFileVersion(const std::wstring& file, ProgramVersion& out);

// "Quellix version 1.1.0.1" for the running executable; empty when its
// version resource cannot be read.
std::string ProgramVersionLine();

// The file path of the running executable.
std::wstring RunningModulePath();

} // namespace qx::win32
