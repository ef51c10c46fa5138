#pragma once
// One process of the process snapshot.
#include <cstdint>
#include <string>

namespace qx {

class cProcesses {
public:
    std::uint32_t ProcessID() const { return processId_; }
    void SetProcessID(std::uint32_t v) { processId_ = v; }
    // The last hidden top-level window met for the process; 0 when none.
    std::uint32_t hwnd() const { return hwnd_; }
    void Sethwnd(std::uint32_t v) { hwnd_ = v; }
    const std::string& ExePath() const { return exePath_; }
    void SetExePath(const std::string& v) { exePath_ = v; }
    // When the process was started (a FILETIME; 0 = unknown).
    std::uint64_t CreationTime() const { return creationTime_; }
    void SetCreationTime(std::uint64_t v) { creationTime_ = v; }
    // The process owns at least one listed visible top-level window.
    bool HasWindow() const { return hasWindow_; }
    void SetHasWindow(bool v) { hasWindow_ = v; }

private:
    std::uint32_t processId_ = 0;
    std::uint32_t hwnd_ = 0;
    std::string exePath_;
    std::uint64_t creationTime_ = 0;
    bool hasWindow_ = false;
};

} // namespace qx
