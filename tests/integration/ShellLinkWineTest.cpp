// Shortcuts written through the shell's link object: an existing one is
// replaced, and a failure is told in the system's words.
#include "integration/cTempPath.h"
#include "integration/modShellLinkReader.h"
#include "win32/WideText.h"
#include "win32/cWin32ShellLink.h"

#include <gtest/gtest.h>

namespace qx::win32 {
namespace {

TEST(ShellLink, ReplacesAnExistingShortcutAndTellsWhyOneCannotBeWritten) {
    const test::cTempFolder folder("links with blanks");
    ASSERT_TRUE(folder.Put("a.exe", "MZ") && folder.Put("b.exe", "MZ"));
    const std::string link = folder.File("Close Caf\xC3\xA9 now.lnk");
    std::string error = "untouched";
    ASSERT_TRUE(WriteShellLink({link, folder.File("a.exe"), "\"C:\\Sets\\my office.qxs\" /S"}, error)) << error;
    ASSERT_TRUE(WriteShellLink({link, folder.File("b.exe"), "/KW "}, error)) << error;
    EXPECT_EQ(error, "untouched");
    const auto back = test::ReadShellLink(link);
    EXPECT_EQ(back.path + "|" + back.arguments, folder.File("b.exe") + "|/KW ");

    const std::string missing = folder.File("no such folder\\x.lnk");
    EXPECT_FALSE(WriteShellLink({missing, folder.File("a.exe"), "/KA "}, error));
    // The description alone, ready for ": Creation failed." behind it.
    ASSERT_GT(error.size(), 3u);
    EXPECT_EQ(error.find(missing), std::string::npos) << error;
    EXPECT_TRUE(error.back() != '.' && error.back() != '\n') << error;
}

} // namespace
} // namespace qx::win32
