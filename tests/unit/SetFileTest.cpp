#include "core/sets/cSetFile.h"
#include "core/util/cCodePage1252.h"
#include "core/util/modOleDate.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace qx {
namespace {

std::string Hex(std::initializer_list<unsigned char> bytes) { return std::string(bytes.begin(), bytes.end()); }

// A two-entry set saved on 6 December 2026, written out byte by byte.
const std::string kTwoEntryFile =
    // header
    Hex({0x01, 0x00}) +                                          // Version 1
    Hex({0x00, 0x00, 0x00, 0x00, 0x40, 0xA3, 0xE6, 0x40}) +      // SavedDate 46362.0
    Hex({0x02, 0x00}) +                                          // Count 2
    Hex({0x00, 0x00, 0x00, 0x00}) +                              // reserved
    Hex({0x00, 0x00}) +                                          // reserved string, empty
    Hex({0x00, 0x00}) +                                          // reserved string, empty
    // entry 1
    Hex({0xFF, 0xFF}) +                                          // Selected true
    Hex({0xFF, 0xFF}) +                                          // ForceClose true
    Hex({0xFF, 0xFF}) +                                          // WinVisible true
    Hex({0x00, 0x00}) +                                          // StopOnError false
    Hex({0xFF, 0xFF}) +                                          // IgnoreTitle true
    Hex({0x0A, 0x00, 0x00, 0x00}) +                              // CloseWait 10
    Hex({0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}) +      // reserved
    Hex({0x12, 0x00}) + "Untitled - Notepad" +                   // Title, 18 bytes
    Hex({0x16, 0x00}) + "C:\\WINDOWS\\NOTEPAD.EXE" +             // ExePath, 22 bytes
    Hex({0x00, 0x00}) +                                          // reserved string, empty
    // entry 2
    Hex({0x00, 0x00}) +                                          // Selected false
    Hex({0x00, 0x00}) +                                          // ForceClose false
    Hex({0x00, 0x00}) +                                          // WinVisible false
    Hex({0xFF, 0xFF}) +                                          // StopOnError true
    Hex({0x00, 0x00}) +                                          // IgnoreTitle false
    Hex({0x2C, 0x01, 0x00, 0x00}) +                              // CloseWait 300
    Hex({0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}) +      // reserved
    Hex({0x0E, 0x00}) + "R" + Hex({0xE9}) + "sum" + Hex({0xE9}) + // Title, 14 bytes of Windows-1252:
    " " + Hex({0x96}) + " draft" +                               //   e acute 0xE9, en dash 0x96
    Hex({0x11, 0x00}) + "D:\\Tools\\B" + Hex({0xFC}) + "ro.exe" + // ExePath, 17 bytes (u umlaut 0xFC)
    Hex({0x00, 0x00});                                           // reserved string, empty

constexpr std::size_t kHeaderBytes = 20;
constexpr std::size_t kFirstEntryBytes = 28 + 18 + 22;

std::vector<SetFileEntry> TwoEntries() {
    SetFileEntry a;
    a.Selected = true;
    a.ForceClose = true;
    a.WinVisible = true;
    a.StopOnError = false;
    a.IgnoreTitle = true;
    a.CloseWait = 10;
    a.Title = "Untitled - Notepad";
    a.ExePath = "C:\\WINDOWS\\NOTEPAD.EXE";
    SetFileEntry b;
    b.StopOnError = true;
    b.CloseWait = 300;
    b.Title = "R\u00E9sum\u00E9 \u2013 draft";
    b.ExePath = "D:\\Tools\\B\u00FCro.exe";
    return {a, b};
}

class SetFileTest : public ::testing::Test {
protected:
    cSetFile::ReadResult Read(const std::string& bytes) { return cSetFile::Read(bytes, codec, header, entries); }
    cCodePage1252 codec;
    SetFileHeader header;
    std::vector<SetFileEntry> entries;
};

TEST_F(SetFileTest, FixtureReadsAsExactlyTheTwoEntries) {
    ASSERT_EQ(kTwoEntryFile.size(), kHeaderBytes + kFirstEntryBytes + 28 + 14 + 17);
    ASSERT_EQ(Read(kTwoEntryFile), cSetFile::ReadResult::Ok);
    EXPECT_EQ(header.Version, 1);
    EXPECT_EQ(header.SavedDate, 46362.0);
    EXPECT_EQ(header.Count, 2);
    EXPECT_EQ(entries, TwoEntries());
}

TEST_F(SetFileTest, WriterGivesExactlyTheFixtureBytes) {
    std::string bytes;
    ASSERT_EQ(cSetFile::Write(OleDate({2026, 12, 6, 14, 5, 9}), TwoEntries(), codec, bytes),
              cSetFile::WriteResult::Ok);
    EXPECT_EQ(bytes, kTwoEntryFile);
}

TEST_F(SetFileTest, AnyNonZeroBooleanReadsTrue) {
    std::string bytes = kTwoEntryFile;
    bytes[kHeaderBytes + kFirstEntryBytes + 0] = 0x01; // Selected 0x0001
    bytes[kHeaderBytes + kFirstEntryBytes + 3] = static_cast<char>(0x80); // ForceClose 0x8000
    ASSERT_EQ(Read(bytes), cSetFile::ReadResult::Ok);
    EXPECT_TRUE(entries[1].Selected);
    EXPECT_TRUE(entries[1].ForceClose);
    EXPECT_FALSE(entries[1].WinVisible);
}

TEST_F(SetFileTest, ReservedFieldsAreSkippedWhateverTheyHold) {
    const std::string bytes = Hex({0x01, 0x00, 0, 0, 0, 0, 0, 0, 0xF0, 0x3F, 0x01, 0x00}) + // date 1.0, Count 1
                              Hex({0xDE, 0xAD, 0xBE, 0xEF}) + Hex({0x02, 0x00}) + "ab" + Hex({0x01, 0x00}) + "c" +
                              Hex({0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF}) + // CloseWait -1
                              Hex({1, 2, 3, 4, 5, 6, 7, 8}) + Hex({0x01, 0x00}) + "T" + Hex({0x00, 0x00}) +
                              Hex({0x03, 0x00}) + "xyz" + "trailing garbage";
    ASSERT_EQ(Read(bytes), cSetFile::ReadResult::Ok);
    EXPECT_EQ(header.SavedDate, 1.0);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_TRUE(entries[0].Selected);
    EXPECT_EQ(entries[0].CloseWait, -1);
    EXPECT_EQ(entries[0].Title, "T");
    EXPECT_EQ(entries[0].ExePath, "");
}

TEST_F(SetFileTest, ZeroAndNegativeCountAreValidEmptySets) {
    for (const std::string& count : {Hex({0x00, 0x00}), Hex({0x00, 0x80}), Hex({0xFF, 0xFF})}) { // 0, -32768, -1
        std::string bytes = kTwoEntryFile;
        bytes.replace(10, 2, count);
        ASSERT_EQ(Read(bytes), cSetFile::ReadResult::Ok);
        EXPECT_TRUE(entries.empty());
        EXPECT_LE(header.Count, 0);
    }
}

TEST_F(SetFileTest, OnlyCountEntriesAreReadAndTheRestIgnored) {
    std::string bytes = kTwoEntryFile;
    bytes[10] = 1;
    ASSERT_EQ(Read(bytes), cSetFile::ReadResult::Ok);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0], TwoEntries()[0]);
}

