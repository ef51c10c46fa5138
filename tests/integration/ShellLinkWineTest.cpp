// Shortcuts written through the shell's link object and read back the same way.
#include "integration/cTempFolder.h"
#include "integration/modShellLinkReader.h"
#include "win32/WideText.h"
#include "win32/WinApi.h"
#include "win32/cWin32ShellLink.h"

#include <gtest/gtest.h>

namespace qx::win32 {
namespace {

using test::cTempFolder;
using test::ReadShellLink;

TEST(ShellLink, WritesTargetAndArgumentsOnlyAndReplacesAnExistingShortcut) {
    const cTempFolder folder("links with blanks");
    ASSERT_TRUE(folder.Put("Target App.exe", "MZ"));
    ASSERT_TRUE(folder.Put("b.exe", "MZ"));
    const ShortcutLink link{folder.File("Close Caf\xC3\xA9 now.lnk"), folder.File("Target App.exe"),
                            "\"C:\\Sets\\my office.qxs\" /S /-F /W:30"};
    std::string error = "untouched";
    ASSERT_TRUE(WriteShellLink(link, error)) << error;
    EXPECT_EQ(error, "untouched");
    auto back = ReadShellLink(link.linkPath);
    ASSERT_TRUE(back.loaded);
    EXPECT_EQ(back.path, link.targetPath);
    EXPECT_EQ(back.arguments, link.arguments);
    EXPECT_EQ(back.workingDirectory + back.description + back.iconLocation, "");
    EXPECT_EQ(back.iconIndex, 0);

    ASSERT_TRUE(WriteShellLink({link.linkPath, folder.File("b.exe"), "/KW "}, error)) << error;
    back = ReadShellLink(link.linkPath);
    EXPECT_EQ(back.path, folder.File("b.exe"));
    EXPECT_EQ(back.arguments, "/KW ");
}

TEST(ShellLink, UnwritableDestinationReportsWhyInTheSystemsWords) {
    const cTempFolder folder("nolink");
    ASSERT_TRUE(folder.Put("a.exe", "MZ"));
    const std::string missing = folder.File("no such folder\\x.lnk");
    std::string error;
    EXPECT_FALSE(WriteShellLink({missing, folder.File("a.exe"), "/KA "}, error));
    // The description alone, ready for ": Creation failed." behind it.
    ASSERT_GT(error.size(), 3u) << error;
    EXPECT_EQ(error.find(missing), std::string::npos) << error;
    EXPECT_NE(error.back(), '.') << error;
    EXPECT_NE(error.back(), '\n') << error;
    EXPECT_EQ(GetFileAttributesW(Widen(missing).c_str()), INVALID_FILE_ATTRIBUTES);
}

} // namespace
} // namespace qx::win32
