#pragma once
// The Kill Properties dialog: renders a cAppPropertiesModel and forwards the
// user's edits to it.
#include "core/ui/cAppPropertiesModel.h"
#include "win32/cModalDialog.h"
#include "win32/cToolTipSet.h"

namespace qx::win32 {

class fQXAppProperties final : private cModalDialog {
public:
    // Modal over `owner`. True when closed with OK: the dialog has run
    // model.cmdOK_Click(), and calling it again hands the entry to the
    // set editor's SetCurrentAppSet. False for Cancel, the window frame, or a
    // dialog that could not be shown; nothing is to be written back then.
    static bool Show(HWND owner, cAppPropertiesModel& model, HelpRequest help = {});

private:
    fQXAppProperties(cAppPropertiesModel& model, HelpRequest help) : model_(model), help_(std::move(help)) {}
    bool OnInit() override;
    void OnCommand(int id, int code, HWND control) override;
    HWND Item(int id) const { return GetDlgItem(Hwnd(), id); }
    void ReadControls();
    void txtWait_LostFocus();
    void cmdOK_Click();

    cAppPropertiesModel& model_;
    HelpRequest help_;
    cToolTipSet tips_;
};

} // namespace qx::win32
