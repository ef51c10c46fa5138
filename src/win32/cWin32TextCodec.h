#pragma once
// The system's ANSI code page, as set files, the log and A-style registry
// values store text.
#include "core/platform/ITextCodec.h"

namespace qx::win32 {

class cWin32TextCodec final : public ITextCodec {
public:
    // Characters the code page lacks become the system's default character.
    std::string ToAnsi(const std::string& utf8) override;
    std::string FromAnsi(const std::string& ansi) override;
    bool ToOem(const std::string& utf8, std::string& oem) override;
    // The invariant locale's mapping, so that a Turkish or Lithuanian user
    // matches the same programs as anyone else.
    std::string UpperCase(const std::string& utf8) override;
};

} // namespace qx::win32
