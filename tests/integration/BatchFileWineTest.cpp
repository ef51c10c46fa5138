// A batch file from the wizard run through Wine's own cmd.exe: the program
// and the set it names lie under folders with letters beyond ASCII, and the
// program started must see exactly the paths the wizard was given.
#include "core/log/cLogger.h"
#include "core/ui/cShortcutWizardModel.h"
#include "core/util/cGlobalsClass.h"
#include "core/util/cQXUtility.h"
#include "fake/cFakeUserInterface.h"
#include "integration/cTempPath.h"
#include "integration/modRunCaptured.h"
#include "win32/WideText.h"
#include "win32/WinApi.h"
#include "win32/cWin32Platform.h"

#include <gtest/gtest.h>

namespace qx::win32 {
namespace {

TEST(BatchFileWine, CmdRunsTheProgramWithExactlyThePathsTheWizardShowed) {
    const test::cTempFolder folder("qx batch B\u00fcro");
    const std::string programFolder = folder.File("\u00dcbung \u00e9t\u00e9");
    ASSERT_TRUE(CreateDirectoryW(Widen(programFolder).c_str(), nullptr));
    const std::string program = programFolder + "\\qx_argprobe.exe";
    ASSERT_TRUE(CopyFileW((Widen(QX_BIN_DIR) + L"/qx_argprobe.exe").c_str(), Widen(program).c_str(), FALSE));
    const std::string set = folder.File("Se\u00f1or \u00c5r.qxs");
    ASSERT_TRUE(folder.Put("Se\u00f1or \u00c5r.qxs", "set"));

    cWin32Platform p;
    fake::cFakeUserInterface ui; // a failure is told here, not in a box that waits for a user
    cLogger logger{p.fs, ui, p.clock, p.codec, folder.Path()};
    cGlobalsClass globals{p.fs};
    cQXUtility utility{p.fs, p.shell};
    cShortcutWizardModel wizard(logger, globals, utility, p.strings, ui, p.fs, p.codec, program, nullptr);
    wizard.Form_Load();
    wizard.SetCreateShortcut(false);
    wizard.SetKillTarget(cShortcutWizardModel::Target::ProgramSet);
    wizard.SetKillSetOrProgram(set);
    wizard.SetDestDir(folder.Path());
    wizard.SetShortcutName("run");
    for (int page = 0; page < 6 && wizard.Page() != 1; ++page)
        wizard.cmdNext_Click();
    ASSERT_TRUE(wizard.cmdNext_Click()) << (ui.boxes.empty() ? "" : ui.boxes[0].text);

    const std::string seen = folder.File("seen.txt");
    SetEnvironmentVariableW(L"QX_ARGPROBE_OUT", Widen(seen).c_str());
    std::string output;
    ASSERT_TRUE(test::RunCaptured(L"cmd.exe /c \"" + Widen(folder.File("run.bat")) + L"\"", output));
    SetEnvironmentVariableW(L"QX_ARGPROBE_OUT", nullptr);
    EXPECT_EQ(folder.Contents("seen.txt"), "\"" + program + "\" \"" + set + "\" ") << output;
}

} // namespace
} // namespace qx::win32
