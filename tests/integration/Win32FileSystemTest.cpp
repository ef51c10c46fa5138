#include "win32/cWin32FileSystem.h"

#include "integration/cTempPath.h"
#include "win32/WideText.h"
#include "win32/WinApi.h"

#include <gtest/gtest.h>

namespace qx::win32 {
namespace {

TEST(Win32FileSystem, FilesRoundTripUnderUnicodeNamesAndTheLogIsSharedWithOtherWriters) {
    cWin32FileSystem fs;
    const test::cTempFolder folder("fs caf\xC3\xA9");
    const std::string log = folder.File("log"), a = folder.File("a"), b = folder.File("b"),
                      c = folder.File("\xE2\x9C\x93");
    {
        auto first = fs.OpenAppend(log), second = fs.OpenAppend(log); // a second Quellix, a viewer
        ASSERT_TRUE(first && second);
        EXPECT_TRUE(first->Write("one\r\n") && second->Write("two\r\n") && first->Write(std::string("\0\xFF", 2)));
    }
    std::uint64_t length = 0;
    EXPECT_TRUE(fs.GetFileLength(log, length));
    EXPECT_EQ(folder.Contents("log"), std::string("one\r\ntwo\r\n\0\xFF", 12));
    EXPECT_EQ(length, 12u);
    EXPECT_EQ(fs.OpenAppend(folder.File("missing\\x.log")), nullptr);

    std::string bytes(200000, '\0'), back = "stale";
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7);
    ASSERT_TRUE(fs.WriteFile(a, bytes) && fs.WriteFile(b, "old"));
    EXPECT_FALSE(fs.MoveFile(a, b)); // never over another file
    EXPECT_TRUE(fs.ReplaceFile(a, b) && !fs.PathExists(a));
    EXPECT_TRUE(fs.ReplaceFile(b, c)); // target missing: plain rename
    EXPECT_TRUE(fs.ReadFile(c, back));
    EXPECT_FALSE(fs.ReplaceFile(a, c) || fs.ReadFile(a, back)); // source missing; what was read stays
    EXPECT_TRUE(back == bytes);
    ASSERT_TRUE(fs.WriteFile(c, "short")); // truncates
    EXPECT_EQ(folder.Contents("\xE2\x9C\x93"), "short");
    EXPECT_TRUE(fs.MoveFile(c, a) && fs.DeleteFile(a) && !fs.DeleteFile(a));
}

TEST(Win32FileSystem, OnlyAPlainFileIsANormalFileAndAFailureSaysWhyInTheSystemsWords) {
    cWin32FileSystem fs;
    const test::cTempFolder folder("kinds");
    const std::string sub = folder.File("sub"), plain = folder.File("plain"), hidden = folder.File("hidden");
    ASSERT_TRUE(fs.WriteFile(plain, "x") && fs.WriteFile(hidden, "x") && fs.CreateDirectory(sub));
    ASSERT_TRUE(SetFileAttributesW(Widen(hidden).c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    for (const std::string& path : {hidden, sub, folder.File("missing"), folder.File("p*"), std::string()})
        EXPECT_FALSE(fs.NormalFileExists(path)) << path;
    EXPECT_TRUE(fs.NormalFileExists(plain) && fs.PathExists(hidden) && fs.IsDirectory(sub) && !fs.IsDirectory(plain));
    std::uint64_t length = 0;
    EXPECT_FALSE(fs.GetFileLength(sub, length) || fs.CreateDirectory(folder.File("no\\such")));
    SetFileAttributesW(Widen(hidden).c_str(), FILE_ATTRIBUTE_NORMAL);

    EXPECT_FALSE(fs.WriteFile(folder.File("missing\\x.bat"), "line\r\n"));
    const std::string why = fs.LastErrorDescription();
    wchar_t sentence[512] = L"";
    FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, ERROR_PATH_NOT_FOUND, 0,
                   sentence, 512, nullptr);
    // To go into a longer message: without its full stop.
    ASSERT_FALSE(why.empty());
    EXPECT_EQ(Narrow(sentence).rfind(why, 0), 0u) << why;
    EXPECT_NE(why.back(), '.');
    EXPECT_TRUE(fs.WriteFile(plain, "x"));
    EXPECT_EQ(fs.LastErrorDescription(), ""); // a success forgets it
}

} // namespace
} // namespace qx::win32
