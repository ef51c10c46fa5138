#pragma once
// Program by program, what became of a kill run: the console twin prints it
// as it happens and the run report keeps it. The log keeps its own texts.
#include <string>

namespace qx {

class cApplicationProcs;

enum class KillOutcome {
    Closed,     // ended after it was asked through its windows
    Terminated, // ended by force
    NotRunning, // an entry of the set that matched no running program
    NotClosed,  // still running when its rules were spent
    Halted,     // not closed, and its "stop on failure" ended the run here
    Excluded,   // left out by "/X="
    Skipped,    // not checked in the set, or not reached after a halt
};

// The report's word for an outcome; scripts compare these, so they never change.
inline const char* KillOutcomeName(KillOutcome outcome) {
    switch (outcome) {
    case KillOutcome::Closed: return "closed";
    case KillOutcome::Terminated: return "terminated";
    case KillOutcome::NotRunning: return "not running";
    case KillOutcome::NotClosed: return "not closed";
    case KillOutcome::Halted: return "halted";
    case KillOutcome::Excluded: return "excluded";
    case KillOutcome::Skipped: return "skipped";
    }
    return "not closed";
}

class IKillObserver {
public:
    virtual ~IKillObserver() = default;
    // A running program the run would close, when it is only planned.
    virtual void Planned(const cApplicationProcs& target) = 0;
    // A running program is about to be closed (its process id is set).
    virtual void Starting(const cApplicationProcs& target) = 0;
    // What became of the program last started, or of an entry the run did not
    // close. A later outcome of the same program replaces an earlier one. The
    // text is the one the log receives; empty when the log receives none.
    virtual void Outcome(const cApplicationProcs& target, KillOutcome outcome, const std::string& text) = 0;
};

} // namespace qx
