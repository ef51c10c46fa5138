#include "core/util/cCodePage1252.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace qx {
namespace {

// 0x80..0x9F differ from Latin-1; 0 marks the five unassigned bytes.
constexpr std::array<char32_t, 32> kHigh = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// The OEM code page of the same systems (437), in which cmd.exe reads a batch
// file: 0x80..0xFF.
constexpr std::array<char32_t, 128> kOemHigh = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7,
    0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE, 0x00EC, 0x00C4, 0x00C5,
    0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9,
    0x00FF, 0x00D6, 0x00DC, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192,
    0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA, 0x00BA,
    0x00BF, 0x2310, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556,
    0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510,
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F,
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567,
    0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B,
    0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580,
    0x03B1, 0x00DF, 0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4,
    0x03A6, 0x0398, 0x03A9, 0x03B4, 0x221E, 0x03C6, 0x03B5, 0x2229,
    0x2261, 0x00B1, 0x2265, 0x2264, 0x2320, 0x2321, 0x00F7, 0x2248,
    0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0,
};

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

bool cCodePage1252::ToOem(const std::string& utf8, std::string& oem) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const char32_t c = NextCodePoint(utf8, i);
        if (c < 0x80) {
            out += static_cast<char>(c);
            continue;
        }
        const auto it = std::find(kOemHigh.begin(), kOemHigh.end(), c);
        if (it == kOemHigh.end()) return false;
        out += static_cast<char>(0x80 + (it - kOemHigh.begin()));
    }
    oem = std::move(out);
    return true;
}

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
