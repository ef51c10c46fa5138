// The main window's commands, from its menus, toolbar and accelerators.
#include "win32/fQXMain.h"

#include "core/ui/cAppPropertiesModel.h"
#include "core/ui/modKillCommand.h"
#include "core/ui/modViewLog.h"
#include "win32/WindowHandle.h"

namespace qx::win32 {

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
    RunKillCommand(*editor_, platform_.ui, session_.Shared().Logger(), [&] {
        UpdateCommandState();
        if (!wasIconic) ShowWindow(hwnd_, SW_MINIMIZE);
        session_.Inventory().RefreshLists();
        RenderInventory();
        session_.Run().KillCurrentSet();
    });
    // Whatever the run left behind, the window comes back usable: the lists
    // show what is running now and a close asked for meanwhile goes ahead.
    try {
        session_.Inventory().RefreshLists();
        RenderInventory();
        RenderProgramSet();
        if (!wasIconic) ShowWindow(hwnd_, wasZoomed ? SW_SHOWMAXIMIZED : SW_RESTORE);
        UpdateCommandState();
    } catch (...) {
        if (!wasIconic) ShowWindow(hwnd_, wasZoomed ? SW_SHOWMAXIMIZED : SW_RESTORE);
    }
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

} // namespace qx::win32
