// KillMe against real processes through the real process and window
// services: the passes reach a real program in their order, and a process id
// that no longer names the listed program is left alone. The other cases are
// proven on the fake OS; programs that answer are closed by the kill runs of
// the main window and the command line.
#include "fake/cKillHarness.h"
#include "integration/cTargetProcess.h"
#include "integration/cTempPath.h"
#include "win32/WinApi.h"
#include "win32/cWin32ProcessWindowServices.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

using test::cTargetProcess;
using test::cTempPath;
using win32::cWin32ProcessWindowServices;

class KillMeWine : public ::testing::Test {
protected:
    cApplicationProcs Entry(const cTargetProcess& t, const std::string& title, std::int32_t wait, bool force) {
        cApplicationProcs e;
        e.SetProcessID(t.Pid());
        e.SetTitle(title);
        e.SetExePath(cTargetProcess::ExePath());
        e.SetCloseWait(wait);
        e.SetForceClose(force);
        const ProcessHandle h = os.OpenProcess(kInspectAccess, t.Pid());
        std::uint64_t created = 0;
        if (h != 0 && os.QueryProcessCreationTime(h, created)) e.SetCreationTime(created);
        if (h != 0) os.CloseHandle(h);
        return e;
    }
    bool Kill(const cApplicationProcs& e) { return rec.Kill(os, e); }
    std::string LastText() const {
        const auto texts = rec.ActionTexts();
        return texts.empty() ? std::string{} : texts.back();
    }
    // The recorded message names, in order of arrival.
    static std::vector<std::string> Received(const cTempPath& record) {
        std::vector<std::string> names;
        const std::string text = record.Contents();
        std::size_t start = 0;
        for (std::size_t pos; (pos = text.find("\r\n", start)) != std::string::npos; start = pos + 2) {
            const std::string line = text.substr(start, pos - start);
            names.push_back(line.substr(0, line.find(' ')));
        }
        return names;
    }

    cWin32ProcessWindowServices os;
    fake::cKillRecorder rec;
};

TEST_F(KillMeWine, StubbornProgramGetsEveryPassInOrderThenIsTerminated) {
    cTempPath record("stubborn");
    cTargetProcess t({"--title", "Stubborn", "--window", "main", "--window", "popup", "--on-close", "ignore",
                      "--refuse-endsession", "--record", record});
    ASSERT_TRUE(t.Ready());
    EXPECT_TRUE(Kill(Entry(t, "Stubborn", 1, true)));
    EXPECT_TRUE(t.WaitForExit(2000));
    EXPECT_EQ(LastText(), "'Stubborn' was terminated.");
    const auto got = Received(record);
    // Pass 1 (popup), pass 2 (main), pass 3 (query and end of session), then
    // the popup once more just before terminating. That last close is posted
    // right before the termination, so on a busy machine the program may be
    // gone before it reads it.
    std::vector<std::string> expected = {"WM_CLOSE", "WM_CLOSE", "WM_QUERYENDSESSION", "WM_ENDSESSION"};
    if (got.size() == expected.size() + 1) expected.push_back("WM_CLOSE");
    EXPECT_EQ(got, expected);
}

TEST_F(KillMeWine, ProgramThatEndedBeforeItsTurnIsReportedAsNotRunningAndCountsAsEnded) {
    cTargetProcess t({"--title", "Gone"});
    ASSERT_TRUE(t.Ready());
    const cApplicationProcs e = Entry(t, "Gone", 1, true);
    t.Terminate();
    ASSERT_TRUE(t.WaitForExit(2000));
    EXPECT_TRUE(Kill(e));
    EXPECT_EQ(LastText(), "'Gone' couldn't be killed.  It wasn't running.");
}

TEST_F(KillMeWine, ProcessThatIsNotTheListedProgramIsNeverTouched) {
    cTempPath record("other");
    cTargetProcess t({"--title", "Other", "--record", record});
    ASSERT_TRUE(t.Ready());
    cApplicationProcs otherExe = Entry(t, "Other", 0, true);
    otherExe.SetExePath("C:\\Program Files\\Editor\\editor.exe"); // the id now belongs to another program
    cApplicationProcs otherStart = Entry(t, "Other", 0, true);
    otherStart.SetCreationTime(otherStart.CreationTime() + 1); // or to a later start of the same one
    for (const cApplicationProcs& e : {otherExe, otherStart}) {
        EXPECT_TRUE(Kill(e));
        EXPECT_EQ(LastText(), "'Other' couldn't be killed.  It wasn't running.");
    }
    EXPECT_TRUE(t.Running());
    EXPECT_TRUE(Received(record).empty());
}

// A program that answers the end-of-session query only after a long while (it
// asks its user first) holds the run no longer than its own wait beyond the
// fixed pauses, and is then ended as its rules say.
TEST_F(KillMeWine, ProgramThatAnswersLateIsEndedAfterItsOwnWait) {
    cTargetProcess t({"--title", "Late", "--on-close", "ignore", "--answer-after", "60000"});
    ASSERT_TRUE(t.Ready());
    const DWORD start = GetTickCount();
    EXPECT_TRUE(Kill(Entry(t, "Late", 1, true)));
    EXPECT_LT(GetTickCount() - start, 1000u + 2000u + 1000u + 1000u); // pauses, wait, and some slack
    EXPECT_TRUE(t.WaitForExit(2000));
    EXPECT_EQ(LastText(), "'Late' was terminated.");
}

} // namespace
} // namespace qx
