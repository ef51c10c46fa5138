#include "core/util/cGlobalsClass.h"
#include "core/util/cQXUtility.h"
#include "core/util/modCommon.h"
#include "fake/cFakeShell.h"
#include "fake/cMemoryFileSystem.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

TEST(PathParts, NamesAndFoldersAreCutAtTheRightSeparator) {
    const struct {
        std::string got, want;
    } cases[] = {
        {GetFileName("  C:\\Windows\\notepad.exe  ", false), "notepad"},
        {GetFileName("  C:\\Windows\\notepad.exe  ", true), "notepad.exe"},
        {GetFileName("C:\\a\\set.backup.qxs", false), "set"}, // first dot of the name
        {GetFileName("readme.txt", false), "readme"},
        {GetFileName("C:\\my.dir\\README", false), "README"},
        {GetFileName("C:\\my.dir\\set.qxs", false), "set.qxs"}, // first dot of the path is in the folder
        {GetFileName("C:\\dir\\", true), ""},
        {GetFileName("   ", false), ""},
        {GetFilePath("C:\\Windows\\notepad.exe"), "C:\\Windows"},
        {GetFilePath(" C:\\notepad.exe "), "C:"},
        {GetFilePath("notepad.exe"), ""},
        {GetFilePath("C:\\a\\b\\"), "C:\\a\\b"},
        {cQXUtility::StripTerminator(std::string("C:\\x\0junk\0", 10)), "C:\\x"},
        {cQXUtility::StripTerminator(std::string("\0a", 2)), ""},
        {cQXUtility::StripTerminator("whole"), "whole"},
        {cQXUtility::ExtractFileName("C:\\Windows\\NOTEPAD.LNK", true), "NOTEPAD"},
        {cQXUtility::ExtractFileName("D:setup.pif", false), "setup"},
        {cQXUtility::ExtractFileName("C:name.exe", true), "name.exe"},
        {cQXUtility::ExtractFileName("C:\\Windows\\notepad.exe", false), "notepad"},
        {cQXUtility::ExtractFileName("C:\\a\\archive.tar.gz", false), "archive.tar"}, // last dot
        {cQXUtility::ExtractFileName("C:\\a.b\\tool", false), "tool"},
        {cQXUtility::ExtractFileName("x.Pif", true), "x"},
        {cQXUtility::ExtractFileName("lnk", true), "lnk"},
        {cQXUtility::ExtractPath("C:\\a\\b.exe"), "C:\\a\\"},
        {cQXUtility::ExtractPath("b.exe"), "b.exe"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.got, c.want);
}

TEST(QXUtility, FilesAndFoldersAreCreatedOnlyWhenAskedAndNeverTruncated) {
    fake::cMemoryFileSystem fs;
    fake::cFakeShell shell;
    cQXUtility u{fs, shell};
    cGlobalsClass g(fs);
    fs.AddFolder("C:\\w");
    fs.AddFile("C:\\w\\a.txt", "abc");
    fs.AddHiddenFile("C:\\w\\h.txt");
    EXPECT_TRUE(g.FileExists("C:\\w\\a.txt"));
    EXPECT_FALSE(g.FileExists("C:\\w\\h.txt")); // only ordinary files
    EXPECT_FALSE(g.FileExists("C:\\w"));
    EXPECT_TRUE(u.FileExists("C:\\w\\h.txt", false)); // its length is readable
    EXPECT_FALSE(u.FileExists("C:\\w\\m.txt", false));
    EXPECT_EQ(fs.Contents("C:\\w\\m.txt"), nullptr);
    EXPECT_TRUE(u.FileExists("C:\\w\\m.txt", true));
    EXPECT_EQ(*fs.Contents("C:\\w\\m.txt"), "");
    EXPECT_TRUE(u.FileExists("C:\\w\\a.txt", true));
    EXPECT_EQ(*fs.Contents("C:\\w\\a.txt"), "abc");
    EXPECT_FALSE(u.FileExists("C:\\none\\m.txt", true));

    EXPECT_TRUE(u.DirectoryExists("C:\\w\\a.txt", false)); // the search finds files too
    EXPECT_FALSE(u.DirectoryExists("C:\\w\\data", false));
    EXPECT_FALSE(fs.IsDirectory("C:\\w\\data"));
    EXPECT_TRUE(u.DirectoryExists("C:\\w\\data", true));
    EXPECT_TRUE(fs.IsDirectory("C:\\w\\data"));
    EXPECT_FALSE(u.DirectoryExists("C:\\w\\x\\y", true)); // one level only
}

TEST(QXUtility, BrowseForFolderNamesTheProductWithoutATitleAndCutsTheTerminator) {
    fake::cMemoryFileSystem fs;
    fake::cFakeShell shell;
    cQXUtility u{fs, shell};
    std::string title;
    EXPECT_EQ(u.BrowseForFolder(7, title), ""); // cancelled
    EXPECT_EQ(title, "Quellix");
    ASSERT_EQ(shell.calls.size(), 1u);
    EXPECT_EQ(shell.calls[0].file, "Quellix");
    EXPECT_EQ(shell.calls[0].flags, 1u);
    shell.browseResult = true;
    shell.browsePath = std::string("C:\\Data\0\0\0", 10);
    title = "Pick";
    EXPECT_EQ(u.BrowseForFolder(7, title), "C:\\Data");
    EXPECT_EQ(shell.calls[1].file, "Pick");
}

} // namespace
} // namespace qx
