#pragma once
// The main window: the Current Kill Set beside the Applications and
// Processes lists, menus, toolbar, status bar and splitter. It renders the
// core's models (the session's set and inventory, the set editor, the
// command state, the layout) and forwards every event to them.
//
// Its definitions are spread over fQXMain*.cpp by responsibility: creation,
// load and close here; Layout, Lists, Commands and Messages beside it.
//
// Runs over any bundle of ports, so a test or a benchmark can host it in its
// own process over the fake operating system as well as over the real one.
#include "core/platform/cPlatform.h"
#include "core/sets/cSetEditor.h"
#include "core/settings/cWindowSettings.h"
#include "core/startup/cProgramSession.h"
#include "core/ui/cCommandState.h"
#include "core/ui/cMainCaptions.h"
#include "core/ui/cMainLayout.h"
#include "win32/WinApi.h"
#include "win32/cMainForms.h"
#include "win32/cMainMenu.h"
#include "win32/cMainStatusBar.h"
#include "win32/cMainToolbar.h"
#include "win32/cMainWindowUserInterface.h"

#include <ole2.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace qx::win32 {

class cTextDropTarget;

class fQXMain {
public:
    static constexpr const wchar_t* kClassName = L"QuellixMainWindow";

    // The window uses the platform's ports, except that its caption and
    // status texts also reach the window. programFolder: the executable's
    // folder, without a trailing backslash.
    fQXMain(cPlatform& platform, std::string programFolder, cMainForms forms = {});
    ~fQXMain();
    fQXMain(const fQXMain&) = delete;
    fQXMain& operator=(const fQXMain&) = delete;

    // Creates the window and its controls, hidden, with every text from the
    // string table. False when the window could not be made.
    bool Create();
    // The window-mode load: options, splash, last set, saved layout, first
    // inventory, then the window shown (showCommand as wWinMain got it) and
    // the login. False when the program must end: start-up failed (already
    // reported; nothing is saved then) or a refused login (the caller closes
    // the window with Close()).
    bool Load(const std::string& commandLine, int showCommand);
    bool StartupFailed() const { return startupFailed_; }

    // Runs messages until the window is gone; accelerators included.
    void RunMessageLoop();
    // Closing as the close box does it: the save question (false when the
    // user keeps the window), options and layout saved, the window destroyed.
    // During a kill run the close waits for the run's end and this is false.
    bool Close();

    HWND Hwnd() const { return hwnd_; }
    HMENU EditMenu() const;

    cProgramSession& Session() { return session_; }

    // A command as its menu item runs it; ignored while it is disabled.
    void Execute(eCommand command);

private:
    static constexpr UINT kMsgUpdateState = WM_APP + 1; // a coalesced command-state update
    static constexpr UINT kMsgRenderSet = WM_APP + 2;   // put the kill set list back as the model has it
    static constexpr UINT kMsgDrop = WM_APP + 3;        // handle a drop once the drag has ended
    static constexpr UINT_PTR kClockTimer = 1;
    static constexpr int kDesignedWidth = 10800, kDesignedHeight = 6600; // twips

    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT OnNotify(NMHDR* header);
    // A toolbar click by the button's key; an unknown key does nothing.
    void ToolbarClick(const std::string& key);
    bool KillRunning() const { return editor_ && editor_->KillRunning(); }
    HWND ListWindow(const std::string& listName) const;
    void OnCreate();
    void CloseSplash();
    // An unexpected error during the load: the splash goes, the error is
    // shown and logged, and the program must end.
    void FailLoad(const std::string& description);
    void CreateLists();
    void ApplyFonts();
    int QueryDpi() const;
    int PixelsToTwips(int pixels) const { return cMainLayout::PixelsToTwips(pixels, dpi_); }
    int TwipsToPixels(int twips) const { return cMainLayout::TwipsToPixels(twips, dpi_); }

    // A column the captions give no width stays shut: never dragged open,
    // never stored.
    bool IsHiddenColumn(HWND list, int column) const;
    static LRESULT CALLBACK HiddenColumnGuard(HWND list, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                              DWORD_PTR self);
    bool RefusesWidth(HWND list, LPARAM notification) const;
    // Tab and Shift+Tab from one of the three focus stops to the next.
    void MoveFocus(HWND from, bool back);
    void Form_Resize();
    void PlaceControls();
    void tabProcessList_Click();

    cListViewModel* ModelOf(HWND list);
    void PullSelection(HWND list);
    void PullAllSelections();
    void PushSelection(HWND list);
    void RenderProgramSet();
    void RenderInventory();
    void RenderState(const cCommandState& state);
    void UpdateCommandState();
    void AfterEdit(const cCommandState& state);

    void BeginDrag(HWND list);
    void HandleDrop(const std::string& text);
    void ShowKillProperties(const std::string& titleText);
    void RefreshLists();
    void KillSelectedSet();
    void ViewLogFile();
    void SplitterMouse(UINT msg, int x);
    bool OverSplitter(int x, int y) const;

    cWindowGeometry Geometry() const;
    void ApplyGeometry(const cWindowGeometry& g, int showCommand);
    cMainFormContext FormContext();
    void ShowForm(const std::function<void(const cMainFormContext&)>& form);

    cPlatform& outer_;
    cMainWindowUserInterface ui_;
    cPlatform platform_;
    cMainForms forms_;
    cProgramSession session_;
    std::unique_ptr<cSetEditor> editor_;
    std::unique_ptr<cWindowSettings> windowSettings_;
    cMainCaptions captions_;
    cMainLayout layout_;
    cCommandState state_;
    std::string helpFile_;
    cMainMenu menu_;
    cMainToolbar toolbarButtons_;
    cMainStatusBar statusPanels_;

    HWND hwnd_ = nullptr;
    HWND toolbar_ = nullptr, status_ = nullptr, tab_ = nullptr, setLabel_ = nullptr;
    HWND lvProgramSet_ = nullptr, lvApplications_ = nullptr, lvProcesses_ = nullptr;
    HMENU menuBar_ = nullptr;
    HACCEL accelerators_ = nullptr;
    HFONT labelFont_ = nullptr, uiFont_ = nullptr;
    cTextDropTarget* dropTarget_ = nullptr;
    bool oleStarted_ = false;
    int dpi_ = 96;
    int suppressNotify_ = 0;     // > 0 while the window itself changes list rows
    bool statePending_ = false;  // a command-state update is posted
    bool closePending_ = false;  // the close box was used during a kill run
    bool startupFailed_ = false;
    bool loaded_ = false;
    bool splashShown_ = false;
    bool placing_ = false; // the saved rectangle is being applied
    std::vector<std::pair<HWND, int>> hiddenColumns_;
    int showCommand_ = SW_SHOWNORMAL;
    std::vector<std::string> pendingDrops_; // dropped texts, handled after the drag
};

} // namespace qx::win32
