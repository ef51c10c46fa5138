#include "core/engine/cApplicationProcs.h"

#include "core/engine/cKillBatch.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace qx {
namespace {

constexpr std::int64_t kMaxWaitMs = 0x7FFFFFFE; // 0xFFFFFFFF would mean "forever"

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

std::string FileNamePart(const std::string& path) {
    const auto pos = path.find_last_of('\\');
    return pos == std::string::npos ? path : path.substr(pos + 1);
}

// The same executable, allowing for the bare names some process services report.
bool SameExecutable(const std::string& listed, const std::string& running) {
    const bool listedHasFolder = listed.find('\\') != std::string::npos;
    const bool runningHasFolder = running.find('\\') != std::string::npos;
    if (listedHasFolder && runningHasFolder) return Lower(listed) == Lower(running);
    return Lower(FileNamePart(listed)) == Lower(FileNamePart(running));
}

} // namespace

std::uint32_t cApplicationProcs::WaitMilliseconds(std::int32_t closeWaitSeconds) {
    const std::int64_t ms = static_cast<std::int64_t>(closeWaitSeconds) * 1000;
    return static_cast<std::uint32_t>(std::clamp<std::int64_t>(ms, 0, kMaxWaitMs));
}

bool cApplicationProcs::IsListedProcess(IProcessWindowServices& os, ProcessHandle h) const {
    // A process that has ended stays openable while anybody holds a handle to
    // it; it is as gone as one that cannot be opened.
    if (os.WaitForSingleObject(h, 0) == kWaitObject0) return false;
    // Process ids are reused: the id may now belong to a program started since
    // the list was taken. Compare what can be compared; what the platform does
    // not report cannot be held against the process. The moment of creation
    // must be equal, not merely earlier than the list: the clock may have been
    // set back since.
    std::string running;
    if (!exePath_.empty() && os.QueryProcessImagePath(h, running) && !SameExecutable(exePath_, running)) return false;
    std::uint64_t created = 0;
    return creationTime_ == 0 || !os.QueryProcessCreationTime(h, created) || created == creationTime_;
}

bool cApplicationProcs::KillMe(cKillContext& k) const {
    const std::vector<cApplicationProcs> alone{*this};
    return cKillBatch(k, alone).Run().front();
}

} // namespace qx
