// quellix.exe itself: start-up reads and stores the options in the real
// registry and, with "/DEBUG", traces into the log beside the program.
#include "integration/cTempPath.h"
#include "integration/modRunAnswered.h"
#include "win32/WideText.h"
#include "win32/WinApi.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

TEST(QuellixStartup, DebugRunTracesStartAndEndAndStoresTheOptions) {
    constexpr const wchar_t* kOptionsKey = L"Software\\Veltrane\\Quellix\\Options";
    const std::string log = std::string(QX_BIN_DIR) + "/Quellix.log";
    DeleteFileW(win32::Widen(log).c_str());
    // As installed beside this build: what another test (an installed copy,
    // say) left in the options must not send the log elsewhere.
    for (const wchar_t* name : {L"QuellixPath", L"LogPath", L"DefaultDataDirectory"})
        RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kOptionsKey, name);
    // Its main window is closed as a user would close it, once it shows.
    const auto run = test::RunAnswered("\"" + std::string(QX_BIN_DIR) + "/quellix.exe\"   /debug ", QX_BIN_DIR, IDOK);
    EXPECT_EQ(run.exitCode + run.boxes.size(), 0u);

    const std::string text = test::ReadFileBytes(log);
    EXPECT_EQ(text.rfind("*****Debug*****\r\n", 0), 0u) << text;
    EXPECT_LT(text.find("Debug: After MainInitialize\r\n"), text.rfind("Debug: Unloading\r\n")) << text;
    EXPECT_NE(text.find("Debug: Unloading\r\n"), std::string::npos) << text;
    wchar_t stored[MAX_PATH] = L"";
    DWORD size = sizeof stored;
    RegGetValueW(HKEY_LOCAL_MACHINE, kOptionsKey, L"QuellixPath", RRF_RT_REG_SZ, nullptr, stored, &size);
    EXPECT_NE(std::wstring(stored).find(L"mingw"), std::wstring::npos);
}

} // namespace
} // namespace qx
