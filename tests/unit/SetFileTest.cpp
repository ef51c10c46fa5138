#include "core/sets/cSetFile.h"
#include "core/util/cCodePage1252.h"
#include "core/util/modOleDate.h"
#include "unit/SetFileFixture.h"

#include <gtest/gtest.h>

namespace qx {
namespace {
using namespace fixture;

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

TEST_F(SetFileTest, TextTheCodePageLacksKeepsItsExactFormBesideTheAnsiOne) {
    const std::string polish = "C:\\Users\\\u0141ukasz\\a.exe", greek = "\u0391\u03c1\u03c7\u03b5\u03af\u03bf";
    const struct {
        std::string title, path, reserved; // the entry's reserved string as written
    } cases[] = {
        {"B\u00fcro \u2013 A", "C:\\B\u00fcro\\a.exe", ""}, // all in the code page: written as before
        {greek, "C:\\a.exe", "UTF-8" + Hex({12, 0}) + greek + Hex({8, 0}) + "C:\\a.exe"},
        {"T", polish, "UTF-8" + Hex({1, 0}) + "T" + Hex({static_cast<unsigned char>(polish.size()), 0}) + polish},
    };
    for (const auto& c : cases) {
        std::vector<SetFileEntry> one(1);
        one[0].Title = c.title;
        one[0].ExePath = c.path;
        std::string bytes;
        ASSERT_EQ(cSetFile::Write(0, one, codec, bytes), cSetFile::WriteResult::Ok);
        const std::string ansi = codec.ToAnsi(c.title) + Hex({static_cast<unsigned char>(codec.ToAnsi(c.path).size()), 0}) +
                                 codec.ToAnsi(c.path);
        EXPECT_EQ(bytes.substr(kHeaderBytes + 24), ansi + Hex({static_cast<unsigned char>(c.reserved.size()), 0}) + c.reserved)
            << c.title;
        ASSERT_EQ(Read(bytes), cSetFile::ReadResult::Ok);
        EXPECT_EQ(entries, one) << c.title;
    }
}

TEST_F(SetFileTest, ExactTextsMustFitOneStringTogether) {
    std::vector<SetFileEntry> one(1);
    one[0].ExePath = "a";
    std::string omega, bytes;
    for (int i = 0; i < 32760; ++i) omega += "\u03a9"; // 65520 bytes; 5 + 2 + 65520 + 2 + 1 fit
    one[0].Title = omega;
    ASSERT_EQ(cSetFile::Write(0, one, codec, bytes), cSetFile::WriteResult::Ok);
    ASSERT_EQ(Read(bytes), cSetFile::ReadResult::Ok);
    EXPECT_EQ(entries, one);
    one[0].ExePath = "abcdefg";
    EXPECT_EQ(cSetFile::Write(0, one, codec, bytes), cSetFile::WriteResult::TextTooLong);
}

TEST_F(SetFileTest, ReservedStringThatIsNotWholeExactTextLeavesTheAnsiText) {
    for (const std::string& reserved : {std::string("UTF-8"), "UTF-8" + Hex({1, 0}) + "X" + Hex({1, 0}) + "Y" + "!",
                                        "UTF-8" + Hex({1, 0}) + "X" + Hex({2, 0}) + "Y", "utf-8" + Hex({0, 0, 0, 0})}) {
        std::string bytes = kTwoEntryFile.substr(0, kHeaderBytes + kFirstEntryBytes - 2);
        bytes += Hex({static_cast<unsigned char>(reserved.size()), 0}) + reserved;
        bytes[10] = 1;
        ASSERT_EQ(Read(bytes), cSetFile::ReadResult::Ok);
        EXPECT_EQ(entries[0], TwoEntries()[0]);
    }
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
