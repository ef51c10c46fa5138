#pragma once
// A modal dialog from a template of this executable, driven by an object:
// the dialog procedure reaches the object's handlers, and no exception
// leaves it (a handler that throws ends the dialog as cancelled).
#include "core/platform/IStringTable.h"
#include "core/util/cErrorInfo.h"
#include "win32/WinApi.h"
#include "win32/cToolTipSet.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>

namespace qx::win32 {

// Opens a help topic (by number) for a dialog's Help button; a dialog shown
// without one disables its Help button.
using HelpRequest = std::function<void(HWND dialog, std::int16_t topic)>;

class cModalDialog {
public:
    cModalDialog() = default;
    cModalDialog(const cModalDialog&) = delete;
    cModalDialog& operator=(const cModalDialog&) = delete;
    virtual ~cModalDialog() = default;

protected:
    // Shows the dialog owned by `owner` until End: the value given to End,
    // or -1 when the dialog could not be created.
    INT_PTR Run(HWND owner, int templateId);
    void End(INT_PTR result);
    HWND Hwnd() const { return hwnd_; }

    // WM_INITDIALOG. Return false when the focus was set by the handler.
    virtual bool OnInit() = 0;
    virtual void OnCommand(int id, int code, HWND control) = 0;
    // WM_NOTIFY; true when handled, with the result in `result`.
    virtual bool OnNotify(NMHDR& header, LRESULT& result);

    // A child dialog inside this one (a page): it forwards its commands and
    // notifications to this object's handlers.
    HWND CreatePage(int templateId);

private:
    static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    static INT_PTR CALLBACK PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND hwnd_ = nullptr;
};

// A control and the string-table text it shows (as caption or tooltip).
struct ControlCaption {
    int control;
    std::uint32_t text;
};
// Finds a control of a dialog (or of one of its pages) by id.
using ControlLookup = std::function<HWND(int id)>;
void SetControlTexts(IStringTable& table, const ControlLookup& item, std::span<const ControlCaption> texts);
void AddToolTips(cToolTipSet& tips, IStringTable& table, const ControlLookup& item, std::span<const ControlCaption> texts);

// The text of any control, UTF-8.
std::string ControlText(HWND control);
void SetControlText(HWND control, const std::string& text);
bool IsChecked(HWND button);
// A platform error code with the system's description, for the error report.
cErrorInfo SystemErrorInfo(DWORD code, const std::string& source);
void SetChecked(HWND button, bool checked);

} // namespace qx::win32
