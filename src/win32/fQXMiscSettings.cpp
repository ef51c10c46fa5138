#include "win32/fQXMiscSettings.h"

#include "core/ui/modResourceText.h"
#include "win32/WideText.h"
#include "win32/WindowHandle.h"
#include "win32/cWin32StringTable.h"
#include "win32/fQXMiscSettingsIds.h"
#include "win32/modLocaleNumbers.h"

#include <commctrl.h>

#include <iterator>

namespace qx::win32 {
namespace {

using M = cMiscSettingsModel;

constexpr ControlCaption kCaptions[] = {
    {IDC_MS_CHKSHOWSPLASH, M::kShowSplashBox},
    {IDC_MS_FRAME1, M::kDefaultsFrame},
    {IDC_MS_LABEL5, M::kWaitLabel},
    {IDC_MS_LABEL6, M::kSecondsLabel},
    {IDC_MS_CHKFORCECLOSE, M::kForceCloseBox},
    {IDC_MS_CHKSTOPONERROR, M::kStopOnErrorBox},
    {IDC_MS_CHKIGNORETITLE, M::kIgnoreTitleBox},
    {IDC_MS_CHKREQUIREPASSWORD, M::kRequirePasswordBox},
    {IDC_MS_LBLPASSWORD1, M::kPassword1Label},
    {IDC_MS_LBLPASSWORD2, M::kPassword2Label},
    {IDC_MS_LBLLOGGING, M::kLoggingTab},
    {IDC_MS_LABEL2, M::kLogFileLabel},
    {IDC_MS_CMDBROWSELOGFILE, M::kBrowseButton},
    {IDC_MS_CMDVIEWLOG, M::kViewLogButton},
    {IDC_MS_CMDDELETELOG, M::kDeleteLogButton},
    {IDOK, M::kOk},
    {IDCANCEL, M::kCancel},
    {IDC_MS_CMDHELP, M::kHelp},
};

constexpr ControlCaption kTips[] = {
    {IDC_MS_TXTLOGFILEPATH, M::kLogPathTip},
    {IDC_MS_CMDBROWSELOGFILE, M::kBrowseTip},
    {IDC_MS_CMDVIEWLOG, M::kViewLogTip},
    {IDC_MS_CMDDELETELOG, M::kDeleteLogTip},
    {IDC_MS_CMDHELP, M::kHelpTip},
};

constexpr M::TextId kTabCaptions[] = {M::kSettingsTab, M::kPasswordTab, M::kLoggingTab};
constexpr M::TextId kTabTips[] = {M::kSettingsTabTip, M::kPasswordTabTip, M::kLoggingTabTip};
constexpr int kPageTemplates[] = {IDD_QX_MISC_PAGE_MESSAGES, IDD_QX_MISC_PAGE_PASSWORD, IDD_QX_MISC_PAGE_LOGGING};
constexpr M::TextId kLogTypeItems[] = {M::kNoLoggingItem, M::kErrorsOnlyItem, M::kAllActionsItem};
constexpr int kPasswordControls[] = {IDC_MS_LBLPASSWORD1, IDC_MS_TXTPASSWORD1, IDC_MS_LBLPASSWORD2,
                                     IDC_MS_TXTPASSWORD2};

} // namespace

bool fQXMiscSettings::Show(HWND owner, cMiscSettingsModel& model, HelpRequest help) {
    fQXMiscSettings dialog(model, std::move(help));
    return dialog.Run(owner, IDD_QX_MISC_SETTINGS) == IDOK;
}

HWND fQXMiscSettings::Item(int id) const {
    if (HWND own = GetDlgItem(Hwnd(), id)) return own;
    for (HWND page : pages_)
        if (HWND found = page != nullptr ? GetDlgItem(page, id) : nullptr) return found;
    return nullptr;
}

bool fQXMiscSettings::OnInit() {
    model_.Form_Load();
    model_.SetNumberSeparators(UserNumberSeparators());
    for (std::size_t i = 0; i < pages_.size(); ++i) {
        pages_[i] = CreatePage(kPageTemplates[i]);
        if (pages_[i] == nullptr) {
            model_.Form_LoadFailed(SystemErrorInfo(GetLastError(), "fQXMiscSettings"));
            End(IDCANCEL);
            return true;
        }
    }
    SetTexts();
    PlacePages();
    ShowControls();
    ShowPage(model_.SelectedTab());
    return true;
}

void fQXMiscSettings::SetTexts() {
    cWin32StringTable table;
    SetControlText(Hwnd(), LoadResourceText(table, M::kCaption));
    HWND tab = Item(IDC_MS_TABSTRIP1);
    for (std::size_t i = 0; i < std::size(kTabCaptions); ++i) {
        std::wstring text = Widen(LoadResourceText(table, kTabCaptions[i]));
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = text.data();
        SendMessageW(tab, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
        tabTips_[i] = Widen(LoadResourceText(table, kTabTips[i]));
    }
    const auto control = [this](int id) { return Item(id); };
    SetControlTexts(table, control, kCaptions);
    tips_.Create(Hwnd());
    AddToolTips(tips_, table, control, kTips);
    HWND combo = Item(IDC_MS_CBOLOGTYPE);
    for (M::TextId item : kLogTypeItems)
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(LoadResourceText(table, item)).c_str()));
    // Masked the same way whichever version of the edit control draws it.
    SendMessageW(Item(IDC_MS_TXTPASSWORD1), EM_SETPASSWORDCHAR, L'*', 0);
    SendMessageW(Item(IDC_MS_TXTPASSWORD2), EM_SETPASSWORDCHAR, L'*', 0);
    EnableWindow(Item(IDC_MS_CMDHELP), help_ ? TRUE : FALSE);
}

