#include "win32/cMainToolbar.h"

#include "win32/WideText.h"
#include "win32/fQXMainIds.h"
#include "win32/modToolbarPictures.h"

#include <array>

namespace qx::win32 {

cMainToolbar::~cMainToolbar() {
    if (pictures_) DeleteObject(pictures_);
}

HWND cMainToolbar::Create(HWND parent) {
    toolbar_ = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr,
                               WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_TOP | CCS_NODIVIDER, 0, 0,
                               0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_QX_TOOLBAR)),
                               GetModuleHandleW(nullptr), nullptr);
    SendMessageW(toolbar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    TBADDBITMAP standard{HINST_COMMCTRL, IDB_STD_SMALL_COLOR};
    const auto stdBase = static_cast<int>(SendMessageW(toolbar_, TB_ADDBITMAP, 0, reinterpret_cast<LPARAM>(&standard)));
    pictures_ = DrawOwnToolbarPictures();
    int ownBase = -1;
    if (pictures_ != nullptr) {
        TBADDBITMAP own{nullptr, reinterpret_cast<UINT_PTR>(pictures_)};
        ownBase = static_cast<int>(SendMessageW(toolbar_, TB_ADDBITMAP, 4, reinterpret_cast<LPARAM>(&own)));
    }
    const auto image = [&](eCommand c) -> int {
        switch (c) {
        case eCommand::New: return stdBase + STD_FILENEW;
        case eCommand::Open: return stdBase + STD_FILEOPEN;
        case eCommand::Save: return stdBase + STD_FILESAVE;
        case eCommand::Copy: return stdBase + STD_COPY;
        case eCommand::Paste: return stdBase + STD_PASTE;
        case eCommand::Undo: return stdBase + STD_UNDO;
        case eCommand::Delete: return stdBase + STD_DELETE;
        case eCommand::Properties: return stdBase + STD_PROPERTIES;
        case eCommand::Raise: return ownBase < 0 ? I_IMAGENONE : ownBase;
        case eCommand::Lower: return ownBase < 0 ? I_IMAGENONE : ownBase + 1;
        case eCommand::Kill: return ownBase < 0 ? I_IMAGENONE : ownBase + 2;
        case eCommand::Refresh: return ownBase < 0 ? I_IMAGENONE : ownBase + 3;
        default: return I_IMAGENONE;
        }
    };
    const auto& buttons = cCommandState::ToolbarButtons();
    std::array<TBBUTTON, 17> tb{};
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        tb[i].idCommand = IDB_QX_TOOLBAR_FIRST + static_cast<int>(i);
        tb[i].dwData = i;
        if (buttons[i].key == nullptr) {
            tb[i].fsStyle = BTNS_SEP;
            tb[i].iBitmap = 6;
        } else {
            tb[i].iBitmap = image(buttons[i].command);
            tb[i].fsStyle = BTNS_BUTTON;
            // Undo and Paste start disabled, as their menu items.
            const bool off = buttons[i].command == eCommand::Undo || buttons[i].command == eCommand::Paste;
            tb[i].fsState = off ? 0 : TBSTATE_ENABLED;
            tb[i].iString = -1;
        }
    }
    SendMessageW(toolbar_, TB_ADDBUTTONSW, tb.size(), reinterpret_cast<LPARAM>(tb.data()));
    SendMessageW(toolbar_, TB_AUTOSIZE, 0, 0);
    return toolbar_;
}

void cMainToolbar::Render(const cCommandState& state) const {
    const auto& buttons = cCommandState::ToolbarButtons();
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        if (buttons[i].key == nullptr) continue;
        SendMessageW(toolbar_, TB_ENABLEBUTTON, IDB_QX_TOOLBAR_FIRST + i,
                     MAKELPARAM(state.Enabled(buttons[i].command) ? TRUE : FALSE, 0));
    }
}

const char* cMainToolbar::KeyOf(UINT_PTR id) {
    const auto& buttons = cCommandState::ToolbarButtons();
    if (id < IDB_QX_TOOLBAR_FIRST || id >= IDB_QX_TOOLBAR_FIRST + buttons.size()) return nullptr;
    return buttons[id - IDB_QX_TOOLBAR_FIRST].key;
}

bool cMainToolbar::GetTooltip(NMTTDISPINFOW& tip, IStringTable& strings) {
    const auto& buttons = cCommandState::ToolbarButtons();
    const UINT_PTR id = tip.hdr.idFrom;
    if (id < IDB_QX_TOOLBAR_FIRST || id >= IDB_QX_TOOLBAR_FIRST + buttons.size()) return false;
    const cToolbarButton& b = buttons[id - IDB_QX_TOOLBAR_FIRST];
    std::string text;
    if (b.key != nullptr) strings.LoadString(b.tooltipId, text);
    tipText_ = Widen(text);
    tip.lpszText = tipText_.data();
    tip.hinst = nullptr;
    return true;
}

} // namespace qx::win32
