#include "core/settings/modPasswordHash.h"
#include "core/util/cCodePage1252.h"
#include "core/util/cGlobalsClass.h"
#include "core/util/cOSInfo.h"
#include "core/util/cQXUtility.h"
#include "core/util/cSystemInfo.h"
#include "core/util/modCommon.h"
#include "fake/cFakeShell.h"
#include "fake/cFakeSystemFacts.h"
#include "fake/cMemoryFileSystem.h"
#include "fake/cMemoryRegistry.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

TEST(PathParts, NamesAndFoldersAreCutAtTheRightSeparator) {
    const std::pair<std::string, std::string> cases[] = {
        {GetFileName("  C:\\Windows\\notepad.exe  ", false), "notepad"},
        {GetFileName("  C:\\Windows\\notepad.exe  ", true), "notepad.exe"},
        {GetFileName("C:\\a\\set.backup.qxs", false) + GetFileName("readme.txt", false), "setreadme"},
        {GetFileName("C:\\my.dir\\set.qxs", false), "set.qxs"}, // the path's first dot is in the folder
        {GetFileName("C:\\dir\\", true) + GetFileName("   ", false), ""},
        {GetFilePath(" C:\\notepad.exe ") + "|" + GetFilePath("notepad.exe") + "|" + GetFilePath("C:\\a\\b\\"), "C:||C:\\a\\b"},
        {cQXUtility::ExtractFileName("C:\\Windows\\NOTEPAD.LNK", true) + cQXUtility::ExtractFileName("D:setup.pif", false), "NOTEPADsetup"},
        {cQXUtility::ExtractFileName("C:name.exe", true) + "|" + cQXUtility::ExtractFileName("lnk", true), "name.exe|lnk"},
        {cQXUtility::ExtractFileName("C:\\a\\archive.tar.gz", false) + cQXUtility::ExtractFileName("C:\\a.b\\t", false), "archive.tart"},
        {cQXUtility::ExtractPath("C:\\a\\b.exe") + "|" + cQXUtility::ExtractPath("b.exe"), "C:\\a\\|b.exe"},
    };
    for (const auto& [got, want] : cases) EXPECT_EQ(got, want);
}

TEST(QXUtility, FilesAndFoldersAreCreatedOnlyWhenAskedAndNeverTruncated) {
    fake::cMemoryFileSystem fs;
    fake::cFakeShell shell;
    cQXUtility u{fs, shell};
    fs.AddFile("C:\\w\\a.txt", "abc");
    fs.AddHiddenFile("C:\\w\\h.txt");
    const bool results[] = {cGlobalsClass(fs).FileExists("C:\\w\\a.txt"), cGlobalsClass(fs).FileExists("C:\\w\\h.txt"),
                            u.FileExists("C:\\w\\h.txt", false),         u.FileExists("C:\\w\\m.txt", false),
                            u.FileExists("C:\\w\\a.txt", true),          u.FileExists("C:\\w\\n.txt", true),
                            u.FileExists("C:\\none\\m.txt", true),       u.DirectoryExists("C:\\w\\a.txt", false),
                            u.DirectoryExists("C:\\w\\d", false),        u.DirectoryExists("C:\\w\\e", true),
                            u.DirectoryExists("C:\\w\\x\\y", true)}; // one level only
    EXPECT_EQ(std::vector<bool>(std::begin(results), std::end(results)),
              (std::vector<bool>{true, false, true, false, true, true, false, true, false, true, false}));
    EXPECT_EQ(*fs.Contents("C:\\w\\a.txt") + "|" + *fs.Contents("C:\\w\\n.txt"), "abc|");
    EXPECT_EQ(std::vector<bool>({fs.PathExists("C:\\w\\m.txt"), fs.IsDirectory("C:\\w\\d"), fs.IsDirectory("C:\\w\\e")}),
              (std::vector<bool>{false, false, true}));
    std::string title;
    EXPECT_EQ(u.BrowseForFolder(7, title), ""); // cancelled
    shell.browseResult = true;
    shell.browsePath = std::string("C:\\Data\0\0\0", 10);
    std::string picked = "Pick";
    EXPECT_EQ(u.BrowseForFolder(7, picked), "C:\\Data");
    EXPECT_EQ(title + "|" + shell.calls.at(0).file + "|" + shell.calls.at(1).file, "Quellix|Quellix|Pick");
}

// Stored administrator passwords must keep matching: FNV-1a over the UTF-8
// bytes, never the two numbers that mean "no password was ever set".
TEST(PasswordHash, StoredHashesKeepMatching) {
    const std::pair<std::string, std::int32_t> cases[] = {
        {"", -2128831035},         {"secret", 1719429393},
        {"Secret", -1399856335},   {"P\xC3\xA4sswort", 1898399322},
        {std::string("\xCC\x24\x31\xC4\x00\x00", 6), 1}, // plain FNV-1a: 0
        {std::string("\x3E\x35\x35\x76\x00\x00", 6), 1}, // plain FNV-1a: -1
    };
    for (const auto& [text, hash] : cases) EXPECT_EQ(PasswordHash(text), hash) << text;
}

