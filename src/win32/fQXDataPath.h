#pragma once
// The Select Default Data Directory dialog: a drive list and a folder tree
// of the selected drive, filled from the file system, over a cDataPathModel.
#include "core/ui/cDataPathModel.h"
#include "win32/cModalDialog.h"

#include <commctrl.h>

#include <string>
#include <vector>

namespace qx::win32 {

class fQXDataPath final : private cModalDialog {
public:
    // Modal over `owner`; runs the model's Form_Load first. True when closed
    // with OK: the model has then stored the selected folder as
    // DefaultDataPath. False for Cancel, the window frame, an unusable drive
    // that closed the dialog, or a dialog that could not be shown.
    static bool Show(HWND owner, cDataPathModel& model);

    // The drive list's text of a drive root such as "C:\": the lower-case
    // letter and colon, then the volume label in brackets when the drive
    // has one that can be read without touching removable media.
    static std::wstring DriveText(const std::wstring& root);

private:
    explicit fQXDataPath(cDataPathModel& model) : model_(model) {}
    bool OnInit() override;
    void OnCommand(int id, int code, HWND control) override;
    bool OnNotify(NMHDR& header, LRESULT& result) override;

    HWND Item(int id) const { return GetDlgItem(Hwnd(), id); }
    void FillDrives();
    bool SelectDrive(const std::wstring& match, bool byLetter);
    // Shows the folder in the tree, from its drive's root down; false with
    // the error when the root cannot be read.
    bool ShowFolder(const std::wstring& folder, cErrorInfo& error);
    cDataPathModel::DriveShow ShowDrive(const std::string& driveText, cErrorInfo& error);
    HTREEITEM AddFolder(HTREEITEM parent, const std::wstring& name, const std::wstring& path);
    // Lists the item's subfolders once; false when its folder cannot be read.
    bool Populate(HTREEITEM item, DWORD& failure);
    std::wstring PathOf(HTREEITEM item) const;
    void Drive1_Change();
    void cmdOk_Click();

    cDataPathModel& model_;
    std::vector<std::wstring> paths_;  // item lParam -> full path
    std::vector<bool> populated_;
};

} // namespace qx::win32
