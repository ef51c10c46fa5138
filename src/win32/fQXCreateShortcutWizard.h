#pragma once
// The Create Shortcut Wizard window: six pages in one modal dialog. It renders
// cShortcutWizardModel and forwards every click to it; the model decides the
// flow, the checks and what is written.
#include "core/ui/cShortcutWizardModel.h"
#include "win32/WinApi.h"
#include "win32/modPictureFile.h"

namespace qx::win32 {

class fQXCreateShortcutWizard {
public:
    // Shows the wizard modally over owner until it is finished or cancelled;
    // true when a shortcut or batch file was written.
    //
    // The caller constructs a fresh model for each opening, e.g.
    //   cShortcutWizardModel model(logger, globals, utility, stringTable, ui, fileSystem, codec,
    //                              <full path of the running quellix.exe>, &WriteShellLink);
    // where ui is the program's cWin32UserInterface (its message and file
    // dialogs appear while the wizard waits disabled) and WriteShellLink comes
    // from cWin32ShellLink.h.
    static bool Show(HWND owner, qx::cShortcutWizardModel& model);

private:
    fQXCreateShortcutWizard(HWND dialog, qx::cShortcutWizardModel& model) : dialog_(dialog), model_(model) {}
    static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    void Form_Load();
    void LoadImage1();
    void OnCommand(int id, int code);
    void cmdNext_Click();
    void cmdBack_Click();
    void cmdCancel_Click();
    void chkOverrideQXSettings_Click();
    void cmdBrowseKillSet_Click();
    void cmdBrowseForShorcutDir_Click();
    // What the user set in the controls goes into the model.
    void ReadControls();
    // The model's page, captions, enabled states and texts go into the controls.
    void Render();
    void SetText(int id, const std::string& text);
    std::string Text(int id) const;

    HWND dialog_;
    qx::cShortcutWizardModel& model_;
    ScopedBitmap picture_; // the picture control shows it but does not own it
};

} // namespace qx::win32
