#pragma once
// Standard output and error, for scripts that start the program. Text is
// UTF-8; each call writes one line and its line end.
#include <string>

namespace qx {

class IConsole {
public:
    virtual ~IConsole() = default;
    virtual void WriteOutput(const std::string& line) = 0;
    virtual void WriteError(const std::string& line) = 0;
    // Standard output goes to a file or a pipe rather than to a console.
    virtual bool OutputRedirected() = 0;
    // There is a console that shows what is written (the program's own or
    // the one it was started from), or output is redirected.
    virtual bool CanShowOutput() = 0;
};

} // namespace qx
