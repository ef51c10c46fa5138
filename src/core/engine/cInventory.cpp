#include "core/engine/cInventory.h"

#include "core/engine/mQXEndPrograms.h"
#include "core/sets/cKillSet.h"
#include "core/util/modCommon.h"
#include "core/util/modNumberText.h"

#include <algorithm>

namespace qx {
namespace {
// EnumProcesses' buffer doubles until the platform leaves part of it unused;
// this bounds the growth should it never do so (far beyond 32767 ids).
constexpr std::uint32_t kMaxIdBufferBytes = 1u << 20;
} // namespace

cInventory::cInventory(IProcessWindowServices& os, const cOSInfo& osInfo, cLogger& log)
    : os_(os), osInfo_(osInfo), log_(log) {}

void cInventory::RefreshLists() {
    lvProcesses_.Clear();
    lvApplications_.Clear();
    windows_.clear();
    // The process-status services give full paths; tool-help gives bare
    // names on the NT family. So every NT from version 4 on takes the
    // process-status path, current versions included, or "/P=" and saved
    // sets could never match a running program there.
    if (osInfo_.isWinNT4() || osInfo_.isWinNT4OrLater()) {
        FillProcessListNT();
    } else {
        FillProcessList95();
    }
    os_.EnumWindows([this](WindowHandle w) { return ListWindowProc(w); });
    BuildApplicationList();
    PopulateListviews();
}

void cInventory::EraseProcesses() {
    processes_.clear();
    firstPosition_.clear();
}

void cInventory::addProcess(std::uint32_t processId, const std::string& exePath, std::uint64_t creationTime) {
    cProcesses p;
    p.SetProcessID(processId);
    p.SetExePath(exePath);
    p.SetCreationTime(creationTime);
    processes_.push_back(std::move(p));
    firstPosition_.emplace(processId, static_cast<int>(processes_.size() - 1)); // keeps the first
}

int cInventory::InProcList(std::uint32_t processId) const {
    const auto it = firstPosition_.find(processId);
    return it == firstPosition_.end() ? -1 : it->second;
}

std::int16_t cInventory::FillProcessList95() {
    EraseProcesses();
    std::int16_t count = 0;
    std::vector<ToolhelpProcess> records;
    if (!os_.ToolhelpSnapshot(records)) {
        log_.LogDebug("FillProcessList95");
        return 0;
    }
    for (ToolhelpProcess& r : records) {
        if (count == kMaxProcesses) break;
        if (r.processId == ownProcessId_) continue;
        addProcess(r.processId, StripNull(r.exeFile));
        ++count;
    }
    log_.LogDebug("FillProcessList95");
    return count;
}

std::int16_t cInventory::FillProcessListNT() {
    EraseProcesses();
    log_.LogDebug("Erase mcProcesses");
    std::int16_t count = 0;

    std::vector<std::uint32_t> ids;
    std::uint32_t bufferBytes = 8;
    std::uint32_t bytesReturned = 96;
    while (bufferBytes <= bytesReturned && bufferBytes < kMaxIdBufferBytes) {
        bufferBytes *= 2;
        ids.assign(bufferBytes / 4, 0);
        os_.EnumProcesses(ids, bufferBytes, bytesReturned);
    }
    const std::size_t delivered = std::min<std::size_t>(bytesReturned / 4, ids.size());

    // From NT 6 on the image name can be read directly, far cheaper than
    // walking the module list; the module list stays the fallback.
    const bool imageNameService = osInfo_.isWinNT4OrLater() && !osInfo_.isWinNT4();
    for (std::size_t i = 0; i < delivered && count < kMaxProcesses; ++i) {
        const std::uint32_t id = ids[i];
        if (id == ownProcessId_) continue;
        const ProcessHandle h = os_.OpenProcess(kInspectAccess, id);
        if (h == 0) continue; // gone, or not ours to inspect
        std::string path;
        if ((imageNameService && os_.QueryProcessImagePath(h, path)) || os_.GetMainModulePath(h, path)) {
            // Tells the listed program from a later one under a reused id.
            std::uint64_t created = 0;
            if (!os_.QueryProcessCreationTime(h, created)) created = 0;
            addProcess(id, path, created);
            ++count;
        }
        os_.CloseHandle(h);
    }
    log_.LogDebug("FillProcessListNT Done: processes =" + FormatSignPosition(count));
    return count;
}

void cInventory::addWindow(std::uint32_t processId, WindowHandle window, const std::string& title, bool visible) {
    cWindowProcs w;
    w.SetProcessID(processId);
    w.SetHandle(window);
    w.SetTitle(title);
    w.SetVisible(visible);
    windows_.push_back(std::move(w));
}

bool cInventory::ListWindowProc(WindowHandle window) {
    const std::uint32_t pid = os_.GetWindowThreadProcessId(window);
    // Our own windows drop out here too: our process is never in the snapshot.
    if (InProcList(pid) < 0) return true;
    std::string title = os_.GetWindowText(window);
    StripNull(title);
    std::string className = GetWindowClass(os_, window);
    StripNull(className);
    if (os_.GetOwner(window) != 0 || os_.GetParent(window) != 0 || className.find("0x####") != std::string::npos ||
        title.empty()) {
        return true;
    }
    addWindow(pid, window, title, os_.IsWindowVisible(window));
    return true;
}

std::string cInventory::StripNull(std::string& text) {
    const auto nul = text.find('\0');
    if (nul != std::string::npos) text.resize(nul);
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) {
        text.clear();
    } else {
        text = text.substr(first, text.find_last_not_of(' ') - first + 1);
    }
    return text;
}

void cInventory::BuildApplicationList() {
    applications_.clear();
    cApplicationProcs entry(defaults_);
    for (const cWindowProcs& w : windows_) {
        const int k = InProcList(w.ProcessID());
        if (k < 0) continue;
        cProcesses& process = processes_[static_cast<std::size_t>(k)];
        if (!w.Visible()) {
            process.Sethwnd(w.Handle()); // a later hidden window replaces an earlier one
            continue;
        }
        process.SetHasWindow(true);
        entry.SetExePath(process.ExePath());
        entry.SetCreationTime(process.CreationTime());
        entry.SetHandle(w.Handle());
        entry.SetProcessID(w.ProcessID());
        entry.SetTitle(w.Title());
        entry.SetWinVisible(true);
        AddApplication(entry);
    }
    for (const cProcesses& p : processes_) {
        if (p.HasWindow()) continue;
        entry.SetExePath(p.ExePath());
        entry.SetCreationTime(p.CreationTime());
        entry.SetHandle(p.hwnd());
        entry.SetProcessID(p.ProcessID());
        entry.SetTitle(GetFileName(p.ExePath(), true));
        entry.SetWinVisible(false);
        AddApplication(entry);
    }
}

void cInventory::AddApplication(const cApplicationProcs& entry) {
    // Row Tags are 16-bit indexes; an inventory beyond that cannot be shown.
    if (applications_.size() >= static_cast<std::size_t>(cListViewModel::kMaxRows)) return;
    applications_.push_back(entry);
}

void cInventory::PopulateListviews() {
    for (std::size_t i = 0; i < applications_.size(); ++i) {
        const cApplicationProcs& a = applications_[i];
        cListViewModel& list = a.WinVisible() ? lvApplications_ : lvProcesses_;
        cKillSet::AddProgramSetItem(list, a.Title(), a.ExePath(), static_cast<std::int16_t>(i));
    }
    log_.LogDebug("PopulateListviews");
}

} // namespace qx
