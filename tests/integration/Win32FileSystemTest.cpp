#include "win32/cWin32FileSystem.h"

#include "integration/cTempPath.h"
#include "win32/WideText.h"
#include "win32/WinApi.h"

#include <gtest/gtest.h>

namespace qx::win32 {
namespace {

using test::cTempPath;

TEST(Win32FileSystem, AppendCreatesThenAppendsWhileOthersReadAndWrite) {
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
        std::string seen;
        EXPECT_TRUE(fs.ReadFile(log, seen));
        EXPECT_EQ(seen, "one\r\ntwo\r\n");
        EXPECT_TRUE(f->Write("three\r\n"));
    }
    auto again = fs.OpenAppend(log);
    ASSERT_NE(again, nullptr);
    EXPECT_TRUE(again->Write(std::string("\0\xFF", 2)));
    again.reset();
    EXPECT_EQ(log.Contents(), std::string("one\r\ntwo\r\nthree\r\n\0\xFF", 19));
    std::uint64_t length = 0;
    EXPECT_TRUE(fs.GetFileLength(log, length));
    EXPECT_EQ(length, 19u);
}

TEST(Win32FileSystem, AppendFailsInAMissingFolder) {
    cWin32FileSystem fs;
    const cTempPath dir("nofolder");
    EXPECT_EQ(fs.OpenAppend(dir.Path() + "\\x.log"), nullptr);
    EXPECT_FALSE(fs.PathExists(dir));
}

TEST(Win32FileSystem, AFailedWriteSaysWhyAndASuccessForgetsIt) {
    cWin32FileSystem fs;
    const cTempPath dir("nowrite");
    EXPECT_FALSE(fs.WriteFile(dir.Path() + "\\x.bat", "line\r\n"));
    const std::string why = fs.LastErrorDescription();
    // The system's sentence for a missing folder, as a part of a longer message.
    wchar_t* buffer = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                   ERROR_PATH_NOT_FOUND, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    const std::string sentence = buffer != nullptr ? Narrow(buffer) : std::string();
    if (buffer != nullptr) LocalFree(buffer);
    ASSERT_FALSE(why.empty());
    EXPECT_EQ(sentence.rfind(why, 0), 0u) << why << " / " << sentence;
    EXPECT_NE(why.back(), '.');

    const cTempPath file("write");
    EXPECT_TRUE(fs.WriteFile(file, "x"));
    EXPECT_EQ(fs.LastErrorDescription(), "");
}

TEST(Win32FileSystem, NormalFileExistsRejectsHiddenSystemFoldersAndPatterns) {
    cWin32FileSystem fs;
    const cTempPath plain("plain"), hidden("hidden"), system("system"), folder("folder");
    ASSERT_TRUE(fs.WriteFile(plain, "x"));
    ASSERT_TRUE(fs.WriteFile(hidden, "x"));
    ASSERT_TRUE(fs.WriteFile(system, "x"));
    ASSERT_TRUE(SetFileAttributesW(Widen(hidden).c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(SetFileAttributesW(Widen(system).c_str(), FILE_ATTRIBUTE_SYSTEM));
    ASSERT_TRUE(fs.CreateDirectory(folder));

    EXPECT_TRUE(fs.NormalFileExists(plain));
    EXPECT_FALSE(fs.NormalFileExists(hidden));
    EXPECT_FALSE(fs.NormalFileExists(system));
    EXPECT_FALSE(fs.NormalFileExists(folder));
    EXPECT_FALSE(fs.NormalFileExists(plain.Path() + ".missing"));
    EXPECT_FALSE(fs.NormalFileExists(plain.Path().substr(0, plain.Path().size() - 3) + "*"));
    EXPECT_FALSE(fs.NormalFileExists(""));
    // PathExists sees everything that is there.
    EXPECT_TRUE(fs.PathExists(hidden));
    EXPECT_TRUE(fs.PathExists(folder));
    EXPECT_TRUE(fs.IsDirectory(folder));
    EXPECT_FALSE(fs.IsDirectory(plain));
    std::uint64_t length = 0;
    EXPECT_FALSE(fs.GetFileLength(folder, length));

    SetFileAttributesW(Widen(hidden).c_str(), FILE_ATTRIBUTE_NORMAL);
    SetFileAttributesW(Widen(system).c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_TRUE(RemoveDirectoryW(Widen(folder).c_str()));
}

TEST(Win32FileSystem, ReplaceOverwritesButMoveDoesNot) {
    cWin32FileSystem fs;
    const cTempPath a("a"), b("b"), c("c");
    ASSERT_TRUE(fs.WriteFile(a, "new"));
    ASSERT_TRUE(fs.WriteFile(b, "old"));
    EXPECT_FALSE(fs.MoveFile(a, b));
    EXPECT_EQ(b.Contents(), "old");
    EXPECT_TRUE(fs.ReplaceFile(a, b));
    EXPECT_EQ(b.Contents(), "new");
    EXPECT_FALSE(fs.PathExists(a));
    EXPECT_TRUE(fs.ReplaceFile(b, c)); // target missing: plain rename
    EXPECT_EQ(c.Contents(), "new");
    EXPECT_FALSE(fs.ReplaceFile(a, c)); // source missing
    EXPECT_EQ(c.Contents(), "new");
    EXPECT_TRUE(fs.MoveFile(c, a));
    EXPECT_TRUE(fs.DeleteFile(a));
    EXPECT_FALSE(fs.DeleteFile(a));
}

TEST(Win32FileSystem, WholeFilesRoundTripAndUnicodeNames) {
    cWin32FileSystem fs;
    const cTempPath p("caf\xC3\xA9-\xE2\x9C\x93");
    std::string bytes(200000, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(i * 7);
    ASSERT_TRUE(fs.WriteFile(p, bytes));
    std::string back = "stale";
    ASSERT_TRUE(fs.ReadFile(p, back));
    EXPECT_EQ(back, bytes);
    ASSERT_TRUE(fs.WriteFile(p, "short")); // truncates
    ASSERT_TRUE(fs.ReadFile(p, back));
    EXPECT_EQ(back, "short");
    back = "kept";
    EXPECT_FALSE(fs.ReadFile(p.Path() + ".missing", back));
    EXPECT_EQ(back, "kept");
    EXPECT_FALSE(fs.CreateDirectory(p.Path() + "\\no\\such"));
}

} // namespace
} // namespace qx::win32
