// What the system holds and tells the program through its ports: the
// registry (the shared contract, values another program stored in odd
// shapes, keys left open), facts, the clock, code pages and case, and the
// program's own string table. The version the system reports is seen under
// each version by the inventory probe.
#include "core/ui/cBuiltinStringTable.h"
#include "core/util/cCodePage1252.h"
#include "core/util/cSystemInfo.h"
#include "unit/RegistryHelpers.h"
#include "win32/WideText.h"
#include "win32/WinApi.h"
#include "win32/cWin32Clock.h"
#include "win32/cWin32FileSystem.h"
#include "win32/cWin32Registry.h"
#include "win32/cWin32StringTable.h"
#include "win32/cWin32SystemFacts.h"
#include "win32/cWin32TextCodec.h"

#include <gtest/gtest.h>

#include <optional>
#include <tuple>

namespace qx::win32 {
namespace {

TEST(Win32Registry, KeysAndTypedValuesAsTheProgramUsesThem) {
    cWin32Registry store;
    ASSERT_TRUE(contract::DeleteTree(store, kHkeyCurrentUser, contract::kBase));
    RegKey k = 0;
    ASSERT_EQ(store.CreateKey(kHkeyCurrentUser, contract::kBase + "\\A\\B", k), kErrorSuccess); // every key on the way
    const std::string text = "Caf\xC3\xA9 \xE2\x82\xAC", nul("ab\0cd", 5);
    EXPECT_EQ(store.SetStringValue(k, "Text", text), kErrorSuccess);
    EXPECT_EQ(store.SetStringValue(k, "Nul", nul), kErrorSuccess);
    EXPECT_EQ(store.SetDwordValue(k, "Number", 0xFFFFFFFF), kErrorSuccess);
    EXPECT_EQ(store.SetDwordValue(k, "Gone", 1), kErrorSuccess);
    EXPECT_EQ(store.DeleteValue(k, "GONE"), kErrorSuccess); // names ignore case
    EXPECT_EQ(store.CloseKey(k), kErrorSuccess);
    std::string seen;
    for (const auto& [name, value] : contract::AllValues(store, kHkeyCurrentUser, contract::kBase + "\\a\\b"))
        seen += name + "=" + std::to_string(value.type) + ":" + value.data + "|";
    EXPECT_EQ(seen, "Nul=1:" + nul + "|Number=4:" + contract::Dword(-1) + "|Text=1:" + text + "|");
    EXPECT_TRUE(contract::DeleteTree(store, kHkeyCurrentUser, contract::kBase));
}

bool SameAsVariable(const std::string& text, const wchar_t* variable) {
    wchar_t env[MAX_PATH]{};
    return GetEnvironmentVariableW(variable, env, MAX_PATH) > 0 &&
           CompareStringOrdinal(Widen(text).c_str(), -1, env, -1, TRUE) == CSTR_EQUAL;
}

TEST(Win32Registry, ValuesInOddShapesAreReadAsTheyLieAndKeysLeftOpenCloseWithTheirObject) {
    using Case = std::tuple<const wchar_t*, DWORD, const void*, DWORD, std::string>; // name, type, data, size, read
    const Case cases[] = {
        {L"Short", REG_DWORD, "\x03\x00", 2, std::string("\x03\x00", 2)},
        {L"Long", REG_DWORD, "\0\0\0\0\1\0\0\0", 8, std::string("\0\0\0\0\1\0\0\0", 8)},
        {L"NoNul", REG_SZ, L"D:\\x.log", 6 * 2 + 1, "D:\\x.l"}, // an odd last byte is no character
        {L"Inside", REG_SZ, L"D:\\d\0junk", 20, std::string("D:\\d\0junk", 9)},
        {L"Expand", REG_EXPAND_SZ, L"%TEMP%\\\u00e9", 18, "%TEMP%\\\xC3\xA9"},
    };
    const std::wstring key(contract::kBase.begin(), contract::kBase.end());
    std::optional<cWin32Registry> reg{std::in_place};
    RegKey k = 0;
    for (const auto& [wideName, type, data, size, expected] : cases) {
        ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), wideName, type, data, size), 0);
        RegistryValue v;
        const std::string name = Narrow(wideName);
        EXPECT_EQ(reg->OpenKey(kHkeyCurrentUser, contract::kBase, k) + reg->QueryValue(k, name, v), kErrorSuccess);
        EXPECT_EQ(std::to_string(v.type) + " " + v.data, std::to_string(type) + " " + expected) << name;
    }
    // The key is left open; it belongs to the object that opened it, and goes with it.
    const auto stillOpen = [&] {
        return RegQueryInfoKeyW(reinterpret_cast<HKEY>(k), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                nullptr, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    };
    EXPECT_TRUE(stillOpen());
    RegistryValue v;
    EXPECT_EQ(cWin32Registry().QueryValue(k, "Short", v), kErrorInvalidHandle);
    reg.reset();
    EXPECT_FALSE(stillOpen());
    EXPECT_TRUE(contract::DeleteTree(reg.emplace(), kHkeyCurrentUser, contract::kBase));
}

