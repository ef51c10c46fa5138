#include "win32/cWin32FileSystem.h"

#include "integration/cTempPath.h"
#include "win32/WideText.h"
#include "win32/WinApi.h"

#include <gtest/gtest.h>

namespace qx::win32 {
namespace {

using test::cTempFolder;

TEST(Win32FileSystem, AppendIsSharedAndWholeFilesRoundTripMoveAndReplaceUnderUnicodeNames) {
    cWin32FileSystem fs;
    const cTempFolder folder("fs caf\xC3\xA9");
    const std::string log = folder.File("log"), a = folder.File("a"), b = folder.File("b"),
                      c = folder.File("\xE2\x9C\x93");
    {
        auto f = fs.OpenAppend(log);
        ASSERT_NE(f, nullptr);
        EXPECT_TRUE(f->Write("one\r\n"));
        // Another writer (a second Quellix, a viewer) may hold the log meanwhile.
        auto other = fs.OpenAppend(log);
        ASSERT_NE(other, nullptr);
        EXPECT_TRUE(other->Write("two\r\n") && f->Write(std::string("\0\xFF", 2)));
    }
    std::uint64_t length = 0;
    EXPECT_TRUE(fs.GetFileLength(log, length));
    EXPECT_EQ(folder.Contents("log"), std::string("one\r\ntwo\r\n\0\xFF", 12));
    EXPECT_EQ(length, 12u);
    EXPECT_EQ(fs.OpenAppend(folder.File("missing\\x.log")), nullptr);

    std::string bytes(200000, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7);
    ASSERT_TRUE(fs.WriteFile(a, bytes) && fs.WriteFile(b, "old"));
    EXPECT_FALSE(fs.MoveFile(a, b)); // move never overwrites
    EXPECT_EQ(folder.Contents("b"), "old");
    EXPECT_TRUE(fs.ReplaceFile(a, b));
    EXPECT_FALSE(fs.PathExists(a));
    EXPECT_TRUE(fs.ReplaceFile(b, c)); // target missing: plain rename
    std::string back = "stale";
    ASSERT_TRUE(fs.ReadFile(c, back));
    EXPECT_EQ(back, bytes);
    EXPECT_FALSE(fs.ReplaceFile(a, c)); // source missing
    ASSERT_TRUE(fs.WriteFile(c, "short")); // truncates
    EXPECT_EQ(folder.Contents("\xE2\x9C\x93"), "short");
    back = "kept";
    EXPECT_FALSE(fs.ReadFile(a, back));
    EXPECT_EQ(back, "kept");
    EXPECT_TRUE(fs.MoveFile(c, a) && fs.DeleteFile(a));
    EXPECT_FALSE(fs.DeleteFile(a));
}

TEST(Win32FileSystem, OnlyAPlainFileIsANormalFileAndAFailureSaysWhyInTheSystemsWords) {
    cWin32FileSystem fs;
    const cTempFolder folder("kinds");
    for (const char* name : {"plain", "hidden", "system"}) ASSERT_TRUE(folder.Put(name, "x"));
    ASSERT_TRUE(SetFileAttributesW(Widen(folder.File("hidden")).c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(SetFileAttributesW(Widen(folder.File("system")).c_str(), FILE_ATTRIBUTE_SYSTEM));
    ASSERT_TRUE(fs.CreateDirectory(folder.File("sub")));
    for (const std::string& path : {folder.File("hidden"), folder.File("system"), folder.File("sub"),
                                    folder.File("missing"), folder.File("p*"), std::string()})
        EXPECT_FALSE(fs.NormalFileExists(path)) << path;
    EXPECT_TRUE(fs.NormalFileExists(folder.File("plain")) && fs.PathExists(folder.File("hidden")));
    EXPECT_TRUE(fs.IsDirectory(folder.File("sub")));
    EXPECT_FALSE(fs.IsDirectory(folder.File("plain")));
    std::uint64_t length = 0;
    EXPECT_FALSE(fs.GetFileLength(folder.File("sub"), length));
    EXPECT_FALSE(fs.CreateDirectory(folder.File("no\\such")));

    EXPECT_FALSE(fs.WriteFile(folder.File("missing\\x.bat"), "line\r\n"));
    const std::string why = fs.LastErrorDescription();
    wchar_t sentence[512] = L"";
    FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, ERROR_PATH_NOT_FOUND, 0,
                   sentence, 512, nullptr);
    // To go into a longer message: without its full stop.
    ASSERT_FALSE(why.empty());
    EXPECT_EQ(Narrow(sentence).rfind(why, 0), 0u) << why;
    EXPECT_NE(why.back(), '.');
    EXPECT_TRUE(fs.WriteFile(folder.File("plain"), "x"));
    EXPECT_EQ(fs.LastErrorDescription(), ""); // a success forgets it
    for (const char* name : {"hidden", "system"})
        SetFileAttributesW(Widen(folder.File(name)).c_str(), FILE_ATTRIBUTE_NORMAL);
}

} // namespace
} // namespace qx::win32
