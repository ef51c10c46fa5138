#pragma once
// Rows of the main window's list views as the core's list models hold them:
// the kill set is copied into its control, the two inventory lists are
// virtual and answer the control's requests for texts, and selections travel
// both ways between control and model.
#include "core/ui/cListViewModel.h"
#include "win32/WinApi.h"

#include <commctrl.h>

#include <string>
#include <vector>

namespace qx::win32 {

void SetRowState(HWND list, int row, UINT state, UINT mask);
// The model's selection becomes the control's one (the first selected row
// also takes the focus). Sends item-changed notifications.
void PushSelection(HWND list, const cListViewModel& model);
// The control's selection becomes the model's one; nothing changes while the
// control does not show the model's rows yet.
void PullSelection(HWND list, cListViewModel& model);
// Replaces every row of a plain list by the model's rows with their check
// boxes and selection, keeping the scroll position where it can.
void RenderRows(HWND list, const cListViewModel& model);
// A virtual list shows `count` rows and no selection.
void ShowVirtualRows(HWND list, int count);
// Answers a virtual list's request for a row's text from the model.
void FillRowText(NMLVDISPINFOW& info, const cListViewModel* model);
// Widths of the control's columns in pixels, first column first.
std::vector<int> ColumnWidths(HWND list);

} // namespace qx::win32
