#include "win32/fQXMain.h"

#include "core/ui/cAdminLogin.h"
#include "core/util/cErrorInfo.h"
#include "win32/WideText.h"
#include "win32/WindowHandle.h"
#include "win32/cTextDropTarget.h"
#include "win32/fQXMainIds.h"
#include "win32/modWindowDpi.h"

#include <commctrl.h>

#include <exception>

namespace qx::win32 {

fQXMain::fQXMain(cPlatform& platform, std::string programFolder, cMainForms forms)
    : outer_(platform), ui_(platform.ui),
      platform_{platform.os, platform.registry, platform.fs, ui_, platform.clock, platform.codec, platform.facts,
                platform.shell, platform.strings},
      forms_(std::move(forms)), session_(platform_, std::move(programFolder)) {}

fQXMain::~fQXMain() {
    if (hwnd_ != nullptr) DestroyWindow(hwnd_);
    if (dropTarget_ != nullptr) dropTarget_->Release();
    if (labelFont_) DeleteObject(labelFont_);
    if (uiFont_) DeleteObject(uiFont_);
    if (menuBar_ && !IsMenu(menuBar_)) menuBar_ = nullptr;
    if (oleStarted_) OleUninitialize();
}

// ------------------------------------------------------------------ creation

bool fQXMain::Create() {
    try {
        oleStarted_ = SUCCEEDED(OleInitialize(nullptr));
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES};
        InitCommonControlsEx(&icc);
        captions_.LoadCaptions(platform_.strings);

        HINSTANCE instance = GetModuleHandleW(nullptr);
        WNDCLASSEXW wc{};
        if (!GetClassInfoExW(instance, kClassName, &wc)) {
            wc = WNDCLASSEXW{};
            wc.cbSize = sizeof wc;
            wc.style = CS_HREDRAW | CS_VREDRAW;
            wc.lpfnWndProc = &fQXMain::WindowProc;
            wc.hInstance = instance;
            wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
            wc.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
            wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
            wc.lpszClassName = kClassName;
            if (!RegisterClassExW(&wc)) return false;
        }
        menuBar_ = menu_.Create(platform_.strings);
        const int dpi = DpiOfWindow(nullptr); // the screen's, until the window exists
        CreateWindowExW(0, kClassName, Widen(captions_.Caption()).c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                        CW_USEDEFAULT, CW_USEDEFAULT, cMainLayout::TwipsToPixels(kDesignedWidth, dpi),
                        cMainLayout::TwipsToPixels(kDesignedHeight, dpi), nullptr, menuBar_, instance, this);
        if (hwnd_ == nullptr) return false;
        accelerators_ = LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDA_QXMAIN));
        return true;
    } catch (...) {
        return false;
    }
}

HMENU fQXMain::EditMenu() const { return menu_.EditMenu(); }

int fQXMain::QueryDpi() const { return DpiOfWindow(hwnd_); }

