#pragma once
// What both programs do with a command line that needs no window: "/?", and
// a run of the command line from start-up to the exit code.
#include "core/platform/IConsole.h"
#include "core/platform/cPlatform.h"

#include <string>

namespace qx {

// The grammar and, after a blank line, the version line when there is one,
// where a script reads it: on the console or the redirected output; in a box
// only when neither would show it.
void ShowUsage(cPlatform& platform, IConsole& console, const std::string& versionLine = {});
// Loads a session over the command line, runs it and closes it; returns the
// exit code. consoleTwin: see cProgramSession::SetConsole.
int RunCommandLine(cPlatform& platform, IConsole& console, const std::string& programFolder,
                   const std::string& commandLine, bool consoleTwin);

} // namespace qx
