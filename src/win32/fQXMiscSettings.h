#pragma once
// The Advanced Settings dialog: renders a cMiscSettingsModel on three tab
// pages and forwards the user's edits and commands to it.
#include "core/ui/cMiscSettingsModel.h"
#include "win32/cModalDialog.h"
#include "win32/cToolTipSet.h"

#include <array>
#include <string>

namespace qx::win32 {

class fQXMiscSettings final : private cModalDialog {
public:
    // Modal over `owner`; runs the model's Form_Load first. True when closed
    // with OK: the model has then written the options and reconfigured the
    // logger. False for Cancel, the window frame, or a dialog that could not
    // be shown; the options are untouched then.
    static bool Show(HWND owner, cMiscSettingsModel& model, HelpRequest help = {});

private:
    fQXMiscSettings(cMiscSettingsModel& model, HelpRequest help) : model_(model), help_(std::move(help)) {}
    bool OnInit() override;
    void OnCommand(int id, int code, HWND control) override;
    bool OnNotify(NMHDR& header, LRESULT& result) override;

    // A control of the dialog or of any page.
    HWND Item(int id) const;
    void SetTexts();
    void PlacePages();
    void ShowControls();
    void ShowPage(int tab);
    void EnablePasswordControls();
    void ReadControls();
    void FocusOn(int tab, int control);
    void txtWait_LostFocus();
    void cmdOK_Click();

    cMiscSettingsModel& model_;
    HelpRequest help_;
    cToolTipSet tips_;
    std::array<HWND, 3> pages_{};
    std::array<std::wstring, 3> tabTips_;
    // Set while the dialog fills its own boxes, whose change events are not the user's.
    bool loading_ = false;
};

} // namespace qx::win32
