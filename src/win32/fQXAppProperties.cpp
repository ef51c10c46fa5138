#include "win32/fQXAppProperties.h"

#include "core/ui/modResourceText.h"
#include "win32/cWin32StringTable.h"
#include "win32/fQXAppPropertiesIds.h"
#include "win32/modLocaleNumbers.h"

namespace qx::win32 {
namespace {

using M = cAppPropertiesModel;

constexpr ControlCaption kCaptions[] = {
    {IDC_AP_LABEL1, M::kProgramLabel},
    {IDC_AP_LABEL5, M::kWaitLabel},
    {IDC_AP_LABEL6, M::kSecondsLabel},
    {IDC_AP_LABEL3, M::kForceFrameLabel},
    {IDC_AP_OPTFORCE, M::kForceOption},
    {IDC_AP_OPTIGNORE, M::kIgnoreOption},
    {IDC_AP_LABEL2, M::kStopFrameLabel},
    {IDC_AP_OPTSTOPONERROR, M::kStopOnErrorOption},
    {IDC_AP_OPTDONTSTOPONERROR, M::kDontStopOnErrorOption},
    {IDC_AP_CHKIGNORETITLE, M::kIgnoreTitleBox},
    {IDOK, M::kOk},
    {IDCANCEL, M::kCancel},
    {IDC_AP_CMDHELP, M::kHelp},
};

constexpr ControlCaption kTips[] = {
    {IDOK, M::kOkTip},
    {IDCANCEL, M::kCancelTip},
    {IDC_AP_CMDHELP, M::kHelpTip},
};

} // namespace

bool fQXAppProperties::Show(HWND owner, cAppPropertiesModel& model, HelpRequest help) {
    fQXAppProperties dialog(model, std::move(help));
    return dialog.Run(owner, IDD_QX_APP_PROPERTIES) == IDOK;
}

bool fQXAppProperties::OnInit() {
    cWin32StringTable table;
    SetControlText(Hwnd(), LoadResourceText(table, M::kCaption));
    const auto item = [this](int id) { return Item(id); };
    SetControlTexts(table, item, kCaptions);
    tips_.Create(Hwnd());
    AddToolTips(tips_, table, item, kTips);

    model_.SetNumberSeparators(UserNumberSeparators());
    SetControlText(Item(IDC_AP_LBLTITLE), model_.TitleText());
    SetControlText(Item(IDC_AP_TXTWAIT), model_.WaitText());
    SetChecked(Item(IDC_AP_OPTFORCE), model_.ForceClose());
    SetChecked(Item(IDC_AP_OPTIGNORE), !model_.ForceClose());
    SetChecked(Item(IDC_AP_OPTSTOPONERROR), model_.StopOnError());
    SetChecked(Item(IDC_AP_OPTDONTSTOPONERROR), !model_.StopOnError());
    SetChecked(Item(IDC_AP_CHKIGNORETITLE), model_.IgnoreTitle());
    EnableWindow(Item(IDC_AP_CMDHELP), help_ ? TRUE : FALSE);
    return true;
}

void fQXAppProperties::ReadControls() {
    model_.SetWaitText(ControlText(Item(IDC_AP_TXTWAIT)));
    model_.SetForceClose(IsChecked(Item(IDC_AP_OPTFORCE)));
    model_.SetStopOnError(IsChecked(Item(IDC_AP_OPTSTOPONERROR)));
    model_.SetIgnoreTitle(IsChecked(Item(IDC_AP_CHKIGNORETITLE)));
}

void fQXAppProperties::txtWait_LostFocus() {
    model_.SetWaitText(ControlText(Item(IDC_AP_TXTWAIT)));
    model_.txtWait_LostFocus();
    SetControlText(Item(IDC_AP_TXTWAIT), model_.WaitText());
}

void fQXAppProperties::cmdOK_Click() {
    ReadControls();
    model_.cmdOK_Click();
    SetControlText(Item(IDC_AP_TXTWAIT), model_.WaitText());
    End(IDOK);
}

void fQXAppProperties::OnCommand(int id, int code, HWND) {
    switch (id) {
    case IDC_AP_TXTWAIT:
        if (code == EN_KILLFOCUS) txtWait_LostFocus();
        break;
    case IDOK:
        cmdOK_Click();
        break;
    case IDCANCEL:
        End(IDCANCEL);
        break;
    case IDC_AP_CMDHELP:
        if (help_) help_(Hwnd(), M::kHelpTopic);
        break;
    default:
        break;
    }
}

} // namespace qx::win32
