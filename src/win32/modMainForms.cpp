#include "win32/modMainForms.h"

#include "core/startup/cProgramSession.h"
#include "core/ui/cAdminLogin.h"
#include "core/ui/cAppPropertiesModel.h"
#include "core/ui/cDataPathModel.h"
#include "core/ui/cMiscSettingsModel.h"
#include "core/ui/cShortcutWizardModel.h"
#include "core/ui/modHelp.h"
#include "win32/WideText.h"
#include "win32/WindowHandle.h"
#include "win32/cWin32ShellLink.h"
#include "win32/fQXAbout.h"
#include "win32/fQXAppProperties.h"
#include "win32/fQXCreateShortcutWizard.h"
#include "win32/fQXDataPath.h"
#include "win32/fQXLogin.h"
#include "win32/fQXMiscSettings.h"
#include "win32/modProgramVersion.h"

namespace qx::win32 {
namespace {

void OpenHelp(const cMainFormContext& c, HWND owner, int command, int topic) {
    ShowHelp(c.platform.shell, c.platform.fs, c.platform.ui, ToWindowHandle(owner), c.shared.ProgramFolder(),
             command, topic);
}

// The Help buttons of the dialogs open their own topic.
HelpRequest DialogHelp(const cMainFormContext& c) {
    return [&c](HWND dialog, std::int16_t topic) { OpenHelp(c, dialog, kHelpShowTopic, topic); };
}

} // namespace

cMainForms MakeMainForms(fQXSplash& splash) {
    cMainForms forms;
    forms.appProperties = [](const cMainFormContext& c, cAppPropertiesModel& model) {
        return fQXAppProperties::Show(c.owner, model, DialogHelp(c));
    };
    forms.miscSettings = [](const cMainFormContext& c) {
        cMiscSettingsModel model(c.shared.Options(), c.shared.Logger(), c.shared.Globals(), c.platform.strings,
                                 c.platform.ui, c.platform.fs, c.platform.shell);
        fQXMiscSettings::Show(c.owner, model, DialogHelp(c));
    };
    forms.dataPath = [](const cMainFormContext& c) {
        cDataPathModel model(c.shared.Options(), c.shared.Logger(), c.platform.strings, c.platform.ui, c.platform.fs,
                             c.shared.ProgramFolder());
        fQXDataPath::Show(c.owner, model);
    };
    forms.shortcutWizard = [](const cMainFormContext& c) {
        cShortcutWizardModel model(c.shared.Logger(), c.shared.Globals(), c.shared.Utility(), c.platform.strings,
                                   c.platform.ui, c.platform.fs, c.platform.codec, Narrow(RunningModulePath()),
                                   &WriteShellLink);
        fQXCreateShortcutWizard::Show(c.owner, model);
    };
    forms.about = [](const cMainFormContext& c) { fQXAbout::Show(c.owner); };
    forms.help = [](const cMainFormContext& c, std::uint32_t command, std::uint32_t topic) {
        OpenHelp(c, c.owner, static_cast<int>(command), static_cast<int>(topic));
    };
    forms.login = [](HWND owner, cAdminLogin& login) { return fQXLogin::Show(owner, login); };
    forms.showSplash = [&splash] { splash.Show(); };
    forms.closeSplash = [&splash] { splash.Close(); };
    return forms;
}

} // namespace qx::win32
