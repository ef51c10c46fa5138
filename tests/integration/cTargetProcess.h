#pragma once
// Starts tests/targets/qxtarget.exe with the given arguments and waits until
// its windows exist; ends it on destruction if it still runs.
//   cTargetProcess t({"--title", "Editor", "--window", "popup"});
//   ASSERT_TRUE(t.Ready());
#include <cstdint>
#include <string>
#include <vector>

namespace qx::test {

// Full Windows path of a program the build put beside the tests.
std::string BinPath(const std::string& name);

class cTargetProcess {
public:
    // readyTimeoutMs bounds the wait for the ready file. The target's own
    // --ready option is added here; don't pass one. exePath runs a copy of
    // qxtarget.exe under another name instead.
    explicit cTargetProcess(const std::vector<std::string>& args, std::uint32_t readyTimeoutMs = 10000,
                            const std::string& exePath = ExePath());
    ~cTargetProcess();
    cTargetProcess(const cTargetProcess&) = delete;
    cTargetProcess& operator=(const cTargetProcess&) = delete;

    bool Ready() const { return ready_; } // started and its windows exist
    std::uint32_t Pid() const { return pid_; }
    // Window handles in creation order, as the target reported them.
    const std::vector<std::uint32_t>& Windows() const { return windows_; }
    bool Running() const;
    // Waits for the process to end; false when it still runs after the time.
    bool WaitForExit(std::uint32_t milliseconds) const;
    void Terminate();

    static std::string ExePath() { return BinPath("qxtarget.exe"); }

private:
    std::uintptr_t handle_ = 0;
    std::uint32_t pid_ = 0;
    bool ready_ = false;
    std::vector<std::uint32_t> windows_;
};

} // namespace qx::test
