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

TEST(Win32SystemFacts, FactsOfTheRunningSystem) {
    cWin32SystemFacts facts;
    std::string name;
    ASSERT_TRUE(facts.GetUserName(name));
    wchar_t env[256]{};
    const DWORD n = GetEnvironmentVariableW(L"USERNAME", env, 256);
    EXPECT_EQ(CompareStringOrdinal(Widen(name).c_str(), -1, env, static_cast<int>(n), TRUE), CSTR_EQUAL) << name;
    EXPECT_EQ(facts.GetTempPath().back(), '\\');
    EXPECT_EQ(facts.GetDriveType("C:\\"), 3u); // DRIVE_FIXED
    const DWORD drives = GetLogicalDrives();
    for (int i = 25; i >= 3; --i) {
        if (!(drives & (1u << i))) { // a letter with nothing behind it has no root directory
            EXPECT_EQ(facts.GetDriveType(std::string(1, static_cast<char>('A' + i)) + ":\\"), 1u);
            break;
        }
    }
    const std::uint32_t lcid = facts.GetSystemDefaultLCID();
    const std::string id = facts.GetLocaleInfo(lcid, kLocaleILanguage);
    ASSERT_EQ(id.size(), 4u) << id; // four hex digits, such as 0409
    EXPECT_EQ(std::stoul(id, nullptr, 16), lcid & 0xFFFF);
    EXPECT_EQ(facts.GetLocaleInfo(lcid, kLocaleSEnglishLanguage).find('\0'), std::string::npos);
    const std::string folder = facts.ProgramFolder();
    EXPECT_TRUE(IsFolder(folder + "\\help")) << folder;
    OsVersionInfo v;
    ASSERT_TRUE(facts.GetVersionEx(v));
    EXPECT_EQ(v.size, 148u);
    EXPECT_EQ(v.platformId, kVerPlatformWin32Nt);
    EXPECT_GT(v.buildNumber, 0u);
}

TEST(Win32SystemFacts, LocalAppDataIsTheUsersOwnExistingFolder) {
    const std::string folder = cWin32SystemFacts().LocalAppDataFolder();
    ASSERT_TRUE(IsFolder(folder)) << folder;
    EXPECT_NE(folder.back(), '\\');
    wchar_t env[MAX_PATH]{};
    ASSERT_GT(GetEnvironmentVariableW(L"LOCALAPPDATA", env, MAX_PATH), 0u);
    EXPECT_EQ(CompareStringOrdinal(Widen(folder).c_str(), -1, env, -1, TRUE), CSTR_EQUAL) << folder;
}

TEST(Win32SystemFacts, SystemInfoCreatesFromTheRealSystem) {
    cWin32SystemFacts facts;
    cWin32Registry registry;
    cSystemInfo info(facts, registry);
    cErrorInfo error;
    ASSERT_TRUE(info.Create(error)) << error.description;
    std::string user;
    ASSERT_TRUE(facts.GetUserName(user));
    EXPECT_EQ(info.logonName(), user);
}

} // namespace
} // namespace qx::win32