TEST(CodePage1252, ConversionsAtTheEdgesOfTheCodePages) {
    cCodePage1252 c;
    const std::pair<std::string, std::string> toAnsi[] = {
        {"C:\\Caf\xC3\xA9 \xC2\xA0\xC3\xBF", "C:\\Caf\xE9 \xA0\xFF"},
        {"\xE2\x82\xAC \xE2\x80\x9Cq\xE2\x80\x9D \xC5\xB8", "\x80 \x93q\x94 \x9F"}, // euro, quotes, Y diaeresis
        {"\xE6\x97\xA5x\xF0\x9F\x98\x80" "a\xC3", "?x?a?"},                           // CJK, emoji, a cut sequence
        {"\x80z\xC2\x80\xC2\x9F", "?z??"}, // a stray byte; C1 controls would read back as other letters
    };
    for (const auto& [utf8, ansi] : toAnsi) EXPECT_EQ(c.ToAnsi(utf8), ansi);
    EXPECT_EQ(c.FromAnsi(toAnsi[0].second + toAnsi[1].second), toAnsi[0].first + toAnsi[1].first);
    EXPECT_EQ(c.FromAnsi(std::string("a\0\x81\x7F", 4)), std::string("a\0\xC2\x81\x7F", 5)); // unassigned: C1
    std::string oem = "untouched";
    EXPECT_TRUE(c.ToOem("\x7F B\xC3\xBCro \xC2\xA0", oem));
    for (const char* lacking : {"\xC2\x80", "\xE2\x82\xAC", "a\xC3"}) EXPECT_FALSE(c.ToOem(lacking, oem)) << lacking;
    EXPECT_EQ(oem, "\x7F B\x81ro \xFF");
    // The ends of each range of the case table, and the letters inside them without a capital.
    const std::pair<std::string, std::string> upper[] = {
        {"az{@`a\xC3\u00e0\u00f6\u00f7\u00f8\u00fe\u00ff\u00df\u00b5", "AZ{@`A\xC3\u00c0\u00d6\u00f7\u00d8\u00de\u0178\u00df\u00b5"},
        {"\u0101\u0100\u0137\u0138\u013a\u0142\u0148\u0149\u014b\u0177\u0178\u017a\u017c\u017e\u017f\u0131",
         "\u0100\u0100\u0136\u0138\u0139\u0141\u0147\u0149\u014a\u0176\u0178\u0179\u017b\u017d\u017f\u0131"},
        {"\u03ac\u03ad\u03af\u03b1\u03c1\u03c2\u03c3\u03cb\u03cc\u03cd\u03ce\u0390\u0430\u044f\u0450\u045f\u0460",
         "\u0386\u0388\u038a\u0391\u03a1\u03a3\u03a3\u03ab\u038c\u038e\u038f\u0390\u0410\u042f\u0400\u040f\u0460"},
    };
    for (const auto& [lower, capitals] : upper) EXPECT_EQ(c.UpperCase(lower) + c.UpperCase(capitals), capitals + capitals);
}

TEST(SystemFacts, TheOSFlagsAndTheLogonNameTheProgramUses) {
    const struct {
        bool read;
        std::uint32_t platform, major, minor;
        const char* flags; // 95, 98, 2000, NT 4 (4 and 5), NT 4 or later
    } versions[] = {
        {true, 1, 4, 0, "10000"},  {true, 1, 4, 10, "01000"}, {true, 1, 4, 90, "00000"}, {true, 2, 3, 51, "00000"},
        {true, 2, 4, 0, "00011"},  {true, 2, 5, 0, "00111"},  {true, 2, 5, 1, "00111"},  {true, 2, 6, 0, "00001"},
        {true, 0, 4, 0, "00000"},  {false, 2, 6, 0, "00000"},
    };
    fake::cFakeSystemFacts facts;
    for (const auto& c : versions) {
        facts.versionOk = c.read;
        facts.version = OsVersionInfo{148, c.major, c.minor, 1, c.platform, ""};
        const cOSInfo os(facts);
        EXPECT_EQ(std::to_string(os.isWin95()) + std::to_string(os.isWin98()) + std::to_string(os.isWin2000()) +
                      std::to_string(os.isWinNT4()) + std::to_string(os.isWinNT4OrLater()),
                  c.flags) << c.platform << " " << c.major << "." << c.minor;
    }
    cMemoryRegistry reg;
    const std::pair<std::string, std::string> names[] = {
        {std::string("bob\0junk", 8), "bob"}, {"  ", "[Unknown]"}, {std::string("\0x", 2), "[Unknown]"}};
    for (const auto& [name, logon] : names) {
        facts.userName = name;
        cSystemInfo info(facts, reg);
        cErrorInfo error;
        EXPECT_FALSE(info.Create(error)); // no shell folders recorded
        EXPECT_EQ(info.logonName() + " " + std::to_string(error.number), logon + " 999");
    }
}

} // namespace
} // namespace qx
