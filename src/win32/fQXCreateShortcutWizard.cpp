#include "win32/fQXCreateShortcutWizard.h"

#include "win32/WideText.h"
#include "win32/WinApi.h"
#include "win32/WindowHandle.h"
#include "win32/fQXCreateShortcutWizardIds.h"

#include <commctrl.h>

#include <array>
#include <initializer_list>
#include <utility>
#include <vector>

namespace qx::win32 {
namespace {

using Model = qx::cShortcutWizardModel;
using Target = Model::Target;

constexpr int kMaxWaitSeconds = 7200; // the same limit as every other wait field
constexpr int kPathLength = 32767;

// The controls of each page, by page number 0..5.
const std::array<std::vector<int>, 6>& PageControls() {
    static const std::array<std::vector<int>, 6> pages{{
        {IDC_WIZ_WELCOME, IDC_WIZ_KIND_FRAME, IDC_WIZ_KIND_QUESTION, IDC_WIZ_OPT_SHORTCUT, IDC_WIZ_OPT_BATCH},
        {IDC_WIZ_CLICK_FINISH},
        {IDC_WIZ_WHAT_TO_DO, IDC_WIZ_OPT_ONE_PROGRAM, IDC_WIZ_OPT_PROGRAM_SET, IDC_WIZ_OPT_ALL_PROGRAMS,
         IDC_WIZ_OPT_ALL_PROCESSES},
        {IDC_WIZ_CHK_OVERRIDE, IDC_WIZ_CHK_FORCE_CLOSE, IDC_WIZ_CHK_STOP_KILLING, IDC_WIZ_CHK_WAIT, IDC_WIZ_TXT_WAIT,
         IDC_WIZ_SPN_WAIT, IDC_WIZ_LBL_WAIT},
        {IDC_WIZ_LBL_KILL_PROGRAM, IDC_WIZ_LBL_KILL_SET, IDC_WIZ_TXT_KILL_TARGET, IDC_WIZ_BROWSE_KILL_TARGET},
        {IDC_WIZ_LBL_DEST_DIR, IDC_WIZ_TXT_DEST_DIR, IDC_WIZ_BROWSE_DEST_DIR, IDC_WIZ_LBL_NAME, IDC_WIZ_TXT_NAME},
    }};
    return pages;
}

struct TargetOption {
    int id;
    Target target;
};
constexpr std::array<TargetOption, 4> kTargetOptions{{
    {IDC_WIZ_OPT_ONE_PROGRAM, Target::OneProgram},
    {IDC_WIZ_OPT_PROGRAM_SET, Target::ProgramSet},
    {IDC_WIZ_OPT_ALL_PROGRAMS, Target::AllPrograms},
    {IDC_WIZ_OPT_ALL_PROCESSES, Target::AllProcesses},
}};

// The model's prompts belong to the main window, which this modal wizard has
// disabled; while one is up the wizard is disabled as well, so that it cannot
// be clicked again underneath its own message box.
class PromptScope {
public:
    explicit PromptScope(HWND dialog) : dialog_(dialog) { EnableWindow(dialog_, FALSE); }
    ~PromptScope() {
        EnableWindow(dialog_, TRUE);
        if (GetForegroundWindow() != dialog_) SetForegroundWindow(dialog_);
    }
    PromptScope(const PromptScope&) = delete;
    PromptScope& operator=(const PromptScope&) = delete;

private:
    HWND dialog_;
};

} // namespace

bool fQXCreateShortcutWizard::Show(HWND owner, qx::cShortcutWizardModel& model) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    const INT_PTR result = DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_QX_SHORTCUT_WIZARD), owner,
                                           &fQXCreateShortcutWizard::DialogProc, reinterpret_cast<LPARAM>(&model));
    return result > 0 && !model.IsCancelled();
}

