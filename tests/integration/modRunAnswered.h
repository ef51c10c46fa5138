#pragma once
// Runs a program to its end as a user would who answers every message box it
// shows with the same button and closes each window it shows with a close box: what it
// showed and how it ended.
#include <cstdint>
#include <string>
#include <vector>

namespace qx::test {

struct AnsweredRun {
    std::uint32_t exitCode = 999;
    std::vector<std::string> boxes; // texts of its message boxes, in order
    int otherWindows = 0;           // visible windows of its own besides message boxes (closed)
};

// commandLine holds the quoted program path and its arguments; folder is its
// current folder; output (a HANDLE, inheritable) takes its standard output and
// error when given (errors, when given too, takes its standard error). A
// program still running after timeoutMs is ended with 998.
AnsweredRun RunAnswered(const std::string& commandLine, const std::string& folder, int button, void* output = nullptr,
                        std::uint32_t timeoutMs = 60000, void* errors = nullptr);

} // namespace qx::test
