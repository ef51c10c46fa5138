// quellix.exe itself: start-up reads and stores the options in the real
// registry and, with "/DEBUG", traces into the log beside the program.
#include "integration/cTempPath.h"
#include "win32/WideText.h"
#include "win32/WinApi.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace qx {
namespace {

// Runs quellix.exe; in window mode its main window is closed as a user
// would close it, once it shows.
DWORD RunQuellix(const std::wstring& arguments) {
    std::wstring cmd = L"\"" + win32::Widen(QX_BIN_DIR) + L"/quellix.exe\" " + arguments;
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return 999;
    DWORD code = 998;
    for (int i = 0; i < 3000 && WaitForSingleObject(pi.hProcess, 10) == WAIT_TIMEOUT; ++i) {
        HWND w = nullptr;
        while ((w = FindWindowExW(nullptr, w, L"QuellixMainWindow", nullptr)) != nullptr) {
            DWORD pid = 0;
            GetWindowThreadProcessId(w, &pid);
            if (pid == pi.dwProcessId && IsWindowVisible(w)) PostMessageW(w, WM_CLOSE, 0, 0);
        }
    }
    if (WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0) GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return code;
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(QuellixStartup, DebugRunTracesStartAndEndAndStoresTheOptions) {
    const std::string log = std::string(QX_BIN_DIR) + "/Quellix.log";
    DeleteFileW(win32::Widen(log).c_str());
    // As installed beside this build: what another test (an installed copy,
    // say) left in the options must not send the log elsewhere.
    for (const wchar_t* name : {L"QuellixPath", L"LogPath", L"DefaultDataDirectory"})
        RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, L"Software\\Veltrane\\Quellix\\Options", name);
    ASSERT_EQ(RunQuellix(L"  /debug "), 0u);
    const std::string text = ReadAll(log);
    const auto init = text.find("Debug: After MainInitialize\r\n");
    const auto unload = text.find("Debug: Unloading\r\n");
    ASSERT_NE(init, std::string::npos) << text;
    ASSERT_NE(unload, std::string::npos) << text;
    EXPECT_LT(init, unload);
    EXPECT_EQ(text.rfind("*****Debug*****\r\n", 0), 0u);

    wchar_t stored[MAX_PATH] = L"";
    DWORD size = sizeof stored;
    ASSERT_EQ(RegGetValueW(HKEY_LOCAL_MACHINE, L"Software\\Veltrane\\Quellix\\Options", L"QuellixPath", RRF_RT_REG_SZ,
                           nullptr, stored, &size),
              ERROR_SUCCESS);
    EXPECT_NE(std::wstring(stored).find(L"mingw"), std::wstring::npos);
}

} // namespace
} // namespace qx
