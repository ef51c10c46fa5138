#pragma once
// What a command-line run did, program by program, for scripts: the lines
// the console twin prints as outcomes happen, and the JSON report that
// "/O=" writes (or, for "/L", the plan).
#include "core/engine/IKillObserver.h"
#include "core/engine/cApplicationProcs.h"
#include "core/platform/IClock.h"
#include "core/platform/IProcessWindowServices.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace qx {

class cRunReport final : public IKillObserver {
public:
    // Raised whenever a field changes meaning; scripts check it.
    static constexpr int kFormatVersion = 1;
    using LineSink = std::function<void(const std::string& line)>;

    struct Program {
        std::string title;
        std::string exePath;
        std::uint32_t processId = 0; // 0: no running program
        std::int32_t waitSeconds = 0;
        bool force = false;
        bool stopOnFailure = false;
        bool everyInstance = false;
        std::optional<KillOutcome> outcome; // none: planned, not yet acted on
        std::uint32_t milliseconds = 0;
        bool open = false; // the program last started, until the next one
    };

    cRunReport(IProcessWindowServices& os, IClock& clock, std::string commandLine, bool preview);

    // Receives every outcome text as it happens.
    void SetLineSink(LineSink sink) { sink_ = std::move(sink); }
    void Starting(const cApplicationProcs& target) override;
    void Outcome(const cApplicationProcs& target, KillOutcome outcome, const std::string& text) override;
    void Planned(const cApplicationProcs& target) override;
    // Stamps the end of the run and its exit code.
    void Finish(int exitCode);

    // The report as UTF-8 JSON with every character beyond ASCII escaped, so
    // that it survives any code page a shell decodes it with.
    std::string Json() const;

private:
    Program& Add(const cApplicationProcs& entry);
    std::string IsoNow();

    IProcessWindowServices& os_;
    IClock& clock_;
    std::string commandLine_;
    bool preview_;
    std::string start_;
    std::string end_;
    int exitCode_ = 0;
    std::uint32_t startTick_ = 0;
    std::vector<Program> programs_;
    LineSink sink_;
};

} // namespace qx