INT_PTR CALLBACK fQXCreateShortcutWizard::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        auto* self = reinterpret_cast<fQXCreateShortcutWizard*>(GetWindowLongPtrW(dialog, DWLP_USER));
        switch (message) {
        case WM_INITDIALOG: {
            self = new fQXCreateShortcutWizard(dialog, *reinterpret_cast<Model*>(lParam));
            SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
            self->Form_Load();
            return TRUE;
        }
        case WM_COMMAND:
            if (self != nullptr) self->OnCommand(LOWORD(wParam), HIWORD(wParam));
            return TRUE;
        case WM_NCDESTROY:
            SetWindowLongPtrW(dialog, DWLP_USER, 0);
            delete self;
            return FALSE;
        default: return FALSE;
        }
    } catch (...) {
        return FALSE; // nothing may cross the dialog procedure; the wizard stays as it was
    }
}

void fQXCreateShortcutWizard::Form_Load() {
    model_.Form_Load();
    SetWindowTextW(dialog_, Widen(model_.Caption(Model::kCaption)).c_str());
    const std::initializer_list<std::pair<int, Model::TextId>> captions{
        {IDC_WIZ_WELCOME, Model::kWelcome},
        {IDC_WIZ_KIND_QUESTION, Model::kShortcutOrBatchQuestion},
        {IDC_WIZ_OPT_SHORTCUT, Model::kCreateShortcutOption},
        {IDC_WIZ_OPT_BATCH, Model::kCreateBatchFileOption},
        {IDC_WIZ_WHAT_TO_DO, Model::kWhatToDo},
        {IDC_WIZ_OPT_ONE_PROGRAM, Model::kKillOneProgramOption},
        {IDC_WIZ_OPT_PROGRAM_SET, Model::kKillProgramSetOption},
        {IDC_WIZ_OPT_ALL_PROGRAMS, Model::kKillAllProgramsOption},
        {IDC_WIZ_OPT_ALL_PROCESSES, Model::kKillAllProcessesOption},
        {IDC_WIZ_CHK_OVERRIDE, Model::kOverrideBox},
        {IDC_WIZ_CHK_FORCE_CLOSE, Model::kForceCloseBox},
        {IDC_WIZ_CHK_STOP_KILLING, Model::kStopKillingBox},
        {IDC_WIZ_CHK_WAIT, Model::kWaitForBox},
        {IDC_WIZ_LBL_WAIT, Model::kWaitSecondsLabel},
        {IDC_WIZ_LBL_KILL_PROGRAM, Model::kKillProgramLabel},
        {IDC_WIZ_LBL_KILL_SET, Model::kKillSetLabel},
        {IDC_WIZ_BROWSE_KILL_TARGET, Model::kBrowse},
        {IDC_WIZ_LBL_DEST_DIR, Model::kDestDirLabel},
        {IDC_WIZ_BROWSE_DEST_DIR, Model::kBrowse},
        {IDC_WIZ_LBL_NAME, Model::kNameLabel},
        {IDC_WIZ_CLICK_FINISH, Model::kClickFinish},
        {IDC_WIZ_BACK, Model::kBack},
        {IDC_WIZ_CANCEL, Model::kCancel},
    };
    for (const auto& [id, text] : captions) SetText(id, model_.Caption(text));
    LoadImage1();

    // The options and boxes start as the model holds them.
    CheckRadioButton(dialog_, IDC_WIZ_OPT_SHORTCUT, IDC_WIZ_OPT_BATCH,
                     model_.CreateShortcut() ? IDC_WIZ_OPT_SHORTCUT : IDC_WIZ_OPT_BATCH);
    for (const TargetOption& option : kTargetOptions)
        if (option.target == model_.KillTarget())
            CheckRadioButton(dialog_, IDC_WIZ_OPT_ONE_PROGRAM, IDC_WIZ_OPT_ALL_PROCESSES, option.id);
    CheckDlgButton(dialog_, IDC_WIZ_CHK_OVERRIDE, model_.OverrideSettings() ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog_, IDC_WIZ_CHK_FORCE_CLOSE, model_.ForceClose() ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog_, IDC_WIZ_CHK_STOP_KILLING, model_.StopKilling() ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog_, IDC_WIZ_CHK_WAIT, model_.WaitChecked() ? BST_CHECKED : BST_UNCHECKED);
    SendDlgItemMessageW(dialog_, IDC_WIZ_SPN_WAIT, UDM_SETRANGE32, 0, kMaxWaitSeconds);
    SendDlgItemMessageW(dialog_, IDC_WIZ_SPN_WAIT, UDM_SETPOS32, 0, model_.WaitSeconds());
    for (int id : {IDC_WIZ_TXT_KILL_TARGET, IDC_WIZ_TXT_DEST_DIR, IDC_WIZ_TXT_NAME})
        SendDlgItemMessageW(dialog_, id, EM_LIMITTEXT, kPathLength, 0);
    Render();
}

