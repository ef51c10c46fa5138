#pragma once
// Portable Windows-1252 codec: the ANSI code page of Western systems (with
// their OEM code page 437), used wherever the real system code pages are not
// at hand (tests, non-Windows hosts).
#include "core/platform/ITextCodec.h"

namespace qx {

class cCodePage1252 final : public ITextCodec {
public:
    // Characters outside the code page become '?', as the system converter does.
    std::string ToAnsi(const std::string& utf8) override;
    std::string FromAnsi(const std::string& ansi) override;
    bool ToOem(const std::string& utf8, std::string& oem) override;
    // Latin (to Latin Extended-A), Greek and Cyrillic letters; others are kept.
    std::string UpperCase(const std::string& utf8) override;
};

} // namespace qx
