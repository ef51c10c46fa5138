#include "win32/cWin32SystemFacts.h"
#include "win32/WideText.h"

#include "win32/WinApi.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

namespace qx::win32 {
namespace {

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

bool IsFolder(const std::string& path) {
    const DWORD a = GetFileAttributesW(Widen(path).c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

TEST(Win32SystemFacts, UserNameMatchesTheEnvironment) {
    cWin32SystemFacts facts;
    std::string name;
    ASSERT_TRUE(facts.GetUserName(name));
    wchar_t env[256]{};
    const DWORD n = GetEnvironmentVariableW(L"USERNAME", env, 256);
    ASSERT_GT(n, 0u);
    EXPECT_EQ(Lower(name), Lower(Narrow(env, n)));
    EXPECT_EQ(name.find('\0'), std::string::npos);
}

TEST(Win32SystemFacts, SystemFoldersExist) {
    cWin32SystemFacts facts;
    const std::string windows = facts.GetWindowsDirectory(), system = facts.GetSystemDirectory(),
                      temp = facts.GetTempPath();
    EXPECT_EQ(Lower(windows), "c:\\windows");
    EXPECT_EQ(Lower(system), "c:\\windows\\system32");
    ASSERT_FALSE(temp.empty());
    EXPECT_EQ(temp.back(), '\\');
    EXPECT_TRUE(IsFolder(windows));
    EXPECT_TRUE(IsFolder(system));
    EXPECT_TRUE(IsFolder(temp));
}

TEST(Win32SystemFacts, DriveTypes) {
    cWin32SystemFacts facts;
    EXPECT_EQ(facts.GetDriveType("C:\\"), 3u); // DRIVE_FIXED
    // A letter with nothing behind it has no root directory.
    const DWORD drives = GetLogicalDrives();
    for (int i = 25; i >= 3; --i) {
        if (!(drives & (1u << i))) {
            EXPECT_EQ(facts.GetDriveType(std::string(1, static_cast<char>('A' + i)) + ":\\"), 1u);
            break;
        }
    }
}

TEST(Win32SystemFacts, LocaleOfTheSystem) {
    cWin32SystemFacts facts;
    const std::uint32_t lcid = facts.GetSystemDefaultLCID();
    ASSERT_NE(lcid, 0u);
    const std::string id = facts.GetLocaleInfo(lcid, kLocaleILanguage);
    ASSERT_EQ(id.size(), 4u) << id; // four hex digits, such as 0409
    EXPECT_EQ(std::stoul(id, nullptr, 16), lcid & 0xFFFF);
    EXPECT_FALSE(facts.GetLocaleInfo(lcid, kLocaleSEnglishLanguage).empty());
    EXPECT_FALSE(facts.GetLocaleInfo(lcid, kLocaleSLanguage).empty());
    EXPECT_EQ(facts.GetLocaleInfo(lcid, kLocaleSEnglishLanguage).find('\0'), std::string::npos);
}

TEST(Win32SystemFacts, LocalAppDataIsTheUsersOwnExistingFolder) {
    cWin32SystemFacts facts;
    const std::string folder = facts.LocalAppDataFolder();
    ASSERT_TRUE(IsFolder(folder)) << folder;
    EXPECT_NE(folder.back(), '\\');
    wchar_t env[MAX_PATH]{};
    ASSERT_GT(GetEnvironmentVariableW(L"LOCALAPPDATA", env, MAX_PATH), 0u);
    EXPECT_EQ(Lower(folder), Lower(Narrow(env)));
}

TEST(Win32SystemFacts, ProgramFolderHoldsThisExe) {
    cWin32SystemFacts facts;
    const std::string folder = facts.ProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_NE(folder.back(), '\\');
    EXPECT_NE(GetFileAttributesW(Widen(folder + "\\qx_wine_tests.exe").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(Win32SystemFacts, VersionRecordIsFilled) {
    cWin32SystemFacts facts;
    OsVersionInfo v;
    ASSERT_TRUE(facts.GetVersionEx(v));
    EXPECT_EQ(v.size, 148u);
    EXPECT_EQ(v.platformId, kVerPlatformWin32Nt);
    EXPECT_GE(v.majorVersion, 5u);
    EXPECT_GT(v.buildNumber, 0u);
}

} // namespace
} // namespace qx::win32