// The pages share the tab strip's display area; they lie above the strip,
// which clips itself against them.
void fQXMiscSettings::PlacePages() {
    HWND tab = Item(IDC_MS_TABSTRIP1);
    RECT area{};
    GetWindowRect(tab, &area);
    MapWindowPoints(nullptr, Hwnd(), reinterpret_cast<POINT*>(&area), 2);
    SendMessageW(tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    for (HWND page : pages_)
        SetWindowPos(page, HWND_TOP, area.left, area.top, area.right - area.left, area.bottom - area.top,
                     SWP_NOACTIVATE);
}

void fQXMiscSettings::ShowControls() {
    loading_ = true;
    SetChecked(Item(IDC_MS_CHKSHOWSPLASH), model_.ShowSplash());
    SetControlText(Item(IDC_MS_TXTWAIT), model_.WaitText());
    SetChecked(Item(IDC_MS_CHKFORCECLOSE), model_.ForceClose());
    SetChecked(Item(IDC_MS_CHKSTOPONERROR), model_.StopOnError());
    SetChecked(Item(IDC_MS_CHKIGNORETITLE), model_.IgnoreTitle());
    SetChecked(Item(IDC_MS_CHKREQUIREPASSWORD), model_.RequirePassword());
    EnablePasswordControls();
    SetControlText(Item(IDC_MS_TXTPASSWORD1), model_.Password1());
    SetControlText(Item(IDC_MS_TXTPASSWORD2), model_.Password2());
    SendMessageW(Item(IDC_MS_CBOLOGTYPE), CB_SETCURSEL, static_cast<WPARAM>(model_.LogTypeIndex()), 0);
    SetControlText(Item(IDC_MS_TXTLOGFILEPATH), model_.LogFilePath());
    loading_ = false;
}

void fQXMiscSettings::ShowPage(int tab) {
    SendMessageW(Item(IDC_MS_TABSTRIP1), TCM_SETCURSEL, static_cast<WPARAM>(tab - 1), 0);
    for (HWND page : pages_) ShowWindow(page, SW_HIDE);
    if (tab >= 1 && tab <= static_cast<int>(pages_.size())) ShowWindow(pages_[static_cast<std::size_t>(tab - 1)], SW_SHOW);
}

void fQXMiscSettings::EnablePasswordControls() {
    const BOOL enable = model_.PasswordControlsEnabled() ? TRUE : FALSE;
    for (int id : kPasswordControls) EnableWindow(Item(id), enable);
}

void fQXMiscSettings::ReadControls() {
    model_.SetShowSplash(IsChecked(Item(IDC_MS_CHKSHOWSPLASH)));
    model_.SetWaitText(ControlText(Item(IDC_MS_TXTWAIT)));
    model_.SetForceClose(IsChecked(Item(IDC_MS_CHKFORCECLOSE)));
    model_.SetStopOnError(IsChecked(Item(IDC_MS_CHKSTOPONERROR)));
    model_.SetIgnoreTitle(IsChecked(Item(IDC_MS_CHKIGNORETITLE)));
    model_.SetRequirePassword(IsChecked(Item(IDC_MS_CHKREQUIREPASSWORD)));
    const LRESULT index = SendMessageW(Item(IDC_MS_CBOLOGTYPE), CB_GETCURSEL, 0, 0);
    if (index != CB_ERR) model_.SetLogTypeIndex(static_cast<int>(index));
    model_.SetLogFilePath(ControlText(Item(IDC_MS_TXTLOGFILEPATH)));
}

void fQXMiscSettings::FocusOn(int tab, int control) {
    ShowPage(tab);
    SendMessageW(Hwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(control)), TRUE);
}

