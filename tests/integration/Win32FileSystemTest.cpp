#include "win32/cWin32FileSystem.h"

#include "integration/cTempPath.h"
#include "win32/WideText.h"
#include "win32/WinApi.h"

#include <gtest/gtest.h>

namespace qx::win32 {
namespace {

using test::cTempPath;

TEST(Win32FileSystem, AppendIsSharedWithOtherWritersAndFailsInAMissingFolder) {
    cWin32FileSystem fs;
    const cTempPath log("append");
    {
        auto f = fs.OpenAppend(log);
        ASSERT_NE(f, nullptr);
        EXPECT_TRUE(f->Write("one\r\n"));
        // Another writer (a second Quellix, a viewer) may hold the log meanwhile.
        auto other = fs.OpenAppend(log);
        ASSERT_NE(other, nullptr);
        EXPECT_TRUE(other->Write("two\r\n"));
        EXPECT_TRUE(f->Write(std::string("\0\xFF", 2)));
    }
    EXPECT_EQ(log.Contents(), std::string("one\r\ntwo\r\n\0\xFF", 12));
    std::uint64_t length = 0;
    EXPECT_TRUE(fs.GetFileLength(log, length));
    EXPECT_EQ(length, 12u);
    EXPECT_EQ(fs.OpenAppend(log.Path() + ".missing\\x.log"), nullptr);
}

TEST(Win32FileSystem, AFailedWriteSaysWhyInTheSystemsWordsAndASuccessForgetsIt) {
    cWin32FileSystem fs;
    const cTempPath file("write");
    EXPECT_FALSE(fs.WriteFile(file.Path() + ".missing\\x.bat", "line\r\n"));
    const std::string why = fs.LastErrorDescription();
    wchar_t sentence[512] = L"";
    FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, ERROR_PATH_NOT_FOUND, 0,
                   sentence, 512, nullptr);
    ASSERT_FALSE(why.empty());
    EXPECT_EQ(Narrow(sentence).rfind(why, 0), 0u) << why; // to go into a longer message: no full stop
    EXPECT_NE(why.back(), '.');
    EXPECT_TRUE(fs.WriteFile(file, "x"));
    EXPECT_EQ(fs.LastErrorDescription(), "");
}

TEST(Win32FileSystem, OnlyAPlainFileIsANormalFile) {
    cWin32FileSystem fs;
    const cTempPath plain("plain"), hidden("hidden"), system("system"), folder("folder");
    for (const cTempPath* p : {&plain, &hidden, &system}) ASSERT_TRUE(fs.WriteFile(*p, "x"));
    ASSERT_TRUE(SetFileAttributesW(Widen(hidden).c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(SetFileAttributesW(Widen(system).c_str(), FILE_ATTRIBUTE_SYSTEM));
    ASSERT_TRUE(fs.CreateDirectory(folder));
    const std::string pattern = plain.Path().substr(0, plain.Path().size() - 3) + "*";
    for (const std::string& path : {hidden.Path(), system.Path(), folder.Path(), plain.Path() + ".missing", pattern,
                                    std::string()})
        EXPECT_FALSE(fs.NormalFileExists(path)) << path;
    EXPECT_TRUE(fs.NormalFileExists(plain));
    EXPECT_TRUE(fs.PathExists(hidden));
    EXPECT_TRUE(fs.IsDirectory(folder));
    EXPECT_FALSE(fs.IsDirectory(plain));
    std::uint64_t length = 0;
    EXPECT_FALSE(fs.GetFileLength(folder, length));
    SetFileAttributesW(Widen(hidden).c_str(), FILE_ATTRIBUTE_NORMAL);
    SetFileAttributesW(Widen(system).c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_TRUE(RemoveDirectoryW(Widen(folder).c_str()));
}

TEST(Win32FileSystem, ReplaceOverwritesMoveDoesNotAndWholeFilesRoundTripUnderUnicodeNames) {
    cWin32FileSystem fs;
    const cTempPath a("a"), b("b"), c("caf\xC3\xA9-\xE2\x9C\x93");
    std::string bytes(200000, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7);
    ASSERT_TRUE(fs.WriteFile(a, bytes));
    ASSERT_TRUE(fs.WriteFile(b, "old"));
    EXPECT_FALSE(fs.MoveFile(a, b));
    EXPECT_EQ(b.Contents(), "old");
    EXPECT_TRUE(fs.ReplaceFile(a, b));
    EXPECT_FALSE(fs.PathExists(a));
    EXPECT_TRUE(fs.ReplaceFile(b, c)); // target missing: plain rename
    std::string back = "stale";
    ASSERT_TRUE(fs.ReadFile(c, back));
    EXPECT_EQ(back, bytes);
    EXPECT_FALSE(fs.ReplaceFile(a, c)); // source missing
    ASSERT_TRUE(fs.WriteFile(c, "short")); // truncates
    EXPECT_EQ(c.Contents(), "short");
    back = "kept";
    EXPECT_FALSE(fs.ReadFile(a, back));
    EXPECT_EQ(back, "kept");
    EXPECT_TRUE(fs.MoveFile(c, a));
    EXPECT_TRUE(fs.DeleteFile(a));
    EXPECT_FALSE(fs.DeleteFile(a));
    EXPECT_FALSE(fs.CreateDirectory(a.Path() + "\\no\\such"));
}

} // namespace
} // namespace qx::win32
