#pragma once
// What is running: the process snapshot, the top-level windows, and their
// join into the application inventory behind the Applications and Processes
// lists. RefreshLists rebuilds all of it at once, so the arrays and the two
// lists always describe the same moment.
#include "core/engine/cApplicationProcs.h"
#include "core/engine/cProcesses.h"
#include "core/engine/cWindowProcs.h"
#include "core/log/cLogger.h"
#include "core/platform/IProcessWindowServices.h"
#include "core/ui/cListViewModel.h"
#include "core/util/cOSInfo.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace qx {

class cInventory {
public:
    static constexpr std::int16_t kMaxProcesses = 32767; // the snapshot's count is 16-bit

    cInventory(IProcessWindowServices& os, const cOSInfo& osInfo, cLogger& log);

    // This program's process id (the options' ProcessID); never listed.
    std::uint32_t OwnProcessID() const { return ownProcessId_; }
    void SetOwnProcessID(std::uint32_t pid) { ownProcessId_ = pid; }
    // The closing rules new inventory entries start with; set them whenever
    // the options' kill defaults change.
    const cKillDefaults& KillDefaults() const { return defaults_; }
    void SetKillDefaults(const cKillDefaults& d) { defaults_ = d; }

    const std::vector<cProcesses>& mcProcesses() const { return processes_; }
    const std::vector<cWindowProcs>& mcWindows() const { return windows_; }
    std::vector<cApplicationProcs>& mcApplications() { return applications_; }
    const std::vector<cApplicationProcs>& mcApplications() const { return applications_; }
    cListViewModel& lvApplications() { return lvApplications_; }
    const cListViewModel& lvApplications() const { return lvApplications_; }
    cListViewModel& lvProcesses() { return lvProcesses_; }
    const cListViewModel& lvProcesses() const { return lvProcesses_; }

    void RefreshLists();

    // --- the steps of a refresh (the benchmarks and the set editor's tests run them alone) ---
    std::int16_t FillProcessList95();
    std::int16_t FillProcessListNT();
    void BuildApplicationList();
    void AddApplication(const cApplicationProcs& entry);
    void PopulateListviews();

private:
    void addProcess(std::uint32_t processId, const std::string& exePath, std::uint64_t creationTime = 0);
    // Position of the first process with that id in mcProcesses, or -1.
    int InProcList(std::uint32_t processId) const;
    void addWindow(std::uint32_t processId, WindowHandle window, const std::string& title, bool visible);
    // Window-enumeration callback; always true so that every window is visited.
    bool ListWindowProc(WindowHandle window);
    // Cuts the text at its first NUL and trims blanks, in place; returns it.
    static std::string StripNull(std::string& text);
    void EraseProcesses();

    IProcessWindowServices& os_;
    const cOSInfo& osInfo_;
    cLogger& log_;
    std::uint32_t ownProcessId_ = 0;
    cKillDefaults defaults_;
    std::vector<cProcesses> processes_;
    std::unordered_map<std::uint32_t, int> firstPosition_; // process id -> first position in processes_
    std::vector<cWindowProcs> windows_;
    std::vector<cApplicationProcs> applications_;
    cListViewModel lvApplications_{"lvApplications"};
    cListViewModel lvProcesses_{"lvProcesses"};
};

} // namespace qx
