#include "core/util/cGlobalsClass.h"
#include "core/util/cQXUtility.h"
#include "core/util/modCommon.h"
#include "fake/cFakeShell.h"
#include "fake/cMemoryFileSystem.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

TEST(Globals, ConstantsAndBrowsePath) {
    fake::cMemoryFileSystem fs;
    cGlobalsClass g(fs);
    EXPECT_EQ(g.sSoftwareKey(), "Veltrane\\Quellix");
    EXPECT_EQ(g.sOptions(), "Options");
    EXPECT_EQ(g.sHelpFile(), "Quellix.Hlp");
    EXPECT_EQ(g.HID_Uninstalling(), 115);
    EXPECT_EQ(g.HID_Getting_Started(), 101);
    EXPECT_EQ(g.HID_Using_Quellix(), 103);
    EXPECT_EQ(g.HID_Log_Options(), 106);
    EXPECT_EQ(g.HID_Settings(), 107);
    EXPECT_EQ(g.HID_Properties(), 109);
    EXPECT_EQ(g.MM_KILL_HALTED(), 1434);
    EXPECT_EQ(g.MM_KILL_FAILED(), 1435);
    EXPECT_EQ(g.FILE_VERSION(), 1);
    EXPECT_EQ(g.sBrowsePath(), "");
    g.SetsBrowsePath("C:\\Data");
    EXPECT_EQ(g.sBrowsePath(), "C:\\Data");
}

TEST(Globals, FileExistsOnlyForOrdinaryFiles) {
    fake::cMemoryFileSystem fs;
    fs.AddFile("C:\\d\\plain.qxs");
    fs.AddHiddenFile("C:\\d\\hidden.qxs");
    cGlobalsClass g(fs);
    EXPECT_TRUE(g.FileExists("C:\\d\\plain.qxs"));
    EXPECT_FALSE(g.FileExists("C:\\d\\hidden.qxs"));
    EXPECT_FALSE(g.FileExists("C:\\d"));
    EXPECT_FALSE(g.FileExists("C:\\d\\none.qxs"));
}

TEST(ModCommon, GetFileName) {
    EXPECT_EQ(GetFileName("  C:\\Windows\\notepad.exe  ", false), "notepad");
    EXPECT_EQ(GetFileName("  C:\\Windows\\notepad.exe  ", true), "notepad.exe");
    EXPECT_EQ(GetFileName("C:\\a\\set.backup.qxs", false), "set");       // first dot of the path
    EXPECT_EQ(GetFileName("readme.txt", false), "readme");               // no backslash
    EXPECT_EQ(GetFileName("C:\\my.dir\\README", false), "README");       // dot only in a folder name
    EXPECT_EQ(GetFileName("C:\\my.dir\\set.qxs", false), "set.qxs");     // first dot is in the folder
    EXPECT_EQ(GetFileName("C:\\dir\\noext", false), "noext");
    EXPECT_EQ(GetFileName("C:\\dir\\", true), "");
    EXPECT_EQ(GetFileName("   ", false), "");
}

TEST(ModCommon, GetFilePath) {
    EXPECT_EQ(GetFilePath("C:\\Windows\\notepad.exe"), "C:\\Windows");
    EXPECT_EQ(GetFilePath(" C:\\notepad.exe "), "C:");
    EXPECT_EQ(GetFilePath("notepad.exe"), "");
    EXPECT_EQ(GetFilePath(""), "");
    EXPECT_EQ(GetFilePath("C:\\a\\b\\"), "C:\\a\\b");
}

TEST(QXUtility, StripTerminator) {
    EXPECT_EQ(cQXUtility::StripTerminator("whole"), "whole");
    EXPECT_EQ(cQXUtility::StripTerminator(std::string("C:\\x\0junk\0", 10)), "C:\\x");
    EXPECT_EQ(cQXUtility::StripTerminator(std::string("\0a", 2)), "");
}

