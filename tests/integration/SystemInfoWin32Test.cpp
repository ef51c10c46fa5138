#include "core/util/cSystemInfo.h"
#include "win32/WideText.h"
#include "win32/WinApi.h"
#include "win32/cWin32Registry.h"
#include "win32/cWin32SystemFacts.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace qx::win32 {
namespace {

bool IsFolder(const std::string& path) {
    const DWORD a = GetFileAttributesW(Widen(path).c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

TEST(SystemInfoWin32, CreatesFromTheRealSystem) {
    cWin32SystemFacts facts;
    cWin32Registry registry;
    cSystemInfo info(facts, registry);
    cErrorInfo error;
    ASSERT_TRUE(info.Create(error)) << error.description;
    std::string user;
    ASSERT_TRUE(facts.GetUserName(user));
    EXPECT_EQ(info.logonName(), user);
    EXPECT_NE(info.logonName(), "[Unknown]");
    EXPECT_TRUE(info.MultiUsers());
    EXPECT_TRUE(IsFolder(info.WindowsDir()));
    EXPECT_TRUE(IsFolder(info.SystemDir()));
    EXPECT_TRUE(IsFolder(info.TempPath()));
    EXPECT_EQ(info.StartMenuDir().substr(info.StartMenuDir().size() - 9), "\\Programs");
    EXPECT_EQ(info.StartupFolder().rfind(info.StartMenuDir(), 0), 0u); // Startup lies inside Programs
    EXPECT_EQ(info.CurrentLanguageID().size(), 4u);
    EXPECT_FALSE(info.EnglishNameOfLang().empty());
    std::vector<std::string> drives;
    EXPECT_TRUE(info.GetDriveList(cSystemInfo::DRIVE_FIXED(), drives));
    EXPECT_NE(std::find(drives.begin(), drives.end(), "C:"), drives.end());
}

} // namespace
} // namespace qx::win32
