// A batch file from the wizard run through Wine's own cmd.exe: the program
// and the set it names lie under folders with letters beyond ASCII, and the
// program started must see exactly the paths the wizard was given.
#include "core/log/cLogger.h"
#include "core/ui/cBuiltinStringTable.h"
#include "core/ui/cShortcutWizardModel.h"
#include "core/util/cGlobalsClass.h"
#include "core/util/cQXUtility.h"
#include "fake/cFakeClock.h"
#include "fake/cFakeShell.h"
#include "fake/cFakeUserInterface.h"
#include "integration/cTempFolder.h"
#include "integration/modRunCaptured.h"
#include "win32/WideText.h"
#include "win32/WinApi.h"
#include "win32/cWin32FileSystem.h"
#include "win32/cWin32TextCodec.h"

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

    cWin32FileSystem fs;
    cWin32TextCodec codec;
    fake::cFakeUserInterface ui;
    fake::cFakeClock clock;
    fake::cFakeShell shell;
    cBuiltinStringTable table;
    cLogger logger{fs, ui, clock, codec, folder.Path()};
    cGlobalsClass globals{fs};
    cQXUtility utility{fs, shell};
    cShortcutWizardModel wizard(logger, globals, utility, table, ui, fs, codec, program, nullptr);
    wizard.Form_Load();
    wizard.SetCreateShortcut(false);
    wizard.SetKillTarget(cShortcutWizardModel::Target::ProgramSet);
    wizard.SetKillSetOrProgram(set);
    wizard.SetDestDir(folder.Path());
    wizard.SetShortcutName("run");
    while (wizard.Page() != 1) ASSERT_FALSE(wizard.cmdNext_Click()) << (ui.boxes.empty() ? "" : ui.boxes[0].text);
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
