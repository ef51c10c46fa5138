#pragma once
// One program: an entry of a kill set with its closing rules, and an entry of
// the inventory of running programs.
#include "core/engine/cKillContext.h"

#include <cstdint>
#include <string>

namespace qx {

// The closing rules a new entry starts with (the options' kill defaults).
struct cKillDefaults {
    std::int32_t waitSeconds = 10;
    bool forceClose = true;
    bool stopOnError = false;
    bool ignoreTitle = true;
};

class cApplicationProcs {
public:
    cApplicationProcs() = default;
    explicit cApplicationProcs(const cKillDefaults& d)
        : closeWait_(d.waitSeconds), forceClose_(d.forceClose), stopOnError_(d.stopOnError),
          ignoreTitle_(d.ignoreTitle) {}

    std::int32_t CloseWait() const { return closeWait_; }
    void SetCloseWait(std::int32_t v) { closeWait_ = v; }
    std::uint32_t ProcessID() const { return processId_; }
    void SetProcessID(std::uint32_t v) { processId_ = v; }
    std::uint32_t Handle() const { return handle_; }
    void SetHandle(std::uint32_t v) { handle_ = v; }
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& v) { title_ = v; }
    bool WinVisible() const { return winVisible_; }
    void SetWinVisible(bool v) { winVisible_ = v; }
    bool ForceClose() const { return forceClose_; }
    void SetForceClose(bool v) { forceClose_ = v; }
    bool StopOnError() const { return stopOnError_; }
    void SetStopOnError(bool v) { stopOnError_ = v; }
    bool IgnoreTitle() const { return ignoreTitle_; }
    void SetIgnoreTitle(bool v) { ignoreTitle_ = v; }
    bool Deleted() const { return deleted_; }
    void SetDeleted(bool v) { deleted_ = v; }
    bool Selected() const { return selected_; }
    void SetSelected(bool v) { selected_ = v; }
    const std::string& ExePath() const { return exePath_; }
    void SetExePath(const std::string& v) { exePath_ = v; }
    // When the listed process was started, as the inventory read it (a
    // FILETIME; 0 = unknown). A process under the same id that was started at
    // another moment is another program, whatever the clock did meanwhile.
    std::uint64_t CreationTime() const { return creationTime_; }
    void SetCreationTime(std::uint64_t v) { creationTime_ = v; }

    // Closes the process ProcessID by its rules: its windows are asked first,
    // then it is waited for, then terminated when ForceClose says so. True
    // when the process ended, also when it had ended before its turn. Every
    // outcome goes to the log and the caption.
    bool KillMe(cKillContext& k) const;
    // Whether the opened process is still the one that was listed: running,
    // of the same executable and started at the same moment, as far as the
    // platform tells.
    bool IsListedProcess(IProcessWindowServices& os, ProcessHandle h) const;

    // Milliseconds to wait for a CloseWait in seconds: never negative, never
    // beyond what the platform takes as a finite time-out.
    static std::uint32_t WaitMilliseconds(std::int32_t closeWaitSeconds);

private:
    std::int32_t closeWait_ = 10;
    std::uint32_t processId_ = 0;
    std::uint32_t handle_ = 0;
    std::string title_;
    bool winVisible_ = false;
    bool forceClose_ = true;
    bool stopOnError_ = false;
    bool ignoreTitle_ = true;
    bool deleted_ = false;
    bool selected_ = true;
    std::string exePath_;
    std::uint64_t creationTime_ = 0;
};

} // namespace qx
