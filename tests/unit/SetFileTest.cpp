#include "core/sets/cSetFile.h"
#include "core/util/cCodePage1252.h"
#include "core/util/modOleDate.h"
#include "unit/SetFileFixture.h"

#include <gtest/gtest.h>

namespace qx {
namespace {
using namespace fixture;
using Result = cSetFile::ReadResult;
using Written = cSetFile::WriteResult;

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
    // Where and how many of the fixture's bytes are replaced, by what, and the result with how many of the
    // fixture's entries.
    const std::tuple<std::size_t, std::size_t, std::string, Result, std::ptrdiff_t> cases[] = {
        {0, 0, "", Result::Ok, 2},
        {0, 2, Hex({0x01, 0x01}), Result::InvalidFile, 0}, // Version 257
        {1, kTwoEntryFile.size(), "", Result::InvalidFile, 0}, // one byte
        {10, 2, Hex({0x00, 0x80}), Result::Ok, 0},             // Count -32768: an empty set
        {10, 2, Hex({0x01, 0x00}), Result::Ok, 1},             // the rest is ignored
        {10, 2, Hex({0x03, 0x00}), Result::Truncated, 2},
        {kHeaderBytes + 22, 2, Hex({0xFF, 0xFF}), Result::Truncated, 0}, // a title past the end
        {16, 2, Field("ab"), Result::Ok, 2},                              // reserved fields hold anything
        {kHeaderBytes + 14, 8, "12345678", Result::Ok, 2},
        // A reserved string that is not exactly the tag and two whole texts leaves the ANSI ones.
        {second - 2, 2, Field("UTF-8" + Field("X") + Field("Y") + "!"), Result::Ok, 2},
        {second - 2, 2, Field("UTF-8" + Field("X") + Hex({2, 0}) + "Y"), Result::Ok, 2},
        {second - 2, 2, Field("utf-8" + Field("") + Field("")), Result::Ok, 2},
    };
    for (const auto& [at, length, by, result, count] : cases) {
        EXPECT_EQ(Read(std::string(kTwoEntryFile).replace(at, length, by)), result) << at << by;
        EXPECT_EQ(entries, std::vector(two.begin(), two.begin() + count)) << at << by;
    }
    ASSERT_EQ(Read(std::string(kTwoEntryFile).replace(second, 4, Hex({0x01, 0x00, 0x00, 0x80}))), Result::Ok);
    EXPECT_TRUE(entries[1].Selected && entries[1].ForceClose && !entries[1].WinVisible); // any non-zero is true
    // A copy of exactly n bytes, so that the sanitizers see any read beyond it.
    for (std::size_t n = 2; n < kTwoEntryFile.size(); ++n) {
        ASSERT_EQ(Read(kTwoEntryFile.substr(0, n)), Result::Truncated) << n;
        ASSERT_EQ(entries.size(), n >= second ? 1u : 0u) << n;
    }
}

TEST_F(SetFile, WriterGivesTheOlderBytesAndKeepsTextTheCodePageLacksBesideThem) {
    std::string bytes, omega;
    ASSERT_EQ(cSetFile::Write(OleDate({2026, 12, 6, 14, 5, 9}), TwoEntries(), codec, bytes), Written::Ok);
    EXPECT_EQ(bytes, kTwoEntryFile);
    for (int i = 0; i < 32760; ++i) omega += "\u03a9"; // 65520 bytes
    const std::string x(65535, 'x');
    // Title and path, whether their exact texts go into the reserved string too, and the result.
    const std::tuple<std::string, std::string, bool, Written> cases[] = {
        {"\u0391\u03c1\u03c7\u03b5\u03af\u03bf", "C:\\a.exe", true, Written::Ok},
        {"\u65E5\u672C A", "C:\\Users\\\u0141ukasz\\a.exe", true, Written::Ok},
        {x, x, false, Written::Ok},
        {x + "x", "", false, Written::TextTooLong},
        {omega, "abcdef", true, Written::Ok}, // "UTF-8" and both texts: exactly 65535 bytes
        {omega, "abcdefg", true, Written::TextTooLong},
    };
    for (const auto& [title, path, exact, result] : cases) {
        const std::vector<SetFileEntry> one{{true, false, true, false, true, 3, title, path}};
        ASSERT_EQ(cSetFile::Write(0, one, codec, bytes), result) << title.size();
        if (result != Written::Ok) continue;
        const std::string reserved = exact ? "UTF-8" + Field(title) + Field(path) : "";
        EXPECT_EQ(bytes.substr(kHeaderBytes + 22),
                  Field(codec.ToAnsi(title)) + Field(codec.ToAnsi(path)) + Field(reserved));
        ASSERT_EQ(Read(bytes), Result::Ok);
        EXPECT_EQ(entries, one) << title;
    }
    EXPECT_EQ(cSetFile::Write(0, std::vector<SetFileEntry>(cSetFile::kMaxEntries + 1), codec, bytes),
              Written::TooManyEntries);
    ASSERT_EQ(cSetFile::Write(0, std::vector<SetFileEntry>(cSetFile::kMaxEntries), codec, bytes), Written::Ok);
    ASSERT_EQ(Read(bytes), Result::Ok);
    EXPECT_EQ(entries.size(), cSetFile::kMaxEntries);
}

} // namespace
} // namespace qx
