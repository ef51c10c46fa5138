// The main window's procedure and the notifications of its controls.
#include "win32/fQXMain.h"

#include "win32/modListViewRows.h"

#include <commctrl.h>

namespace qx::win32 {

LRESULT CALLBACK fQXMain::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    fQXMain* self = nullptr;
    if (msg == WM_NCCREATE) {
        self = static_cast<fQXMain*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->hwnd_ = hwnd;
    } else {
        self = reinterpret_cast<fQXMain*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }
    if (self == nullptr) return DefWindowProcW(hwnd, msg, wParam, lParam);
    try {
        const LRESULT r = self->HandleMessage(msg, wParam, lParam);
        if (msg == WM_NCDESTROY) {
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            self->hwnd_ = nullptr;
            PostMessageW(nullptr, WM_NULL, 0, 0); // wakes the message loop, which then ends
        }
        return r;
    } catch (...) {
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

LRESULT fQXMain::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CREATE:
        OnCreate();
        return 0;
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED) Form_Resize();
        return 0;
    case WM_DPICHANGED: {
        const int old = dpi_;
        dpi_ = HIWORD(wParam);
        ApplyFonts();
        for (HWND w : {lvProgramSet_, lvApplications_, lvProcesses_}) {
            const std::vector<int> widths = ColumnWidths(w);
            for (std::size_t c = 0; c < widths.size(); ++c)
                SendMessageW(w, LVM_SETCOLUMNWIDTH, c, MAKELPARAM(MulDiv(widths[c], dpi_, old), 0));
        }
        const RECT* r = reinterpret_cast<const RECT*>(lParam);
        if (!placing_)
            SetWindowPos(hwnd_, nullptr, r->left, r->top, r->right - r->left, r->bottom - r->top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
        Form_Resize();
        return 0;
    }
    case WM_TIMER:
        if (wParam == kClockTimer) statusPanels_.UpdateClock(dpi_);
        return 0;
    case WM_SETCURSOR: {
        POINT p;
        GetCursorPos(&p);
        ScreenToClient(hwnd_, &p);
        if (LOWORD(lParam) == HTCLIENT && (layout_.SplitterDragging() || OverSplitter(p.x, p.y))) {
            SetCursor(LoadCursorW(nullptr, IDC_SIZEWE));
            return TRUE;
        }
        break;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        if (msg == WM_LBUTTONDOWN && OverSplitter(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))))
            SplitterMouse(msg, static_cast<short>(LOWORD(lParam)));
        return 0;
    case WM_MOUSEMOVE:
        if (layout_.SplitterDragging()) SplitterMouse(msg, static_cast<short>(LOWORD(lParam)));
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
    case WM_CAPTURECHANGED:
        SplitterMouse(WM_LBUTTONUP, 0);
        return 0;
    case WM_COMMAND: {
        const UINT id = LOWORD(wParam);
        if (const char* key = cMainToolbar::KeyOf(id)) {
            ToolbarClick(key);
            return 0;
        }
        if (const std::optional<eCommand> c = cMainMenu::CommandOf(id)) {
            Execute(*c);
            return 0;
        }
        break;
    }
    case WM_NOTIFY:
        return OnNotify(reinterpret_cast<NMHDR*>(lParam));
    case WM_CLOSE:
        Close();
        return 0;
    case WM_QUERYENDSESSION:
        // A logoff or shutdown closes the window the way the user would, so a
        // changed set is offered for saving and the options and layout are
        // stored before the system ends the program. Cancelling the question
        // (or a kill run still going) holds the logoff up.
        return Close() ? TRUE : FALSE;
    case WM_DESTROY:
        KillTimer(hwnd_, kClockTimer);
        if (oleStarted_ && lvProgramSet_ != nullptr) RevokeDragDrop(lvProgramSet_);
        return 0;
    case kMsgUpdateState:
        statePending_ = false;
        UpdateCommandState();
        return 0;
    case kMsgRenderSet:
        RenderProgramSet();
        return 0;
    case kMsgDrop: {
        std::vector<std::string> drops;
        drops.swap(pendingDrops_);
        for (const std::string& text : drops) {
            if (!editor_) break;
            PullAllSelections();
            AfterEdit(editor_->AddFromDragText(text));
        }
        return 0;
    }
    default:
        break;
    }
    return DefWindowProcW(hwnd_, msg, wParam, lParam);
}