TEST(Win32SystemFacts, FactsOfTheRunningSystemAndTheSystemInfoBuiltOnThem) {
    cWin32SystemFacts facts;
    std::string user;
    ASSERT_TRUE(facts.GetUserName(user));
    EXPECT_TRUE(SameAsVariable(user, L"USERNAME")) << user;
    EXPECT_TRUE(SameAsVariable(facts.LocalAppDataFolder(), L"LOCALAPPDATA")); // without a final backslash
    EXPECT_TRUE(cWin32FileSystem().IsDirectory(facts.ProgramFolder() + "\\help")) << facts.ProgramFolder();

    cWin32Registry registry;
    cSystemInfo info(facts, registry);
    cErrorInfo error;
    ASSERT_TRUE(info.Create(error)) << error.description; // the user's Start menu folders are recorded
    EXPECT_EQ(info.logonName(), user);
}

TEST(Win32Clock, NowIsTheLocalTimeAndDatesFollowTheUserLocale) {
    cWin32Clock clock;
    SYSTEMTIME before{};
    GetLocalTime(&before);
    const LocalDateTime now = clock.Now();
    EXPECT_EQ(now.year * 10000 + now.month * 100 + now.day, before.wYear * 10000 + before.wMonth * 100 + before.wDay);
    EXPECT_EQ(clock.FormatGeneralDate({2026, 13, 40, 25, 61, 99}), "13/40/2026 25:61:99"); // shown plainly
    if (GetUserDefaultLCID() != 0x409) GTEST_SKIP() << "locale is not en-US";
    EXPECT_EQ(clock.FormatGeneralDate({2026, 12, 6, 14, 5, 9}), "12/6/2026 2:05:09 PM");
}

// The system's code pages and case mapping against the portable ones the
// native tests stand on.
TEST(Win32TextCodec, AgreesWithThePortableCodecOnAWesternSystem) {
    if (GetACP() != 1252 || GetOEMCP() != 437) GTEST_SKIP() << "code pages " << GetACP() << ", " << GetOEMCP();
    cWin32TextCodec sys;
    cCodePage1252 portable;
    std::string everyByte, real, fake;
    for (int b = 1; b < 256; ++b) everyByte += static_cast<char>(b);
    std::wstring wide(255, L'\0');
    MultiByteToWideChar(437, 0, everyByte.data(), 255, wide.data(), 255);
    ASSERT_TRUE(sys.ToOem(Narrow(wide), real) && portable.ToOem(Narrow(wide), fake));
    EXPECT_EQ(real + fake, everyByte + everyByte);
    EXPECT_EQ(sys.FromAnsi(everyByte), portable.FromAnsi(everyByte));
    EXPECT_EQ(sys.ToAnsi(sys.FromAnsi(everyByte)), everyByte);
    for (const std::string& s : {std::string("a\0b \xE6\x97\xA5", 7), std::string()})
        EXPECT_EQ(sys.ToAnsi(s), portable.ToAnsi(s)) << s;
    for (const std::string lacking : {"\u0141\u00f3d\u017a", "\u20ac", "\u00c0"})
        EXPECT_FALSE(sys.ToOem(lacking, real) || portable.ToOem(lacking, fake)) << lacking;
    EXPECT_EQ(real, everyByte);
    EXPECT_EQ(sys.UpperCase("C:\\\u0142ukasz\\\u017c\u00f3\u0142w.exe"), "C:\\\u0141UKASZ\\\u017b\u00d3\u0141W.EXE");
    // No final sigma: systems differ on whether it has a capital.
    const std::string mixed = "\u03b4\u03ad\u03bb\u03c4\u03b1 \u03c3 \u043f\u0440\u0438 \u0451\u045f \u00fc\u00ff";
    EXPECT_EQ(sys.UpperCase(mixed), portable.UpperCase(mixed));
}

// The executable's resource table and the core's built-in table come from one
// list; this proves the resource compiler kept every text intact (UTF-8,
// blanks at either end, apostrophes) and that the loader reads them back whole.
TEST(StringTableResource, ExecutableCarriesExactlyTheCoreTexts) {
    HMODULE module = LoadLibraryExW((std::wstring(L"" QX_BIN_DIR) + L"/quellix.exe").c_str(), nullptr,
                                    LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    cWin32StringTable resources(module);
    cBuiltinStringTable builtin;
#define QX_STRING(id, text) id,
    for (const std::uint32_t id : {
#include "core/ui/StringTable.inc"
         }) {
        std::string fromExe, fromCore = "none";
        EXPECT_TRUE(resources.LoadString(id, fromExe) && builtin.LoadString(id, fromCore)) << id;
        EXPECT_EQ(fromExe, fromCore) << id;
    }
#undef QX_STRING
    std::string missing;
    EXPECT_FALSE(resources.LoadString(65000, missing));
    FreeLibrary(module);
}

} // namespace
} // namespace qx::win32