TEST_F(SetFileTest, WrongVersionOrNoVersionIsAnInvalidFile) {
    for (const int version : {0, 2, -1, 256}) {
        std::string bytes = kTwoEntryFile;
        bytes[0] = static_cast<char>(version & 0xFF);
        bytes[1] = static_cast<char>((version >> 8) & 0xFF);
        EXPECT_EQ(Read(bytes), cSetFile::ReadResult::InvalidFile) << version;
        EXPECT_TRUE(entries.empty());
    }
    EXPECT_EQ(Read(""), cSetFile::ReadResult::InvalidFile);
    EXPECT_EQ(Read(Hex({0x01})), cSetFile::ReadResult::InvalidFile);
}

TEST_F(SetFileTest, EveryTruncationKeepsTheCompleteEntriesOnly) {
    for (std::size_t n = 2; n < kTwoEntryFile.size(); ++n) {
        // A copy of exactly n bytes, so the sanitizers see any read beyond it.
        const std::string prefix = kTwoEntryFile.substr(0, n);
        ASSERT_EQ(Read(prefix), cSetFile::ReadResult::Truncated) << n;
        const std::size_t complete = n >= kHeaderBytes + kFirstEntryBytes ? 1 : 0;
        ASSERT_EQ(entries.size(), complete) << n;
        if (complete) {
            EXPECT_EQ(entries[0], TwoEntries()[0]);
        }
    }
}

