#pragma once
// Conversion between the program's UTF-8 text and the 8-bit ANSI code page
// that set files, the log and the registry's A-style values use.
#include <string>

namespace qx {

class ITextCodec {
public:
    virtual ~ITextCodec() = default;
    virtual std::string ToAnsi(const std::string& utf8) = 0;
    virtual std::string FromAnsi(const std::string& ansi) = 0;
};

} // namespace qx