void fQXCreateShortcutWizard::LoadImage1() {
    HWND frame = GetDlgItem(dialog_, IDC_WIZ_IMAGE1);
    RECT area{};
    GetClientRect(frame, &area);
    qx::cErrorInfo error;
    picture_ = LoadPictureFile(model_.PicturePath(), area.right - 4, area.bottom - 4, "fQXCreateShortcutWizard", error);
    if (!picture_) {
        model_.PictureLoadFailed(error); // reported; the wizard opens without its picture
        return;
    }
    SendMessageW(frame, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture_.get()));
}

void fQXCreateShortcutWizard::OnCommand(int id, int code) {
    if (code != BN_CLICKED) return;
    switch (id) {
    case IDOK: // Enter, when the focus is on no button
    case IDC_WIZ_NEXT: cmdNext_Click(); break;
    case IDC_WIZ_BACK: cmdBack_Click(); break;
    case IDCANCEL: // Esc and the window frame's close box
    case IDC_WIZ_CANCEL: cmdCancel_Click(); break;
    case IDC_WIZ_CHK_OVERRIDE: chkOverrideQXSettings_Click(); break;
    case IDC_WIZ_BROWSE_KILL_TARGET: cmdBrowseKillSet_Click(); break;
    case IDC_WIZ_BROWSE_DEST_DIR: cmdBrowseForShorcutDir_Click(); break;
    default: break;
    }
}

void fQXCreateShortcutWizard::cmdNext_Click() {
    ReadControls();
    const int before = model_.Page();
    bool written = false;
    {
        // The wizard comes back to life showing where the model went.
        PromptScope prompt(dialog_);
        written = model_.cmdNext_Click();
        if (!written) Render();
    }
    if (written) {
        EndDialog(dialog_, 1);
        return;
    }
    // A page that stays after a failed check keeps the focus where the user was.
    if (model_.Page() != before)
        SendMessageW(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog_, IDC_WIZ_NEXT)), TRUE);
}

void fQXCreateShortcutWizard::cmdBack_Click() {
    ReadControls();
    model_.cmdBack_Click();
    Render();
    // Back disables itself on the first page; the focus must not stay on it.
    const int focus = model_.BackEnabled() ? IDC_WIZ_BACK : IDC_WIZ_NEXT;
    SendMessageW(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog_, focus)), TRUE);
}

void fQXCreateShortcutWizard::cmdCancel_Click() {
    model_.cmdCancel_Click();
    EndDialog(dialog_, 0);
}

void fQXCreateShortcutWizard::chkOverrideQXSettings_Click() {
    model_.SetOverrideSettings(IsDlgButtonChecked(dialog_, IDC_WIZ_CHK_OVERRIDE) == BST_CHECKED);
    Render();
}

void fQXCreateShortcutWizard::cmdBrowseKillSet_Click() {
    ReadControls();
    PromptScope prompt(dialog_);
    model_.cmdBrowseKillSet_Click();
    Render();
}

void fQXCreateShortcutWizard::cmdBrowseForShorcutDir_Click() {
    ReadControls();
    model_.cmdBrowseForShorcutDir_Click(ToWindowHandle(dialog_));
    Render();
}

