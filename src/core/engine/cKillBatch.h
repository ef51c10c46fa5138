#pragma once
// Closes several running programs at once, each by the rules of its entry:
// every pass asks all of them, and every pause and wait ends as soon as all
// of them have ended, so neither their exit times nor the pauses add up.
// Each program gets the outcome closing it alone would give, and the log gets
// the outcomes in the order of the programs.
#include "core/engine/cApplicationProcs.h"
#include "core/engine/cKillContext.h"
#include "core/engine/cTopLevelWindows.h"
#include "core/engine/mQXEndPrograms.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qx {

class cKillBatch {
public:
    // The programs must be distinct processes; they must outlive the batch.
    // With announce, the observer hears of each program's start too.
    cKillBatch(cKillContext& k, const std::vector<cApplicationProcs>& programs, bool announce = false);
    ~cKillBatch();
    cKillBatch(const cKillBatch&) = delete;
    cKillBatch& operator=(const cKillBatch&) = delete;

    // One result per program, in their order: true when its process has ended.
    std::vector<bool> Run();

    // The end-of-session query of one window may hold the run this long at
    // least, even when the program's own wait is used up.
    static constexpr std::uint32_t kMinAnswerMs = 500;

private:
    struct LogLine {
        bool debug;
        std::string text;
        KillOutcome outcome = KillOutcome::NotClosed;
    };
    struct Program {
        const cApplicationProcs* entry = nullptr;
        ProcessHandle process = 0;
        std::uint32_t waitMs = 0;
        bool windowed = false; // asked through its windows
        bool ended = false;    // seen to end during a pause
        bool force = false;    // still running after its wait, to be terminated
        bool finished = false;
        bool result = false;
        bool announced = false;
        KillOutcome endedAs = KillOutcome::Closed; // what "killed cleanly" means for it
        std::vector<LogLine> pending; // not yet written: an earlier program is not finished
    };

    void Open(Program& p);
    void AskWindows();
    // Posts WM_CLOSE to that kind of window of every program still asked.
    std::vector<Program*> PostClose(WindowKind kind);
    std::vector<Program*> AskEndSession();
    // Dispatches messages until every asked program has ended or the time is
    // up; true when all of them ended.
    bool Pause(std::uint32_t milliseconds, const std::vector<Program*>& asked);
    void WaitAll();
    void Force();
    const std::vector<WindowHandle>& WindowsOf(std::uint32_t processId);
    bool StillAsked(const Program& p) const { return p.windowed && !p.ended && !p.finished; }

    void Show(Program& p, KillOutcome outcome, const std::string& text);
    void Finish(Program& p, bool result);
    void Flush();
    std::string Quoted(const Program& p, cKillMessages::Index text) const;

    cKillContext& k_;
    std::vector<Program> programs_;
    cTopLevelWindows windows_;
    bool windowsStale_ = true;
    bool announce_;
    std::size_t written_ = 0; // programs whose every line is in the log
};

} // namespace qx
