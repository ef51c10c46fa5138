#pragma once
// The forms the main window opens, as hooks that main.cpp fills in. The main
// window knows only these signatures; an empty hook means its command does
// nothing (and an empty login hook refuses the login: a window that cannot
// ask for the password must not open without it).
//
// Every hook runs on the user-interface thread, modally, owned by
// `owner` (the main window; 0 only for the splash).
#include "core/platform/cPlatform.h"
#include "win32/WinApi.h"

#include <cstdint>
#include <functional>
#include <string>

namespace qx {
class cAdminLogin;
class cAppPropertiesModel;
class cProgramSession;
class cSharedObjects;
} // namespace qx

namespace qx::win32 {

// What a form needs to build its model: the ports (the main window's own
// bundle, whose message boxes belong to the main window), the shared objects
// (options, logger, globals, utility, system facts) and the whole session
// (current set, inventory, set-file commands).
struct cMainFormContext {
    HWND owner;
    cPlatform& platform;
    cSharedObjects& shared;
    cProgramSession& session;
    // Full path of the help file, set once the login has passed.
    const std::string& helpFile;
};

struct cMainForms {
    // Kill Properties over the selected kill-set entry. The model arrives
    // filled (entry and lblTitle text); the dialog renders it and writes the
    // user's edits into it with its setters. True on OK: the main window then
    // takes model.cmdOK_Click() into the entry (and into every other program
    // of the same drop). False on Cancel or the frame's close box.
    std::function<bool(const cMainFormContext& context, cAppPropertiesModel& model)> appProperties;

    // Advanced Settings (cMiscSettingsModel over context.shared.Options()).
    // The main window takes the kill defaults afresh afterwards.
    std::function<void(const cMainFormContext& context)> miscSettings;
    // Select Default Data Directory (cDataPathModel).
    std::function<void(const cMainFormContext& context)> dataPath;
    // Create Shortcut Wizard (cShortcutWizardModel).
    std::function<void(const cMainFormContext& context)> shortcutWizard;
    // About box; nothing depends on its result.
    std::function<void(const cMainFormContext& context)> about;
    // The help engine over context.helpFile: command 15 contents, 257 search
    // with an empty keyword, 1 a topic (topic = 101 Getting Started).
    std::function<void(const cMainFormContext& context, std::uint32_t command, std::uint32_t topic)> help;

    // Admin login at start-up, only when the options require it. The model
    // holds the texts and the stored hash; the dialog forwards OK
    // (login.cmdOK_Click(typed)) until it returns true, and Cancel or the
    // close box to login.cmdCancel_Click(). Returns login.LoginSucceeded().
    std::function<bool(HWND owner, cAdminLogin& login)> login;

    // The splash window, modeless: shown once the options are read (when
    // ShowSplash is on), closed just before the main window shows. showSplash
    // must return after the splash has painted.
    std::function<void()> showSplash;
    std::function<void()> closeSplash;
};

} // namespace qx::win32
