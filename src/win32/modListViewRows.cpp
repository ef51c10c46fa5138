#include "win32/modListViewRows.h"

#include "win32/WideText.h"

#include <algorithm>
#include <cwchar>

namespace qx::win32 {
namespace {

void SetColumnText(HWND list, int row, int column, const std::string& text) {
    std::wstring w = Widen(text);
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = w.data();
    SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

} // namespace

void SetRowState(HWND list, int row, UINT state, UINT mask) {
    LVITEMW item{};
    item.stateMask = mask;
    item.state = state;
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

void PullSelection(HWND list, cListViewModel& model) {
    const auto rows = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    if (rows != model.Count()) return; // not rendered yet: the model knows better
    for (int i = 1; i <= model.Count(); ++i) model.Item(static_cast<std::int16_t>(i))->selected = false;
    int row = -1;
    while ((row = static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(row), LVNI_SELECTED))) >= 0) {
        if (cListItem* item = model.Item(static_cast<std::int16_t>(row + 1))) item->selected = true;
    }
}

void PushSelection(HWND list, const cListViewModel& model) {
    SetRowState(list, -1, 0, LVIS_SELECTED);
    bool first = true;
    for (int i = 1; i <= model.Count(); ++i) {
        if (!model.Item(static_cast<std::int16_t>(i))->selected) continue;
        const UINT state = first ? (LVIS_SELECTED | LVIS_FOCUSED) : LVIS_SELECTED;
        SetRowState(list, i - 1, state, state);
        first = false;
    }
}

void RenderRows(HWND list, const cListViewModel& model) {
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    const auto top = static_cast<int>(SendMessageW(list, LVM_GETTOPINDEX, 0, 0));
    SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    SendMessageW(list, LVM_SETITEMCOUNT, static_cast<WPARAM>(model.Count()), 0);
    int focused = -1;
    for (int i = 0; i < model.Count(); ++i) {
        const cListItem& row = *model.Item(static_cast<std::int16_t>(i + 1));
        std::wstring text = Widen(row.text);
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = i;
        item.pszText = text.data();
        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        SetColumnText(list, i, 1, row.subItem);
        UINT state = INDEXTOSTATEIMAGEMASK(row.checked ? 2 : 1);
        if (row.selected) {
            state |= LVIS_SELECTED;
            if (focused < 0) {
                state |= LVIS_FOCUSED;
                focused = i;
            }
        }
        SetRowState(list, i, state, LVIS_STATEIMAGEMASK | LVIS_SELECTED | LVIS_FOCUSED);
    }
    if (top > 0 && top < model.Count()) {
        // Put the view back where it was, then bring the selection into it.
        SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(model.Count() - 1), FALSE);
        SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(top), FALSE);
    }
    if (focused >= 0) SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(focused), FALSE);
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

void ShowVirtualRows(HWND list, int count) {
    SetRowState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    SendMessageW(list, LVM_SETITEMCOUNT, static_cast<WPARAM>(count), LVSICF_NOSCROLL);
    InvalidateRect(list, nullptr, TRUE);
}

void FillRowText(NMLVDISPINFOW& info, const cListViewModel* model) {
    if (!(info.item.mask & LVIF_TEXT) || info.item.pszText == nullptr || info.item.cchTextMax <= 0) return;
    info.item.pszText[0] = L'\0';
    const cListItem* row = model ? model->Item(static_cast<std::int16_t>(info.item.iItem + 1)) : nullptr;
    if (row == nullptr) return;
    const std::wstring text = Widen(info.item.iSubItem == 0   ? row->text
                                    : info.item.iSubItem == 1 ? row->subItem
                                                              : std::string());
    const auto n = std::min<std::size_t>(text.size(), static_cast<std::size_t>(info.item.cchTextMax - 1));
    std::wmemcpy(info.item.pszText, text.data(), n);
    info.item.pszText[n] = L'\0';
}

std::vector<int> ColumnWidths(HWND list) {
    HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    const auto columns = static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
    std::vector<int> widths;
    for (int c = 0; c < columns; ++c)
        widths.push_back(static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(c), 0)));
    return widths;
}

} // namespace qx::win32
