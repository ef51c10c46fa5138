// quellix.exe /L in this test's own process over the real ports: the main
// window opens with the plan as the current set, not saved yet, and nothing
// was closed.
#include "integration/cTargetProcess.h"
#include "win32/WinApi.h"
#include "win32/WindowHandle.h"
#include "win32/cWin32Platform.h"
#include "win32/fQXMain.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace qx::win32 {
namespace {

constexpr const wchar_t* kOptionsKey = L"Software\\Veltrane\\Quellix\\Options";

TEST(PreviewWindow, OpensWithThePlanAsTheUnsavedSet) {
    DWORD off = 0;
    RegSetKeyValueW(HKEY_LOCAL_MACHINE, kOptionsKey, L"RequirePassword", REG_DWORD, &off, sizeof off);
    RegSetKeyValueW(HKEY_LOCAL_MACHINE, kOptionsKey, L"ShowSpash", REG_DWORD, &off, sizeof off);
    test::cTargetProcess planned({"--title", "QxPreview Planned"});
    test::cTargetProcess other({"--title", "QxPreview Other"});
    ASSERT_TRUE(planned.Ready() && other.Ready());

    cWin32Platform ports;
    fQXMain w(ports.platform, ports.facts.ProgramFolder(), cMainForms{});
    ASSERT_TRUE(w.Create());
    ports.ui.SetMainWindow(ToWindowHandle(w.Hwnd()));
    ASSERT_TRUE(w.Load("/T=\"QxPreview Planned\" /L", SW_SHOWNORMAL));
    EXPECT_TRUE(IsWindowVisible(w.Hwnd()));
    HWND set = w.ListWindow("lvProgramSet");
    ASSERT_EQ(SendMessageW(set, LVM_GETITEMCOUNT, 0, 0), 1);
    wchar_t text[128] = L"";
    LVITEMW item{};
    item.pszText = text;
    item.cchTextMax = 128;
    SendMessageW(set, LVM_GETITEMTEXTW, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(text, L"QxPreview Planned");
    EXPECT_TRUE(w.Session().Set().SetChanged());
    EXPECT_EQ(ports.ui.StatusText(1), "[New Set]");
    EXPECT_TRUE(planned.Running());
    EXPECT_TRUE(other.Running());
    w.Session().Set().SetSetChanged(false); // no question on the way out
    ports.ui.SetMainWindow(0);
    w.Close();
}

} // namespace
} // namespace qx::win32
