#include "core/sets/cSetFile.h"
#include "core/util/cCodePage1252.h"
#include "core/util/modOleDate.h"
#include "unit/SetFileFixture.h"

#include <gtest/gtest.h>

namespace qx {
namespace {
using namespace fixture;
using Result = cSetFile::ReadResult;

// A text field: its 16-bit byte count, then the bytes.
std::string Field(const std::string& text) {
    return Hex({static_cast<unsigned char>(text.size() & 0xFF), static_cast<unsigned char>(text.size() >> 8)}) + text;
}

class SetFile : public ::testing::Test {
protected:
    Result Read(const std::string& bytes) { return cSetFile::Read(bytes, codec, header, entries); }
    cCodePage1252 codec;
    SetFileHeader header;
    std::vector<SetFileEntry> entries;
};

TEST_F(SetFile, OlderFilesReadAsTheyWereWrittenAndTheirEdgesHold) {
    const std::size_t second = kHeaderBytes + kFirstEntryBytes; // where the second entry starts
    const std::vector<SetFileEntry> two = TwoEntries();
    const struct {
        std::size_t at, length; // the bytes of the fixture replaced
        std::string by;
        Result result;
        std::size_t entries; // the fixture's first ones
    } cases[] = {
        {0, 0, "", Result::Ok, 2},
        {0, 2, Hex({0x00, 0x00}), Result::InvalidFile, 0}, // Version 0, 2, 256, -1
        {0, 2, Hex({0x02, 0x00}), Result::InvalidFile, 0},
        {0, 2, Hex({0x00, 0x01}), Result::InvalidFile, 0},
        {0, 2, Hex({0xFF, 0xFF}), Result::InvalidFile, 0},
        {0, kTwoEntryFile.size(), "", Result::InvalidFile, 0}, // nothing, or one byte
        {1, kTwoEntryFile.size(), "", Result::InvalidFile, 0},
        {10, 2, Hex({0x00, 0x00}), Result::Ok, 0},             // Count 0, -32768 and -1: an empty set
        {10, 2, Hex({0x00, 0x80}), Result::Ok, 0},
        {10, 2, Hex({0xFF, 0xFF}), Result::Ok, 0},
        {10, 2, Hex({0x01, 0x00}), Result::Ok, 1}, // the rest is ignored
        {10, 2, Hex({0x03, 0x00}), Result::Truncated, 2},
        {kHeaderBytes + 22, 2, Hex({0xFF, 0xFF}), Result::Truncated, 0}, // a title past the end
        {16, 2, Field("ab"), Result::Ok, 2},                              // reserved fields hold anything
        {12, 4, "\xDE\xAD\xBE\xEF", Result::Ok, 2},
        {kHeaderBytes + 14, 8, "12345678", Result::Ok, 2},
        {kTwoEntryFile.size(), 0, "trailing", Result::Ok, 2},
        // A reserved string that is not exactly the tag and two whole texts leaves the ANSI ones.
        {second - 2, 2, Field("UTF-8"), Result::Ok, 2},
        {second - 2, 2, Field("UTF-8" + Field("X") + Field("Y") + "!"), Result::Ok, 2},
        {second - 2, 2, Field("UTF-8" + Field("X") + Hex({2, 0}) + "Y"), Result::Ok, 2},
        {second - 2, 2, Field("utf-8" + Field("") + Field("")), Result::Ok, 2},
    };
    for (const auto& c : cases) {
        const std::string bytes = std::string(kTwoEntryFile).replace(c.at, c.length, c.by);
        EXPECT_EQ(Read(bytes), c.result) << c.at << " " << c.by;
        EXPECT_EQ(entries, std::vector(two.begin(), two.begin() + static_cast<std::ptrdiff_t>(c.entries))) << c.at << c.by;
    }
    EXPECT_EQ(header.SavedDate, 46362.0);
    std::string flags = kTwoEntryFile;
    flags.replace(second, 4, Hex({0x01, 0x00, 0x00, 0x80})); // any non-zero boolean is true
    ASSERT_EQ(Read(flags), Result::Ok);
    EXPECT_TRUE(entries[1].Selected && entries[1].ForceClose && !entries[1].WinVisible);
    // A copy of exactly n bytes, so that the sanitizers see any read beyond it.
    for (std::size_t n = 2; n < kTwoEntryFile.size(); ++n) {
        ASSERT_EQ(Read(kTwoEntryFile.substr(0, n)), Result::Truncated) << n;
        ASSERT_EQ(entries.size(), n >= second ? 1u : 0u) << n;
    }
}

TEST_F(SetFile, WriterGivesTheOlderBytesAndKeepsTextTheCodePageLacksBesideThem) {
    std::string bytes;
    ASSERT_EQ(cSetFile::Write(OleDate({2026, 12, 6, 14, 5, 9}), TwoEntries(), codec, bytes), cSetFile::WriteResult::Ok);
    EXPECT_EQ(bytes, kTwoEntryFile);
    const std::string x(65535, 'x'), omega = [] {
        std::string s;
        for (int i = 0; i < 32760; ++i) s += "\u03a9"; // 65520 bytes
        return s;
    }();
    const struct {
        std::string title, path;
        bool exact; // the exact texts go into the reserved string too
        cSetFile::WriteResult result;
    } cases[] = {
        {"B\u00fcro \u2013 A", "C:\\B\u00fcro\\a.exe", false, cSetFile::WriteResult::Ok},
        {"\u0391\u03c1\u03c7\u03b5\u03af\u03bf", "C:\\a.exe", true, cSetFile::WriteResult::Ok},
        {"T", "C:\\Users\\\u0141ukasz\\a.exe", true, cSetFile::WriteResult::Ok},
        {"\u65E5\u672C A", "", true, cSetFile::WriteResult::Ok}, // "?? A" in the code page
        {x, x, false, cSetFile::WriteResult::Ok},
        {x + "x", "", false, cSetFile::WriteResult::TextTooLong},
        {"", x + "x", false, cSetFile::WriteResult::TextTooLong},
        {omega, "abcdef", true, cSetFile::WriteResult::Ok}, // "UTF-8" and both texts: exactly 65535 bytes
        {omega, "abcdefg", true, cSetFile::WriteResult::TextTooLong},
    };
    for (const auto& c : cases) {
        const std::vector<SetFileEntry> one{{true, false, true, false, true, 3, c.title, c.path}};
        bytes = "untouched";
        ASSERT_EQ(cSetFile::Write(0, one, codec, bytes), c.result) << c.title.size();
        if (c.result != cSetFile::WriteResult::Ok) {
            EXPECT_EQ(bytes, "untouched");
            continue;
        }
        const std::string exact = c.exact ? "UTF-8" + Field(c.title) + Field(c.path) : "";
        EXPECT_EQ(bytes.substr(kHeaderBytes + 22),
                  Field(codec.ToAnsi(c.title)) + Field(codec.ToAnsi(c.path)) + Field(exact));
        ASSERT_EQ(Read(bytes), Result::Ok);
        EXPECT_EQ(entries, one) << c.title;
    }
    std::vector<SetFileEntry> many(cSetFile::kMaxEntries + 1);
    EXPECT_EQ(cSetFile::Write(0, many, codec, bytes), cSetFile::WriteResult::TooManyEntries);
    many.pop_back();
    ASSERT_EQ(cSetFile::Write(0, many, codec, bytes), cSetFile::WriteResult::Ok);
    ASSERT_EQ(Read(bytes), Result::Ok);
    EXPECT_EQ(entries.size(), cSetFile::kMaxEntries);
}

TEST(OleDate, CountsDaysFromTheEndOf1899AndDropsTheTime) {
    EXPECT_EQ(OleDate({1899, 12, 30, 23, 59, 59}), 0.0);
    EXPECT_EQ(OleDate({1899, 12, 29, 0, 0, 0}), -1.0);
    EXPECT_EQ(OleDate({1900, 3, 1, 0, 0, 0}), 61.0);
    EXPECT_EQ(OleDate({2000, 2, 29, 12, 0, 0}), 36585.0);
    EXPECT_EQ(OleDate({100, 1, 1, 0, 0, 0}), -657434.0);
}

} // namespace
} // namespace qx