TEST(QXUtility, ExtractFileName) {
    EXPECT_EQ(cQXUtility::ExtractFileName("C:\\Windows\\NOTEPAD.LNK", true), "NOTEPAD");
    EXPECT_EQ(cQXUtility::ExtractFileName("D:setup.pif", false), "setup");
    EXPECT_EQ(cQXUtility::ExtractFileName("C:name.exe", true), "name.exe");
    EXPECT_EQ(cQXUtility::ExtractFileName("C:\\Windows\\notepad.exe", true), "notepad.exe");
    EXPECT_EQ(cQXUtility::ExtractFileName("C:\\Windows\\notepad.exe", false), "notepad");
    EXPECT_EQ(cQXUtility::ExtractFileName("Editor.lnk", false), "Editor");
    EXPECT_EQ(cQXUtility::ExtractFileName("C:\\a\\archive.tar.gz", false), "archive.tar"); // last dot
    EXPECT_EQ(cQXUtility::ExtractFileName("C:\\a\\Makefile", false), "Makefile");
    EXPECT_EQ(cQXUtility::ExtractFileName("C:\\a.b\\tool", false), "tool");
    EXPECT_EQ(cQXUtility::ExtractFileName("x.Pif", true), "x");
    EXPECT_EQ(cQXUtility::ExtractFileName("lnk", true), "lnk");
}

TEST(QXUtility, ExtractPath) {
    EXPECT_EQ(cQXUtility::ExtractPath("C:\\a\\b.exe"), "C:\\a\\");
    EXPECT_EQ(cQXUtility::ExtractPath("b.exe"), "b.exe");
    EXPECT_EQ(cQXUtility::ExtractPath("C:\\"), "C:\\");
}

TEST(QXUtility, ExtractPathAndArgs) {
    std::string args = "keep";
    EXPECT_EQ(cQXUtility::ExtractPathAndArgs("C:\\Tools\\app.exe /a /b", args), "C:\\Tools\\app.exe");
    EXPECT_EQ(args, "/a /b");

    args = "keep";
    EXPECT_EQ(cQXUtility::ExtractPathAndArgs("C:\\Program Files\\app.exe", args), "C:\\Program Files\\app.exe");
    EXPECT_EQ(args, "keep");

    args = "keep"; // trailing blank right after the program: whole line, arguments untouched
    EXPECT_EQ(cQXUtility::ExtractPathAndArgs("C:\\app.exe ", args), "C:\\app.exe ");
    EXPECT_EQ(args, "keep");

    args = "keep"; // a dot inside the arguments moves the split behind that word
    EXPECT_EQ(cQXUtility::ExtractPathAndArgs("C:\\app.exe /P=a.qxs /F", args), "C:\\app.exe /P=a.qxs");
    EXPECT_EQ(args, "/F");

    args = "keep";
    EXPECT_EQ(cQXUtility::ExtractPathAndArgs("", args), "");
    EXPECT_EQ(cQXUtility::ExtractPathAndArgs(" notepad", args), ""); // blank at the first position
    EXPECT_EQ(args, "keep");

    EXPECT_EQ(cQXUtility::ExtractPathAndArgs("notepad /x", args), "notepad"); // no dot: first blank
    EXPECT_EQ(args, "/x");
    EXPECT_EQ(cQXUtility::ExtractPathAndArgs("a.exe  two", args), "a.exe");
    EXPECT_EQ(args, " two");
}

class QXUtilityFiles : public ::testing::Test {
protected:
    QXUtilityFiles() { fs.AddFolder("C:\\w"); }
    fake::cMemoryFileSystem fs;
    fake::cFakeShell shell;
    cQXUtility u{fs, shell};
};

TEST_F(QXUtilityFiles, RenameFileReplacesTarget) {
    fs.AddFile("C:\\w\\old.bat", "new contents");
    fs.AddFile("C:\\w\\new.bat", "stale");
    EXPECT_TRUE(u.RenameFile("C:\\w\\old.bat", "C:\\w\\new.bat"));
    EXPECT_EQ(*fs.Contents("C:\\w\\new.bat"), "new contents");
    EXPECT_EQ(fs.Contents("C:\\w\\old.bat"), nullptr);
    EXPECT_FALSE(u.RenameFile("C:\\w\\gone.bat", "C:\\w\\x.bat"));
    EXPECT_FALSE(u.RenameFile("C:\\w\\new.bat", "C:\\nofolder\\x.bat"));
    EXPECT_NE(fs.Contents("C:\\w\\new.bat"), nullptr);
}