TEST_F(SetFileTest, CountBeyondTheRecordsOrStringPastTheEndIsTruncated) {
    std::string more = kTwoEntryFile;
    more[10] = 3;
    EXPECT_EQ(Read(more), cSetFile::ReadResult::Truncated);
    EXPECT_EQ(entries, TwoEntries());

    std::string longTitle = kTwoEntryFile;
    longTitle[kHeaderBytes + 22] = static_cast<char>(0xFF); // Title length 0xFFFF
    longTitle[kHeaderBytes + 23] = static_cast<char>(0xFF);
    EXPECT_EQ(Read(longTitle), cSetFile::ReadResult::Truncated);
    EXPECT_TRUE(entries.empty());

    std::string longReserved = kTwoEntryFile;
    longReserved[18] = 0x7F; // second reserved header string claims 127 bytes
    EXPECT_EQ(Read(longReserved.substr(0, 100)), cSetFile::ReadResult::Truncated);
}

TEST_F(SetFileTest, WriterRefusesWhatTheFormatCannotHold) {
    std::string bytes = "untouched";
    std::vector<SetFileEntry> many(cSetFile::kMaxEntries + 1);
    EXPECT_EQ(cSetFile::Write(0, many, codec, bytes), cSetFile::WriteResult::TooManyEntries);
    EXPECT_EQ(bytes, "untouched");

    many.pop_back();
    ASSERT_EQ(cSetFile::Write(0, many, codec, bytes), cSetFile::WriteResult::Ok);
    EXPECT_EQ(bytes.substr(10, 2), Hex({0xFF, 0x7F})); // Count 32767
    ASSERT_EQ(Read(bytes), cSetFile::ReadResult::Ok);
    EXPECT_EQ(entries.size(), cSetFile::kMaxEntries);

    std::vector<SetFileEntry> one(1);
    one[0].ExePath.assign(65535, 'x');
    ASSERT_EQ(cSetFile::Write(0, one, codec, bytes), cSetFile::WriteResult::Ok);
    ASSERT_EQ(Read(bytes), cSetFile::ReadResult::Ok);
    EXPECT_EQ(entries[0].ExePath.size(), 65535u);
    one[0].Title.assign(65536, 'x');
    EXPECT_EQ(cSetFile::Write(0, one, codec, bytes), cSetFile::WriteResult::TextTooLong);
}

TEST_F(SetFileTest, TextOutsideTheCodePageIsStoredAsQuestionMark) {
    std::vector<SetFileEntry> one(1);
    one[0].Title = "\u65E5\u672C A"; // two CJK characters, one byte each once converted
    std::string bytes;
    ASSERT_EQ(cSetFile::Write(0, one, codec, bytes), cSetFile::WriteResult::Ok);
    EXPECT_EQ(bytes.substr(kHeaderBytes + 22, 6), Hex({0x04, 0x00}) + "?? A");
}

TEST(OleDateTest, CountsDaysFromTheEndOf1899AndDropsTheTime) {
    EXPECT_EQ(OleDate({1899, 12, 30, 23, 59, 59}), 0.0);
    EXPECT_EQ(OleDate({1899, 12, 29, 0, 0, 0}), -1.0);
    EXPECT_EQ(OleDate({1900, 3, 1, 0, 0, 0}), 61.0);
    EXPECT_EQ(OleDate({2000, 2, 29, 12, 0, 0}), 36585.0);
    EXPECT_EQ(OleDate({2026, 12, 6, 14, 5, 9}), 46362.0);
    EXPECT_EQ(OleDate({100, 1, 1, 0, 0, 0}), -657434.0);
}

} // namespace
} // namespace qx