LRESULT fQXMain::OnNotify(NMHDR* h) {
    if (h == nullptr) return 0;
    if (h->code == TTN_GETDISPINFOW) {
        toolbarButtons_.GetTooltip(*reinterpret_cast<NMTTDISPINFOW*>(h), platform_.strings);
        return 0;
    }
    switch (h->code) {
    case LVN_KEYDOWN:
    case TCN_KEYDOWN:
        // Both notifications start with the same key record.
        if (reinterpret_cast<const NMLVKEYDOWN*>(h)->wVKey == VK_TAB) {
            MoveFocus(h->hwndFrom, GetKeyState(VK_SHIFT) < 0);
            return 0;
        }
        break;
    default:
        break;
    }
    if (h->hwndFrom == tab_) {
        if (h->code == TCN_SELCHANGE) tabProcessList_Click();
        return 0;
    }
    const HWND list = h->hwndFrom;
    if (list != lvProgramSet_ && list != lvApplications_ && list != lvProcesses_) return 0;
    switch (h->code) {
    case LVN_GETDISPINFOW: {
        FillRowText(*reinterpret_cast<NMLVDISPINFOW*>(h), ModelOf(list));
        return 0;
    }
    case NM_SETFOCUS:
        if (editor_ && !suppressNotify_) {
            PullAllSelections();
            const cCommandState s = editor_->ListGotFocus(*ModelOf(list));
            PushSelection(list);
            RenderState(s);
        }
        return 0;
    case NM_CLICK:
        if (list == lvProgramSet_) UpdateCommandState();
        return 0;
    case NM_RCLICK: {
        POINT p;
        GetCursorPos(&p);
        TrackPopupMenu(EditMenu(), TPM_RIGHTBUTTON | TPM_LEFTALIGN, p.x, p.y, 0, hwnd_, nullptr);
        return 0;
    }
    case LVN_BEGINDRAG:
        if (list != lvProgramSet_) BeginDrag(list);
        return 0;
    case LVN_ITEMCHANGED: {
        if (suppressNotify_ || !editor_) return 0;
        const auto* change = reinterpret_cast<NMLISTVIEW*>(h);
        if (!(change->uChanged & LVIF_STATE)) return 0;
        if (list == lvProgramSet_ && ((change->uNewState ^ change->uOldState) & LVIS_STATEIMAGEMASK) &&
            change->iItem >= 0) {
            const bool checked = (change->uNewState & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2);
            // Refused during a kill run: the box goes back once the control is done.
            if (!editor_->SetRowChecked(static_cast<std::int16_t>(change->iItem + 1), checked))
                PostMessageW(hwnd_, kMsgRenderSet, 0, 0);
        }
        if (((change->uNewState ^ change->uOldState) & LVIS_SELECTED) && !statePending_) {
            statePending_ = true;
            PostMessageW(hwnd_, kMsgUpdateState, 0, 0);
        }
        return 0;
    }
    case LVN_ODSTATECHANGED:
        if (!suppressNotify_ && editor_ && !statePending_) {
            statePending_ = true;
            PostMessageW(hwnd_, kMsgUpdateState, 0, 0);
        }
        return 0;
    default:
        return 0;
    }
}

void fQXMain::MoveFocus(HWND from, bool back) {
    const HWND stops[] = {lvProgramSet_, tab_, layout_.ApplicationsVisible() ? lvApplications_ : lvProcesses_};
    const bool inventory = from == lvApplications_ || from == lvProcesses_;
    const int at = from == lvProgramSet_ ? 0 : from == tab_ ? 1 : inventory ? 2 : -1;
    if (at < 0) return;
    SetFocus(stops[(at + (back ? 2 : 1)) % 3]);
}

// The list's own header asks the list before a column changes width; the
// answer for a hidden column is given here, before the list sees it, as not
// every list forwards the question to its parent.
LRESULT CALLBACK fQXMain::HiddenColumnGuard(HWND list, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                            DWORD_PTR self) {
    if (msg == WM_NOTIFY && reinterpret_cast<const fQXMain*>(self)->RefusesWidth(list, lParam)) return TRUE;
    if (msg == WM_NCDESTROY) RemoveWindowSubclass(list, &fQXMain::HiddenColumnGuard, 1);
    return DefSubclassProc(list, msg, wParam, lParam);
}

bool fQXMain::RefusesWidth(HWND list, LPARAM notification) const {
    const auto* n = reinterpret_cast<const NMHEADERW*>(notification);
    switch (n->hdr.code) {
    case HDN_BEGINTRACKW:
    case HDN_BEGINTRACKA:
    case HDN_DIVIDERDBLCLICKW:
    case HDN_DIVIDERDBLCLICKA:
        return IsHiddenColumn(list, n->iItem);
    case HDN_ITEMCHANGINGW:
    case HDN_ITEMCHANGINGA:
        return IsHiddenColumn(list, n->iItem) && n->pitem != nullptr && (n->pitem->mask & HDI_WIDTH) &&
               n->pitem->cxy != 0;
    default:
        return false;
    }
}

} // namespace qx::win32