TEST_F(QXUtilityFiles, FileExistsCreatesOnlyWhenAsked) {
    fs.AddFile("C:\\w\\a.txt", "abc");
    fs.AddHiddenFile("C:\\w\\h.txt");
    EXPECT_TRUE(u.FileExists("C:\\w\\a.txt", false));
    EXPECT_TRUE(u.FileExists("C:\\w\\h.txt", false)); // its length is readable
    EXPECT_FALSE(u.FileExists("C:\\w\\m.txt", false));
    EXPECT_EQ(fs.Contents("C:\\w\\m.txt"), nullptr);
    EXPECT_TRUE(u.FileExists("C:\\w\\m.txt", true));
    ASSERT_NE(fs.Contents("C:\\w\\m.txt"), nullptr);
    EXPECT_EQ(*fs.Contents("C:\\w\\m.txt"), "");
    EXPECT_TRUE(u.FileExists("C:\\w\\a.txt", true));
    EXPECT_EQ(*fs.Contents("C:\\w\\a.txt"), "abc"); // an existing file is not truncated
    EXPECT_FALSE(u.FileExists("C:\\none\\m.txt", true));
    fs.DenyWrites("C:\\w\\ro");
    EXPECT_FALSE(u.FileExists("C:\\w\\ro.txt", true));
}

TEST_F(QXUtilityFiles, DirectoryExistsCreatesOneLevel) {
    fs.AddFile("C:\\w\\f.txt");
    EXPECT_TRUE(u.DirectoryExists("C:\\w", false));
    EXPECT_TRUE(u.DirectoryExists("C:\\w\\f.txt", false)); // the search finds files too
    EXPECT_FALSE(u.DirectoryExists("C:\\w\\data", false));
    EXPECT_FALSE(fs.IsDirectory("C:\\w\\data"));
    EXPECT_TRUE(u.DirectoryExists("C:\\w\\data", true));
    EXPECT_TRUE(fs.IsDirectory("C:\\w\\data"));
    EXPECT_FALSE(u.DirectoryExists("C:\\w\\x\\y", true));
    EXPECT_FALSE(fs.IsDirectory("C:\\w\\x"));
}

TEST_F(QXUtilityFiles, MakeTopMostArguments) {
    EXPECT_TRUE(u.MakeTopMost(0x1234, true, false));
    EXPECT_TRUE(u.MakeTopMost(0x1234, false, true));
    shell.result = false;
    EXPECT_FALSE(u.MakeTopMost(0x99, true, true));
    ASSERT_EQ(shell.calls.size(), 3u);
    EXPECT_EQ(shell.calls[0].window, 0x1234u);
    EXPECT_EQ(shell.calls[0].insertAfter, -1);
    EXPECT_EQ(shell.calls[0].flags, 3u);
    EXPECT_EQ(shell.calls[1].insertAfter, -2);
    EXPECT_EQ(shell.calls[1].flags, 67u);
}

TEST_F(QXUtilityFiles, BrowseForFolder) {
    std::string title;
    EXPECT_EQ(u.BrowseForFolder(7, title), ""); // cancelled
    EXPECT_EQ(title, "Quellix");
    ASSERT_EQ(shell.calls.size(), 1u);
    EXPECT_EQ(shell.calls[0].file, "Quellix");
    EXPECT_EQ(shell.calls[0].window, 7u);
    EXPECT_EQ(shell.calls[0].flags, 1u);

    shell.browseResult = true;
    shell.browsePath = std::string("C:\\Data\0\0\0", 10);
    title = "Pick";
    EXPECT_EQ(u.BrowseForFolder(7, title), "C:\\Data");
    EXPECT_EQ(shell.calls[1].file, "Pick");
}

TEST_F(QXUtilityFiles, ShellDocumentsAndMail) {
    u.ShowFileProperties(5, "C:\\w\\a.txt");
    u.HyperJump("https://example.org/q");
    u.SendMail(6, "help@example.org", "Quellix question");
    ASSERT_EQ(shell.calls.size(), 3u);
    EXPECT_EQ(shell.calls[0].what, "execex");
    EXPECT_EQ(shell.calls[0].flags, 12u);
    EXPECT_EQ(shell.calls[0].verb, "properties");
    EXPECT_EQ(shell.calls[0].file, "C:\\w\\a.txt");
    EXPECT_EQ(shell.calls[0].window, 5u);
    EXPECT_EQ(shell.calls[1].what, "exec");
    EXPECT_EQ(shell.calls[1].window, 0u);
    EXPECT_EQ(shell.calls[1].verb, "");
    EXPECT_EQ(shell.calls[1].file, "https://example.org/q");
    EXPECT_EQ(shell.calls[1].show, 1);
    EXPECT_EQ(shell.calls[2].verb, "open");
    EXPECT_EQ(shell.calls[2].file, "mailto:help@example.org?Subject=Quellix question");
    EXPECT_EQ(shell.calls[2].window, 6u);
    EXPECT_EQ(shell.calls[2].show, 1);
}

} // namespace
} // namespace qx