void fQXCreateShortcutWizard::ReadControls() {
    model_.SetCreateShortcut(IsDlgButtonChecked(dialog_, IDC_WIZ_OPT_BATCH) != BST_CHECKED);
    for (const TargetOption& option : kTargetOptions)
        if (IsDlgButtonChecked(dialog_, option.id) == BST_CHECKED) model_.SetKillTarget(option.target);
    model_.SetOverrideSettings(IsDlgButtonChecked(dialog_, IDC_WIZ_CHK_OVERRIDE) == BST_CHECKED);
    model_.SetForceClose(IsDlgButtonChecked(dialog_, IDC_WIZ_CHK_FORCE_CLOSE) == BST_CHECKED);
    model_.SetStopKilling(IsDlgButtonChecked(dialog_, IDC_WIZ_CHK_STOP_KILLING) == BST_CHECKED);
    model_.SetWaitChecked(IsDlgButtonChecked(dialog_, IDC_WIZ_CHK_WAIT) == BST_CHECKED);
    // The up-down control keeps its last valid value when the box holds no
    // number in range; the box then shows that value again.
    BOOL invalid = FALSE;
    const LRESULT wait =
        SendDlgItemMessageW(dialog_, IDC_WIZ_SPN_WAIT, UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&invalid));
    const int seconds = wait < 0 ? 0 : wait > kMaxWaitSeconds ? kMaxWaitSeconds : static_cast<int>(wait);
    model_.SetWaitSeconds(static_cast<std::int16_t>(seconds));
    if (invalid) SendDlgItemMessageW(dialog_, IDC_WIZ_SPN_WAIT, UDM_SETPOS32, 0, seconds);
    model_.SetKillSetOrProgram(Text(IDC_WIZ_TXT_KILL_TARGET));
    model_.SetDestDir(Text(IDC_WIZ_TXT_DEST_DIR));
    model_.SetShortcutName(Text(IDC_WIZ_TXT_NAME));
}

void fQXCreateShortcutWizard::Render() {
    const auto& pages = PageControls();
    for (std::size_t page = 0; page < pages.size(); ++page)
        for (int id : pages[page])
            ShowWindow(GetDlgItem(dialog_, id), static_cast<int>(page) == model_.Page() ? SW_SHOW : SW_HIDE);
    if (model_.Page() == 4) {
        ShowWindow(GetDlgItem(dialog_, IDC_WIZ_LBL_KILL_PROGRAM), model_.KillProgramLabelVisible() ? SW_SHOW : SW_HIDE);
        ShowWindow(GetDlgItem(dialog_, IDC_WIZ_LBL_KILL_SET), model_.KillProgramLabelVisible() ? SW_HIDE : SW_SHOW);
    }
    for (int id : {IDC_WIZ_CHK_FORCE_CLOSE, IDC_WIZ_CHK_STOP_KILLING, IDC_WIZ_CHK_WAIT, IDC_WIZ_TXT_WAIT,
                   IDC_WIZ_SPN_WAIT, IDC_WIZ_LBL_WAIT})
        EnableWindow(GetDlgItem(dialog_, id), model_.OverrideControlsEnabled() ? TRUE : FALSE);
    EnableWindow(GetDlgItem(dialog_, IDC_WIZ_BACK), model_.BackEnabled() ? TRUE : FALSE);
    SetText(IDC_WIZ_NEXT, model_.NextCaption());
    SetText(IDC_WIZ_TXT_KILL_TARGET, model_.KillSetOrProgram());
    SetText(IDC_WIZ_TXT_DEST_DIR, model_.DestDir());
    SetText(IDC_WIZ_TXT_NAME, model_.ShortcutName());
}

void fQXCreateShortcutWizard::SetText(int id, const std::string& text) {
    // Rewriting an unchanged box would move its caret and drop the selection.
    if (Text(id) != text) SetDlgItemTextW(dialog_, id, Widen(text).c_str());
}

std::string fQXCreateShortcutWizard::Text(int id) const {
    HWND control = GetDlgItem(dialog_, id);
    const int length = GetWindowTextLengthW(control);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int got = GetWindowTextW(control, text.data(), length + 1);
    return Narrow(text.data(), static_cast<std::size_t>(got < 0 ? 0 : got));
}

} // namespace qx::win32