void fQXMain::OnCreate() {
    dpi_ = QueryDpi();
    HINSTANCE instance = GetModuleHandleW(nullptr);
    const auto child = [&](DWORD ex, const wchar_t* cls, const wchar_t* text, DWORD style, int id) {
        return CreateWindowExW(ex, cls, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 10, 10, hwnd_,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    };
    toolbar_ = toolbarButtons_.Create(hwnd_);
    status_ = statusPanels_.Create(hwnd_, captions_.StatusPanels()[0].width);
    setLabel_ = child(0, L"STATIC", Widen(captions_.SetLabel()).c_str(), SS_LEFT | SS_NOPREFIX, IDC_QX_SETLABEL);
    tab_ = child(0, WC_TABCONTROLW, nullptr, WS_CLIPSIBLINGS | WS_TABSTOP, IDC_QX_TAB);
    for (int i = 1; i <= 2; ++i) {
        std::wstring caption = Widen(captions_.TabCaption(i));
        TCITEMW t{};
        t.mask = TCIF_TEXT;
        t.pszText = caption.data();
        SendMessageW(tab_, TCM_INSERTITEMW, static_cast<WPARAM>(i - 1), reinterpret_cast<LPARAM>(&t));
    }
    CreateLists();
    ui_.Attach(hwnd_, status_);
    ApplyFonts();
    statusPanels_.Layout(dpi_);
    SendMessageW(status_, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(Widen(captions_.StatusPanels()[0].text).c_str()));
    statusPanels_.UpdateClock(dpi_);
    SetTimer(hwnd_, kClockTimer, 1000, nullptr);

    dropTarget_ = new cTextDropTarget([this](const std::string& text) { HandleDrop(text); },
                                      [this] { return editor_ != nullptr && !editor_->KillRunning(); });
    if (oleStarted_) RegisterDragDrop(lvProgramSet_, dropTarget_);
}

void fQXMain::CreateLists() {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    const auto make = [&](int id, DWORD style, const std::string& name) {
        HWND list = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, nullptr,
                                    WS_CHILD | WS_TABSTOP | WS_CLIPSIBLINGS | LVS_REPORT | LVS_SHOWSELALWAYS | style,
                                    0, 0, 10, 10, hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance,
                                    nullptr);
        DWORD ex = LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER;
        if (id == IDC_QX_PROGRAMSET) ex |= LVS_EX_CHECKBOXES;
        SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, ex, ex);
        int index = 0;
        for (const cColumnHeader& h : captions_.ColumnHeaders(name)) {
            std::wstring caption = Widen(h.caption);
            LVCOLUMNW c{};
            c.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
            c.pszText = caption.data();
            c.cx = TwipsToPixels(h.width);
            c.iSubItem = index;
            SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&c));
            if (h.width == 0) {
                hiddenColumns_.emplace_back(list, index);
                SetWindowSubclass(list, &fQXMain::HiddenColumnGuard, 1, reinterpret_cast<DWORD_PTR>(this));
            }
            ++index;
        }
        SetWindowPos(list, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        return list;
    };
    lvProgramSet_ = make(IDC_QX_PROGRAMSET, WS_VISIBLE, "lvProgramSet");
    // The inventory lists can hold thousands of rows: the control asks for
    // the texts of the rows it shows instead of keeping copies of them all.
    lvApplications_ = make(IDC_QX_APPLICATIONS, WS_VISIBLE | LVS_OWNERDATA, "lvApplications");
    lvProcesses_ = make(IDC_QX_PROCESSES, LVS_OWNERDATA, "lvProcesses");
}

void fQXMain::ApplyFonts() {
    if (labelFont_) DeleteObject(labelFont_);
    if (uiFont_) DeleteObject(uiFont_);
    NONCLIENTMETRICSW ncm{};
    ncm.cbSize = sizeof ncm;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0);
    LOGFONTW lf = ncm.lfMessageFont;
    lf.lfHeight = -MulDiv(9, dpi_, 72);
    uiFont_ = CreateFontIndirectW(&lf);
    labelFont_ = CreateFontW(-MulDiv(12, dpi_, 72), 0, 0, 0, FW_BOLD, TRUE, FALSE, FALSE, DEFAULT_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_SWISS,
                             L"Arial");
    for (HWND w : {tab_, lvProgramSet_, lvApplications_, lvProcesses_})
        SendMessageW(w, WM_SETFONT, reinterpret_cast<WPARAM>(uiFont_), TRUE);
    statusPanels_.SetFont(uiFont_);
    SendMessageW(setLabel_, WM_SETFONT, reinterpret_cast<WPARAM>(labelFont_), TRUE);
}

// ------------------------------------------------------------------ load and close

