#pragma once
// Conversion between the program's UTF-8 text and the 8-bit ANSI code page
// that set files, the log and the registry's A-style values use, and the
// platform's case mapping for matching typed text against what runs.
#include <string>

namespace qx {

class ITextCodec {
public:
    virtual ~ITextCodec() = default;
    virtual std::string ToAnsi(const std::string& utf8) = 0;
    virtual std::string FromAnsi(const std::string& ansi) = 0;
    // The text in the OEM code page, in which cmd.exe reads a batch file;
    // false, with oem untouched, when that code page lacks a character.
    virtual bool ToOem(const std::string& utf8, std::string& oem) = 0;
    // Upper case of every letter the platform knows, one character for one,
    // so that two texts that differ only in letter case become equal.
    virtual std::string UpperCase(const std::string& utf8) = 0;
};

} // namespace qx
