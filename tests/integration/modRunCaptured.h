#pragma once
// Runs a console program to its end and collects what it wrote to its
// standard output and error; for probes and benchmark listers.
#include <string>

namespace qx::test {

// False when the program could not be started. Waits at most 30 s for it to end.
bool RunCaptured(std::wstring commandLine, std::string& output, unsigned long creationFlags = 0);

// Runs a program without a console window and waits for it to end; its exit code, or -1.
long RunAndWait(std::wstring commandLine);

} // namespace qx::test