void fQXMiscSettings::txtWait_LostFocus() {
    model_.SetWaitText(ControlText(Item(IDC_MS_TXTWAIT)));
    model_.txtWait_LostFocus();
    SetControlText(Item(IDC_MS_TXTWAIT), model_.WaitText());
}

void fQXMiscSettings::cmdOK_Click() {
    ReadControls();
    switch (model_.cmdOK_Click()) {
    case M::OkResult::Closed:
        End(IDOK);
        break;
    case M::OkResult::LogFileRejected:
        FocusOn(model_.SelectedTab(), IDC_MS_TXTLOGFILEPATH);
        break;
    case M::OkResult::PasswordRejected:
        FocusOn(model_.SelectedTab(), IDC_MS_TXTPASSWORD1);
        break;
    }
}

void fQXMiscSettings::OnCommand(int id, int code, HWND control) {
    switch (id) {
    case IDC_MS_TXTWAIT:
        if (code == EN_KILLFOCUS) txtWait_LostFocus();
        break;
    case IDC_MS_CHKREQUIREPASSWORD:
        if (code == BN_CLICKED) {
            model_.SetRequirePassword(IsChecked(control));
            EnablePasswordControls();
        }
        break;
    case IDC_MS_TXTPASSWORD1:
    case IDC_MS_TXTPASSWORD2:
        if (code == EN_CHANGE && !loading_) {
            if (id == IDC_MS_TXTPASSWORD1)
                model_.txtPassword1_Change(ControlText(control));
            else
                model_.SetPassword2(ControlText(control));
        } else if (code == EN_SETFOCUS) {
            // Posted, so that a click into the box does not undo the selection.
            PostMessageW(control, EM_SETSEL, 0, -1);
        }
        break;
    case IDC_MS_CBOLOGTYPE:
        if (code == CBN_SELCHANGE) {
            const LRESULT index = SendMessageW(control, CB_GETCURSEL, 0, 0);
            if (index != CB_ERR) model_.SetLogTypeIndex(static_cast<int>(index));
        }
        break;
    case IDC_MS_CMDBROWSELOGFILE:
        model_.SetLogFilePath(ControlText(Item(IDC_MS_TXTLOGFILEPATH)));
        model_.cmdBrowseLogFile_Click();
        SetControlText(Item(IDC_MS_TXTLOGFILEPATH), model_.LogFilePath());
        break;
    case IDC_MS_CMDVIEWLOG:
        model_.SetLogFilePath(ControlText(Item(IDC_MS_TXTLOGFILEPATH)));
        model_.cmdViewLog_Click(ToWindowHandle(Hwnd()));
        break;
    case IDC_MS_CMDDELETELOG:
        model_.SetLogFilePath(ControlText(Item(IDC_MS_TXTLOGFILEPATH)));
        model_.cmdDeleteLog_Click();
        break;
    case IDOK:
        cmdOK_Click();
        break;
    case IDCANCEL:
        End(IDCANCEL);
        break;
    case IDC_MS_CMDHELP:
        if (help_) help_(Hwnd(), M::kHelpTopic);
        break;
    default:
        break;
    }
}

bool fQXMiscSettings::OnNotify(NMHDR& header, LRESULT& result) {
    HWND tab = Item(IDC_MS_TABSTRIP1);
    if (header.hwndFrom == tab && header.code == TCN_SELCHANGE) {
        const LRESULT index = SendMessageW(tab, TCM_GETCURSEL, 0, 0);
        model_.TabStrip1_Click(static_cast<int>(index) + 1);
        ShowPage(model_.SelectedTab());
        result = 0;
        return true;
    }
    const auto tabTips = reinterpret_cast<HWND>(SendMessageW(tab, TCM_GETTOOLTIPS, 0, 0));
    if (header.code == TTN_GETDISPINFOW && tabTips != nullptr && header.hwndFrom == tabTips &&
        header.idFrom < tabTips_.size()) {
        auto& info = reinterpret_cast<NMTTDISPINFOW&>(header);
        info.lpszText = tabTips_[header.idFrom].data();
        result = 0;
        return true;
    }
    return false;
}

} // namespace qx::win32
