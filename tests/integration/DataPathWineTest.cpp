// Select Default Data Directory as a real dialog over real folders and drives.
#include "cDialogUser.h"
#include "modScreenshot.h"

#include "fake/cMemoryRegistry.h"
#include "fake/cPostRecorder.h"
#include "win32/WideText.h"
#include "win32/cWin32Platform.h"
#include "win32/fQXDataPath.h"
#include "win32/fQXDataPathIds.h"

#include <gtest/gtest.h>

#include <commctrl.h>

namespace qx::win32 {
namespace {

using test::cDialogUser;

std::wstring ItemText(HWND tree, HTREEITEM item) {
    wchar_t buffer[MAX_PATH] = L"";
    TVITEMW data{};
    data.mask = TVIF_TEXT;
    data.hItem = item;
    data.pszText = buffer;
    data.cchTextMax = MAX_PATH;
    SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&data));
    return buffer;
}

HTREEITEM Next(HWND tree, UINT how, HTREEITEM from) {
    return reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(from)));
}

TEST(DataPathDialog, OpensOnTheStoredFolderAndOkStoresTheChosenOne) {
    wchar_t temp[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, temp);
    const std::string base = Narrow(std::wstring(temp) + L"qx-datapath-" + std::to_wstring(GetCurrentProcessId()));
    std::vector<std::string> made; // deepest first
    for (const char* sub : {"", "\\Sets", "\\Sets\\beta", "\\Sets\\Alpha"}) {
        CreateDirectoryW(Widen(base + sub).c_str(), nullptr);
        made.insert(made.begin(), base + sub);
    }
    cWin32Platform p;
    cMemoryRegistry reg;
    fake::cPostRecorder os;
    cQuellixOptions options{reg, os, "C:\\Quellix"};
    cLogger logger{p.fs, p.ui, p.clock, p.codec, "C:\\Quellix"};
    options.SetDefaultDataPath(base + "\\Sets");
    cDataPathModel model{options, logger, p.strings, p.ui, p.fs, base};
    std::wstring label, drive, selected, children;
    bool shot = false;
    cDialogUser user(L"Select Default Data Directory", [&](cDialogUser& u, HWND d) {
        label = u.Text(u.Control(d, IDC_DP_LBLDESTINATION));
        drive = u.Text(u.Control(d, IDC_DP_DRIVE1));
        HWND tree = u.Control(d, IDC_DP_DIR1);
        HTREEITEM sets = Next(tree, TVGN_CARET, nullptr);
        selected = ItemText(tree, sets);
        SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(sets));
        for (HTREEITEM child = Next(tree, TVGN_CHILD, sets); child != nullptr; child = Next(tree, TVGN_NEXT, child))
            children += ItemText(tree, child) + L";";
        shot = test::SaveWindowPng(d, "dialog-data-directory.png");
        SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(Next(tree, TVGN_CHILD, sets)));
        u.Click(u.Control(d, IDOK));
    });
    const bool ok = fQXDataPath::Show(nullptr, model);
    user.Join();
    ASSERT_TRUE(user.Found());
    EXPECT_TRUE(shot);
    EXPECT_EQ(label, L"Select directory:");
    EXPECT_EQ(drive.substr(0, 2), L"c:");
    EXPECT_EQ(model.LastGoodDrive(), Narrow(drive));
    EXPECT_EQ(selected, L"Sets");
    EXPECT_EQ(children, L"Alpha;beta;"); // sorted without regard to case
    EXPECT_TRUE(ok);
    EXPECT_EQ(options.DefaultDataPath(), base + "\\Sets\\Alpha");
    for (const std::string& folder : made) RemoveDirectoryW(Widen(folder).c_str());
}

} // namespace
} // namespace qx::win32
