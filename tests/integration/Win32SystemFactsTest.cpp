// The system facts port and what cSystemInfo makes of them on a real system.
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

bool SameAsVariable(const std::string& text, const wchar_t* variable) {
    wchar_t env[MAX_PATH]{};
    return GetEnvironmentVariableW(variable, env, MAX_PATH) > 0 &&
           CompareStringOrdinal(Widen(text).c_str(), -1, env, -1, TRUE) == CSTR_EQUAL;
}

TEST(Win32SystemFacts, FactsOfTheRunningSystemAndTheSystemInfoBuiltOnThem) {
    cWin32SystemFacts facts;
    std::string user;
    ASSERT_TRUE(facts.GetUserName(user));
    EXPECT_TRUE(SameAsVariable(user, L"USERNAME")) << user;
    EXPECT_TRUE(SameAsVariable(facts.LocalAppDataFolder(), L"LOCALAPPDATA")); // without a final backslash
    EXPECT_TRUE(IsFolder(facts.ProgramFolder() + "\\help")) << facts.ProgramFolder();
    EXPECT_EQ(facts.GetDriveType("C:\\"), 3u); // fixed
    // A letter with nothing behind it has no root directory.
    for (int i = 25; i >= 3; --i)
        if (!(GetLogicalDrives() & (1u << i))) {
            EXPECT_EQ(facts.GetDriveType(std::string(1, static_cast<char>('A' + i)) + ":\\"), 1u);
            break;
        }
    const std::uint32_t lcid = facts.GetSystemDefaultLCID();
    const std::string id = facts.GetLocaleInfo(lcid, kLocaleILanguage);
    ASSERT_EQ(id.size(), 4u) << id; // four hex digits, such as 0409
    EXPECT_EQ(std::stoul(id, nullptr, 16), lcid & 0xFFFF);
    OsVersionInfo v;
    ASSERT_TRUE(facts.GetVersionEx(v));
    EXPECT_EQ(v.size, 148u);
    EXPECT_EQ(v.platformId, kVerPlatformWin32Nt);
    EXPECT_GT(v.buildNumber, 0u);

    cWin32Registry registry;
    cSystemInfo info(facts, registry);
    cErrorInfo error;
    ASSERT_TRUE(info.Create(error)) << error.description;
    EXPECT_EQ(info.logonName(), user);
    for (const std::string& folder : {info.WindowsDir(), info.SystemDir(), info.TempPath()})
        EXPECT_TRUE(IsFolder(folder)) << folder;
    EXPECT_EQ(info.TempPath().back(), '\\');
    EXPECT_EQ(info.StartMenuDir().substr(info.StartMenuDir().size() - 9), "\\Programs");
    EXPECT_EQ(info.StartupFolder().rfind(info.StartMenuDir(), 0), 0u); // Startup lies inside Programs
    EXPECT_EQ(info.EnglishNameOfLang().find('\0'), std::string::npos);
    EXPECT_FALSE(info.EnglishNameOfLang().empty());
    std::vector<std::string> drives;
    EXPECT_TRUE(info.GetDriveList(cSystemInfo::DRIVE_FIXED(), drives));
    EXPECT_NE(std::find(drives.begin(), drives.end(), "C:"), drives.end());
}

} // namespace
} // namespace qx::win32
