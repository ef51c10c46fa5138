#include "core/util/cCodePage1252.h"

#include <array>
#include <cstdint>

namespace qx {
namespace {

// 0x80..0x9F differ from Latin-1; 0 marks the five unassigned bytes.
constexpr std::array<char32_t, 32> kHigh = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Decodes one UTF-8 sequence at i; malformed input yields U+FFFD and moves one byte.
char32_t NextCodePoint(const std::string& s, std::size_t& i) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    int extra = b0 < 0x80 ? 0 : (b0 >> 5) == 6 ? 1 : (b0 >> 4) == 14 ? 2 : (b0 >> 3) == 30 ? 3 : -1;
    if (extra < 0 || i + static_cast<std::size_t>(extra) >= s.size()) {
        ++i;
        return 0xFFFD;
    }
    char32_t c = extra == 0 ? b0 : (b0 & (0x3F >> extra));
    for (int k = 1; k <= extra; ++k) {
        const auto b = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
        if ((b & 0xC0) != 0x80) {
            ++i;
            return 0xFFFD;
        }
        c = (c << 6) | (b & 0x3F);
    }
    i += static_cast<std::size_t>(extra) + 1;
    return c;
}

// The small alphabets whose capitals lie at a fixed distance.
struct CaseRange {
    char32_t first, last;
    std::int32_t offset;
};
constexpr std::array<CaseRange, 11> kCaseRanges = {{
    {U'a', U'z', -0x20},
    {0xE0, 0xFE, -0x20},   // Latin-1 (the division sign is kept below)
    {0xFF, 0xFF, 0x79},    // y diaeresis
    {0x3AC, 0x3AC, -0x26}, // Greek alpha with tonos
    {0x3AD, 0x3AF, -0x25}, // epsilon, eta, iota with tonos
    {0x3B1, 0x3C1, -0x20}, // Greek alpha to rho
    {0x3C2, 0x3C2, -0x1F}, // final sigma
    {0x3C3, 0x3CB, -0x20}, // sigma to upsilon with dialytika
    {0x3CC, 0x3CC, -0x40}, // omicron with tonos
    {0x3CD, 0x3CE, -0x3F}, // upsilon and omega with tonos
    {0x430, 0x44F, -0x20}, // Cyrillic a to ya
}};

char32_t UpperOf(char32_t c) {
    if (c == 0xF7) return c;
    if (c >= 0x450 && c <= 0x45F) return c - 0x50; // Cyrillic ie with grave to dzhe
    // Latin Extended-A pairs a capital with the small letter after it, except
    // in two runs where the capital comes second; the dotless i stays.
    const bool oddCapitals = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    if (c >= 0x100 && c <= 0x17F && c != 0x131 && c != 0x138 && c != 0x149 && c != 0x17F)
        return (c % 2 == 0) == oddCapitals ? c - 1 : c;
    for (const CaseRange& r : kCaseRanges)
        if (c >= r.first && c <= r.last) return static_cast<char32_t>(static_cast<std::int32_t>(c) + r.offset);
    return c;
}

} // namespace

std::string cCodePage1252::UpperCase(const std::string& utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t start = i;
        const char32_t c = NextCodePoint(utf8, i);
        if (c == 0xFFFD && i == start + 1) out += utf8[start]; // a malformed byte is kept as it is
        else AppendUtf8(out, UpperOf(c));
    }
    return out;
}

std::string cCodePage1252::ToAnsi(const std::string& utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const char32_t c = NextCodePoint(utf8, i);
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            out += static_cast<char>(c);
            continue;
        }
        char mapped = '?';
        for (std::size_t k = 0; k < kHigh.size(); ++k) {
            if (kHigh[k] != 0 && kHigh[k] == c) {
                mapped = static_cast<char>(0x80 + k);
                break;
            }
        }
        out += mapped;
    }
    return out;
}

std::string cCodePage1252::FromAnsi(const std::string& ansi) {
    std::string out;
    out.reserve(ansi.size());
    for (const char ch : ansi) {
        const auto b = static_cast<unsigned char>(ch);
        if (b >= 0x80 && b < 0xA0) {
            const char32_t c = kHigh[b - 0x80];
            AppendUtf8(out, c == 0 ? char32_t{b} : c); // unassigned bytes map to C1 controls
        } else {
            AppendUtf8(out, b);
        }
    }
    return out;
}

} // namespace qx
