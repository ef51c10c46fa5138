// The ports through which the program meets files and the shell: whole
// files, the shared log and the system's words for a failure; the shell's
// folder browser, answered by a user on a second thread, and its start of
// other programs. Message boxes, the save dialog and the caption are met
// through the command line and the main window.
#include "win32/cWin32FileSystem.h"
#include "win32/cWin32Shell.h"

#include "integration/cDialogUser.h"
#include "integration/cTempPath.h"
#include "win32/WideText.h"
#include "win32/WinApi.h"

#include <gtest/gtest.h>
#include <shlobj.h>

namespace qx::win32 {
namespace {

using test::cDialogUser;

// Saving a set over an older one and writing the log are met through the
// main window and the command line; here the edges they do not reach.
TEST(Win32FileSystem, SharedLogMovesThatNeverOverwriteKindsOfFileAndFailuresInTheSystemsWords) {
    cWin32FileSystem fs;
    const test::cTempFolder folder("fs caf\xC3\xA9");
    const std::string log = folder.File("\xE2\x9C\x93.log"), a = folder.File("a"), b = folder.File("b");
    {
        auto first = fs.OpenAppend(log), second = fs.OpenAppend(log); // a second Quellix, a viewer
        ASSERT_TRUE(first && second);
        EXPECT_TRUE(first->Write("one\r\n") && second->Write("two\r\n") && first->Write(std::string("\0\xFF", 2)));
    }
    std::uint64_t length = 0;
    EXPECT_TRUE(fs.GetFileLength(log, length) && length == 12);
    EXPECT_EQ(test::ReadFileBytes(log), std::string("one\r\ntwo\r\n\0\xFF", 12));
    EXPECT_EQ(fs.OpenAppend(folder.File("missing\\x.log")), nullptr);
    ASSERT_TRUE(fs.WriteFile(a, "new") && fs.WriteFile(b, "old"));
    EXPECT_FALSE(fs.MoveFile(a, b));
    EXPECT_TRUE(fs.ReplaceFile(a, b) && !fs.PathExists(a) && !fs.ReplaceFile(a, b)); // and no source: no harm
    std::string back = "kept";
    EXPECT_FALSE(fs.ReadFile(a, back));
    EXPECT_EQ(back + folder.Contents("b"), "keptnew");
    EXPECT_TRUE(fs.DeleteFile(b) && !fs.DeleteFile(b));

    // Only a plain file is a normal file.
    const std::string sub = folder.File("sub"), plain = folder.File("plain"), hidden = folder.File("hidden");
    ASSERT_TRUE(fs.WriteFile(plain, "x") && fs.WriteFile(hidden, "x") && fs.CreateDirectory(sub));
    ASSERT_TRUE(SetFileAttributesW(Widen(hidden).c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    for (const std::string& path : {hidden, sub, folder.File("missing"), folder.File("p*"), std::string()})
        EXPECT_FALSE(fs.NormalFileExists(path)) << path;
    EXPECT_TRUE(fs.NormalFileExists(plain) && fs.PathExists(hidden) && fs.IsDirectory(sub) && !fs.IsDirectory(plain));
    EXPECT_FALSE(fs.GetFileLength(sub, length) || fs.CreateDirectory(folder.File("no\\such")));
    SetFileAttributesW(Widen(hidden).c_str(), FILE_ATTRIBUTE_NORMAL);

    EXPECT_FALSE(fs.WriteFile(folder.File("missing\\x.bat"), "line\r\n"));
    const std::string why = fs.LastErrorDescription();
    wchar_t sentence[512] = L"";
    FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, ERROR_PATH_NOT_FOUND, 0,
                   sentence, 512, nullptr);
    EXPECT_EQ(Narrow(sentence).rfind(why, 0), 0u) << why;
    EXPECT_TRUE(!why.empty() && why.back() != '.') << why; // to go into a longer message
    EXPECT_TRUE(fs.WriteFile(plain, "x"));
    EXPECT_EQ(fs.LastErrorDescription(), ""); // a success forgets it
}

TEST(Win32Shell, FolderBrowserGivesTheChoiceOrNothingAndProgramsStartWithTheirParameters) {
    cWin32Shell shell;
    const test::cTempFolder folder("shell");
    const std::wstring select = Widen(folder.Path());
    for (const bool cancel : {true, false}) {
        std::string chosen = "unchanged";
        cDialogUser user(L"Browse for Folder", [&](cDialogUser&, HWND d) {
            SendMessageW(d, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(select.c_str()));
            PostMessageW(d, WM_COMMAND, cancel ? IDCANCEL : IDOK, 0);
        });
        EXPECT_EQ(shell.BrowseForFolder(0, "Choose the data folder", kBifReturnOnlyFsDirs, chosen), !cancel);
        user.Join();
        EXPECT_EQ(chosen, cancel ? "unchanged" : folder.Path());
    }
    EXPECT_FALSE(shell.ShellExecute(0, {}, "C:\\no\\such\\document.qxdoc", {}, {}, SW_SHOWNORMAL));
    const std::string marker = folder.File("marker.txt");
    ASSERT_TRUE(shell.ShellExecute(0, "open", "cmd.exe", "/c echo hi> \"" + marker + "\"", {}, SW_HIDE));
    EXPECT_TRUE(cDialogUser::WaitFor([&] { return test::ReadFileBytes(marker) == "hi\r\n"; }));
    cDialogUser::WaitFor([&] { return DeleteFileW(Widen(marker).c_str()) != FALSE; }); // cmd may still hold it
}

} // namespace
} // namespace qx::win32