bool fQXMain::Load(const std::string& commandLine, int showCommand) {
    try {
        session_.SetWindowStartupStep([this](cSharedObjects& shared) {
            if (shared.Options().ShowSplash() && forms_.showSplash) {
                forms_.showSplash();
                splashShown_ = true;
            }
            shared.Options().SetWinHandle(ToWindowHandle(hwnd_));
        });
        showCommand_ = showCommand;
        session_.SetWindowLayoutStep([this, showCommand](cSharedObjects& shared) {
            windowSettings_ =
                std::make_unique<cWindowSettings>(shared.RegistrySettings(), shared.Options(), shared.Logger());
            cWindowGeometry g = Geometry();
            if (windowSettings_->GetWindowSettings(g)) ApplyGeometry(g, showCommand);
        });
        if (!session_.Load(commandLine) || session_.CommandLineMode()) {
            CloseSplash();
            startupFailed_ = !session_.CommandLineMode();
            return false;
        }
        cSharedObjects& shared = session_.Shared();
        editor_ = std::make_unique<cSetEditor>(session_.Set(), session_.Inventory(), session_.Messages());
        editor_->SetKillPropertiesDialog([this](const std::string& title) { ShowKillProperties(title); });
        if (!windowSettings_) { // the layout step never ran
            startupFailed_ = true;
            return false;
        }
        editor_->SetRememberPosition(windowSettings_->RememberMark());

        RenderProgramSet();
        RenderInventory();
        tabProcessList_Click();
        state_ = editor_->ListGotFocus(session_.Set().lvProgramSet());
        // The state's first-row rule may have selected a row: show it.
        PushSelection(lvProgramSet_);
        RenderState(state_);
        // A "/L" plan is shown as a set not saved yet.
        session_.Set().SetSetChanged(session_.Preview() && session_.Set().lvProgramSet().Count() > 0);
        CloseSplash();
        ShowWindow(hwnd_, showCommand_);
        UpdateWindow(hwnd_);
        loaded_ = true;

        if (shared.Options().RequireAdminLogin()) {
            cAdminLogin login(platform_.strings, platform_.ui, shared.Options().AdminPassword());
            const bool passed = forms_.login ? forms_.login(hwnd_, login) : false;
            if (!passed) return false;
        }
        helpFile_ = shared.ProgramFolder() + "\\" + cGlobalsClass::sHelpFile();
        return true;
    } catch (const std::exception& e) {
        FailLoad(e.what());
    } catch (...) {
        FailLoad("");
    }
    return false;
}

void fQXMain::CloseSplash() {
    if (!splashShown_) return;
    splashShown_ = false;
    try {
        if (forms_.closeSplash) forms_.closeSplash();
    } catch (...) {
    }
}

void fQXMain::FailLoad(const std::string& description) {
    startupFailed_ = true;
    CloseSplash();
    try {
        session_.Shared().Logger().LogError("", true, cErrorInfo{0, "fQXMain", description});
    } catch (...) {
    }
}

bool fQXMain::Close() {
    if (hwnd_ == nullptr) return true;
    // The run pumps this window's messages while it waits: closing now would
    // free what the run still works on. The close follows once it has ended.
    if (KillRunning()) {
        closePending_ = true;
        return false;
    }
    if (loaded_ && !startupFailed_) {
        PullAllSelections();
        windowSettings_->TakeRememberMark();
        if (!session_.Close()) return false;
        windowSettings_->SaveWindowSettings(Geometry());
    }
    DestroyWindow(hwnd_);
    return true;
}

void fQXMain::RunMessageLoop() {
    MSG m;
    while (hwnd_ != nullptr) {
        const BOOL r = GetMessageW(&m, nullptr, 0, 0);
        if (r == 0) {
            PostQuitMessage(static_cast<int>(m.wParam)); // for whoever loops outside
            break;
        }
        if (r == -1) break;
        if (hwnd_ != nullptr && accelerators_ != nullptr && TranslateAcceleratorW(hwnd_, accelerators_, &m)) continue;
        TranslateMessage(&m);
        DispatchMessageW(&m);
    }
}

} // namespace qx::win32
