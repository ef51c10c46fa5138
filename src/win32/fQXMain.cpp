#include "win32/fQXMain.h"

#include "core/ui/cAdminLogin.h"
#include "core/ui/cAppPropertiesModel.h"
#include "core/ui/modViewLog.h"
#include "core/util/cErrorInfo.h"
#include "win32/WideText.h"
#include "win32/WindowHandle.h"
#include "win32/cDropSource.h"
#include "win32/cTextDataObject.h"
#include "win32/cTextDropTarget.h"
#include "win32/fQXMainIds.h"
#include "win32/modListViewRows.h"
#include "win32/modWindowDpi.h"

#include <commctrl.h>

#include <algorithm>
#include <exception>

namespace qx::win32 {
namespace {

constexpr UINT kMsgUpdateState = WM_APP + 1; // a coalesced command-state update
constexpr UINT kMsgRenderSet = WM_APP + 2;   // put the kill set list back as the model has it
constexpr UINT kMsgDrop = WM_APP + 3;        // handle a drop once the drag has ended
constexpr UINT_PTR kClockTimer = 1;
constexpr int kDesignedWidth = 10800, kDesignedHeight = 6600; // twips

} // namespace

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
            quitAtStart_ = true;
            return false;
        }
        cSharedObjects& shared = session_.Shared();
        editor_ = std::make_unique<cSetEditor>(session_.Set(), session_.Inventory(), session_.Messages());
        editor_->SetKillPropertiesDialog([this](const std::string& title) { ShowKillProperties(title); });
        if (!windowSettings_) { // the layout step never ran
            startupFailed_ = quitAtStart_ = true;
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
            if (!passed) {
                quitAtStart_ = true;
                return false;
            }
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
    quitAtStart_ = true;
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

cWindowGeometry fQXMain::Geometry() const {
    cWindowGeometry g;
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    GetWindowPlacement(hwnd_, &wp);
    g.top = PixelsToTwips(wp.rcNormalPosition.top);
    g.left = PixelsToTwips(wp.rcNormalPosition.left);
    g.width = PixelsToTwips(wp.rcNormalPosition.right - wp.rcNormalPosition.left);
    g.height = PixelsToTwips(wp.rcNormalPosition.bottom - wp.rcNormalPosition.top);
    g.windowState = IsIconic(hwnd_) ? cWindowGeometry::kMinimized
                    : IsZoomed(hwnd_) ? cWindowGeometry::kMaximized
                                      : cWindowGeometry::kNormal;
    const auto list = [&](HWND w, const std::string& name, int width) {
        cListGeometry l;
        l.name = name;
        l.width = width;
        for (const int px : ColumnWidths(w)) l.columns.push_back(PixelsToTwips(px));
        g.lists.push_back(std::move(l));
    };
    list(lvApplications_, "lvApplications", layout_.ProcessLists().width);
    list(lvProcesses_, "lvProcesses", layout_.ProcessLists().width);
    list(lvProgramSet_, "lvProgramSet", layout_.ProgramSet().width);
    g.currentTab = static_cast<std::int32_t>(SendMessageW(tab_, TCM_GETCURSEL, 0, 0)) + 1;
    return g;
}

void fQXMain::ApplyGeometry(const cWindowGeometry& g, int showCommand) {
    for (const cListGeometry& l : g.lists) {
        HWND w = ListWindow(l.name);
        for (std::size_t c = 0; c < l.columns.size(); ++c)
            SendMessageW(w, LVM_SETCOLUMNWIDTH, c, MAKELPARAM(TwipsToPixels(l.columns[c]), 0));
        // The two inventory lists take the width the tab strip leaves them.
        if (l.name == "lvProgramSet") layout_.SetProgramSetWidth(l.width);
    }
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    GetWindowPlacement(hwnd_, &wp);
    wp.rcNormalPosition.left = TwipsToPixels(g.left);
    wp.rcNormalPosition.top = TwipsToPixels(g.top);
    wp.rcNormalPosition.right = TwipsToPixels(g.left + g.width);
    wp.rcNormalPosition.bottom = TwipsToPixels(g.top + g.height);
    wp.showCmd = SW_HIDE; // shown at the end of the load
    SetWindowPlacement(hwnd_, &wp);
    if (g.windowState == cWindowGeometry::kMaximized) showCommand_ = SW_SHOWMAXIMIZED;
    else if (g.windowState == cWindowGeometry::kMinimized) showCommand_ = SW_SHOWMINIMIZED;
    else showCommand_ = showCommand;
    SendMessageW(tab_, TCM_SETCURSEL, static_cast<WPARAM>(g.currentTab - 1), 0);
    Form_Resize();
}

// ------------------------------------------------------------------ layout

void fQXMain::Form_Resize() {
    if (hwnd_ == nullptr || status_ == nullptr) return;
    SendMessageW(toolbar_, TB_AUTOSIZE, 0, 0);
    SendMessageW(status_, WM_SIZE, 0, 0);
    RECT client{}, bar{};
    GetClientRect(hwnd_, &client);
    GetWindowRect(status_, &bar);
    TEXTMETRICW tm{};
    HDC dc = GetDC(setLabel_);
    HGDIOBJ old = SelectObject(dc, labelFont_);
    GetTextMetricsW(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(setLabel_, dc);
    layout_.Form_Resize(PixelsToTwips(client.right), PixelsToTwips(client.bottom), PixelsToTwips(bar.bottom - bar.top),
                        PixelsToTwips(tm.tmHeight + 2));
    PlaceControls();
    statusPanels_.Layout(dpi_);
}

void fQXMain::PlaceControls() {
    const auto place = [&](HWND w, const cLayoutRect& twips) {
        const cLayoutRect r = cMainLayout::ToPixels(twips, dpi_);
        SetWindowPos(w, nullptr, r.left, r.top, std::max(r.width, 0), std::max(r.height, 0),
                     SWP_NOZORDER | SWP_NOACTIVATE);
    };
    const cLayoutRect& set = layout_.ProgramSet();
    place(lvProgramSet_, set);
    place(setLabel_, cLayoutRect{set.left, layout_.SetLabelTop(), set.width, set.top - layout_.SetLabelTop()});
    place(tab_, layout_.TabStrip());
    place(lvProcesses_, layout_.ProcessLists());
    place(lvApplications_, layout_.ProcessLists());
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void fQXMain::tabProcessList_Click() {
    const auto index = static_cast<int>(SendMessageW(tab_, TCM_GETCURSEL, 0, 0)) + 1;
    if (!layout_.tabProcessList_Click(cMainLayout::TabKey(index))) return;
    const bool apps = layout_.ApplicationsVisible();
    ShowWindow(apps ? lvProcesses_ : lvApplications_, SW_HIDE);
    ShowWindow(apps ? lvApplications_ : lvProcesses_, SW_SHOW);
}

bool fQXMain::OverSplitter(int x, int y) const {
    const cLayoutRect r = cMainLayout::ToPixels(layout_.Splitter(), dpi_);
    return x >= r.left && x < r.left + std::max(r.width, 1) && y >= r.top && y < r.top + r.height;
}

void fQXMain::SplitterMouse(UINT msg, int x) {
    switch (msg) {
    case WM_LBUTTONDOWN:
        layout_.lblSplitter_MouseDown(1);
        SetCapture(hwnd_);
        break;
    case WM_MOUSEMOVE:
        if (layout_.lblSplitter_MouseMove(PixelsToTwips(x) - layout_.Splitter().left)) PlaceControls();
        break;
    default:
        if (layout_.SplitterDragging()) {
            layout_.lblSplitter_MouseUp();
            if (GetCapture() == hwnd_) ReleaseCapture();
        }
        break;
    }
}

// ------------------------------------------------------------------ lists

HWND fQXMain::ListWindow(const std::string& name) const {
    if (name == "lvProgramSet") return lvProgramSet_;
    if (name == "lvApplications") return lvApplications_;
    if (name == "lvProcesses") return lvProcesses_;
    return nullptr;
}

cListViewModel* fQXMain::ModelOf(HWND list) {
    if (list == lvProgramSet_) return &session_.Set().lvProgramSet();
    if (!editor_) return nullptr;
    if (list == lvApplications_) return &session_.Inventory().lvApplications();
    if (list == lvProcesses_) return &session_.Inventory().lvProcesses();
    return nullptr;
}

void fQXMain::PullSelection(HWND list) {
    if (cListViewModel* model = ModelOf(list)) qx::win32::PullSelection(list, *model);
}

void fQXMain::PullAllSelections() {
    for (HWND w : {lvProgramSet_, lvApplications_, lvProcesses_}) PullSelection(w);
}

void fQXMain::PushSelection(HWND list) {
    const cListViewModel* model = ModelOf(list);
    if (model == nullptr) return;
    ++suppressNotify_;
    qx::win32::PushSelection(list, *model);
    --suppressNotify_;
}

void fQXMain::RenderProgramSet() {
    ++suppressNotify_;
    RenderRows(lvProgramSet_, session_.Set().lvProgramSet());
    --suppressNotify_;
}

void fQXMain::RenderInventory() {
    if (!editor_) return;
    ++suppressNotify_;
    for (HWND w : {lvApplications_, lvProcesses_}) ShowVirtualRows(w, ModelOf(w)->Count());
    --suppressNotify_;
}

void fQXMain::RenderState(const cCommandState& state) {
    state_ = state;
    menu_.Render(state);
    toolbarButtons_.Render(state);
    DrawMenuBar(hwnd_);
}

void fQXMain::UpdateCommandState() {
    if (!editor_) return;
    PullAllSelections();
    const cCommandState state = editor_->UpdateCommandState();
    HWND active = ListWindow(editor_->ActiveList().Name());
    if (active != nullptr) PushSelection(active); // an active list without a selection now has row 1
    RenderState(state);
}

void fQXMain::AfterEdit(const cCommandState& state) {
    RenderProgramSet();
    HWND active = ListWindow(editor_->ActiveList().Name());
    if (active != nullptr && active != lvProgramSet_) PushSelection(active);
    RenderState(state);
}

// ------------------------------------------------------------------ drag and drop

void fQXMain::BeginDrag(HWND list) {
    if (!oleStarted_ || !editor_) return;
    PullSelection(list);
    const std::string text = cSetEditor::GetDragText(*ModelOf(list));
    auto* data = new cTextDataObject(text);
    auto* source = new cDropSource();
    DWORD effect = DROPEFFECT_NONE;
    DoDragDrop(data, source, DROPEFFECT_COPY, &effect);
    source->Release();
    data->Release();
}

IDropTarget* fQXMain::DropTarget() const { return dropTarget_; }

void fQXMain::HandleDrop(const std::string& text) {
    // Handled after DoDragDrop has returned: the drop opens the modal Kill
    // Properties dialog, which must not run inside the drag's own loop.
    pendingDrops_.push_back(text);
    PostMessageW(hwnd_, kMsgDrop, 0, 0);
}

// ------------------------------------------------------------------ commands

cMainFormContext fQXMain::FormContext() {
    return cMainFormContext{hwnd_, platform_, session_.Shared(), session_, helpFile_};
}

void fQXMain::ShowForm(const std::function<void(const cMainFormContext&)>& form) {
    if (form) form(FormContext());
}

void fQXMain::ShowKillProperties(const std::string& titleText) {
    cApplicationProcs* entry = editor_->CurrentAppSet();
    if (entry == nullptr || !forms_.appProperties) return;
    cAppPropertiesModel model(*entry, titleText);
    if (forms_.appProperties(FormContext(), model)) editor_->SetCurrentAppSet(model.cmdOK_Click());
}

void fQXMain::ToolbarClick(const std::string& key) {
    if (const std::optional<eCommand> c = cCommandState::FromToolbarKey(key)) Execute(*c);
}

void fQXMain::RefreshLists() {
    PullAllSelections();
    session_.Inventory().RefreshLists();
    RenderInventory();
    UpdateCommandState();
}

void fQXMain::KillSelectedSet() {
    PullAllSelections();
    const bool wasIconic = IsIconic(hwnd_) != FALSE;
    const bool wasZoomed = IsZoomed(hwnd_) != FALSE;
    editor_->SetKillRunning(true);
    UpdateCommandState();
    if (!wasIconic) ShowWindow(hwnd_, SW_MINIMIZE);
    session_.Inventory().RefreshLists();
    RenderInventory();
    try {
        session_.Run().KillCurrentSet();
    } catch (...) {
    }
    editor_->SetKillRunning(false);
    RenderInventory();
    RenderProgramSet();
    if (!wasIconic) ShowWindow(hwnd_, wasZoomed ? SW_SHOWMAXIMIZED : SW_RESTORE);
    UpdateCommandState();
    if (closePending_) {
        closePending_ = false;
        PostMessageW(hwnd_, WM_CLOSE, 0, 0);
    }
}

void fQXMain::ViewLogFile() {
    cSharedObjects& shared = session_.Shared();
    qx::ViewLogFile(platform_.fs, platform_.ui, platform_.shell, session_.Messages(), shared.Options().LogPath(),
                    ToWindowHandle(hwnd_));
}

void fQXMain::Execute(eCommand command) {
    if (!editor_ || !state_.Enabled(command)) return;
    cSetFileCommands& files = session_.SetFiles();
    const auto fileCommand = [&](auto&& run) {
        PullAllSelections();
        run();
        RenderProgramSet();
        UpdateCommandState();
    };
    switch (command) {
    case eCommand::New: fileCommand([&] { files.NewProgramSet(); }); break;
    case eCommand::Open: fileCommand([&] { files.BrowseProgramSet(false); }); break;
    case eCommand::Save: fileCommand([&] { files.SaveProgramSet(); }); break;
    case eCommand::SaveAs: fileCommand([&] { files.SaveProgramSetAs(); }); break;
    case eCommand::DeleteSet: fileCommand([&] { files.BrowseProgramSet(true); }); break;
    case eCommand::Exit: PostMessageW(hwnd_, WM_CLOSE, 0, 0); break;
    case eCommand::Undo:
    case eCommand::Copy:
    case eCommand::Paste:
    case eCommand::Delete: {
        const int action = command == eCommand::Copy     ? cSetEditor::kCopy
                           : command == eCommand::Delete ? cSetEditor::kDelete
                           : command == eCommand::Paste  ? cSetEditor::kPaste
                                                         : cSetEditor::kUndo;
        PullAllSelections();
        AfterEdit(editor_->EditCommand(action));
        break;
    }
    case eCommand::Raise:
    case eCommand::Lower:
        PullAllSelections();
        AfterEdit(editor_->MovePriority(command == eCommand::Raise));
        break;
    case eCommand::Properties:
        PullAllSelections();
        AfterEdit(editor_->ShowProperties());
        break;
    case eCommand::Wizard: ShowForm(forms_.shortcutWizard); break;
    case eCommand::Refresh: RefreshLists(); break;
    case eCommand::Kill: KillSelectedSet(); break;
    case eCommand::RememberPosition:
        windowSettings_->mORememberPosition_Click();
        editor_->SetRememberPosition(windowSettings_->RememberMark());
        UpdateCommandState();
        break;
    case eCommand::DataPath: ShowForm(forms_.dataPath); break;
    case eCommand::ViewLog: ViewLogFile(); break;
    case eCommand::AdvancedSettings:
        ShowForm(forms_.miscSettings);
        session_.Inventory().SetKillDefaults(session_.Shared().KillDefaults());
        break;
    case eCommand::HelpContents:
        if (forms_.help) forms_.help(FormContext(), 15, 0);
        break;
    case eCommand::HelpSearch:
        if (forms_.help) forms_.help(FormContext(), 257, 0);
        break;
    case eCommand::GettingStarted:
        if (forms_.help) forms_.help(FormContext(), 1, static_cast<std::uint32_t>(cGlobalsClass::HID_Getting_Started()));
        break;
    case eCommand::About: ShowForm(forms_.about); break;
    case eCommand::Count: break;
    }
}

// ------------------------------------------------------------------ messages

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

} // namespace qx::win32
