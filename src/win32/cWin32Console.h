#pragma once
// Standard output and error of either program. The window program has no
// console of its own: it writes where its output was redirected, or else
// into the console it was started from, if any.
#include "core/platform/IConsole.h"

namespace qx::win32 {

class cWin32Console final : public IConsole {
public:
    cWin32Console() = default;
    ~cWin32Console() override;
    cWin32Console(const cWin32Console&) = delete;
    cWin32Console& operator=(const cWin32Console&) = delete;

    void WriteOutput(const std::string& line) override;
    void WriteError(const std::string& line) override;
    bool OutputRedirected() override;
    bool CanShowOutput() override;

private:
    void Write(unsigned long which, const std::string& line);
    // The handle for standard output or error; the parent's console when
    // there is no handle of our own. Null when there is nowhere to write.
    void* Target(unsigned long which);

    bool attachTried_ = false;
    void* consoleOut_ = nullptr; // CONOUT$ of the parent's console, owned
};

} // namespace qx::win32
