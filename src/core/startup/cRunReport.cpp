#include "core/startup/cRunReport.h"

#include <nlohmann/json.hpp>

#include <cstdio>

namespace qx {

cRunReport::cRunReport(IProcessWindowServices& os, IClock& clock, std::string commandLine, bool preview)
    : os_(os), clock_(clock), commandLine_(std::move(commandLine)), preview_(preview) {
    start_ = IsoNow();
}

std::string cRunReport::IsoNow() {
    const LocalDateTime t = clock_.UtcNow();
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02dZ", t.year, t.month, t.day, t.hour, t.minute,
                  t.second);
    return text;
}

cRunReport::Program& cRunReport::Add(const cApplicationProcs& entry) {
    for (Program& p : programs_) p.open = false;
    Program p;
    p.title = entry.Title();
    p.exePath = entry.ExePath();
    p.processId = entry.ProcessID();
    p.waitSeconds = entry.CloseWait();
    p.force = entry.ForceClose();
    p.stopOnFailure = entry.StopOnError();
    p.everyInstance = entry.IgnoreTitle();
    programs_.push_back(std::move(p));
    return programs_.back();
}

void cRunReport::Starting(const cApplicationProcs& target) {
    Program& p = Add(target);
    p.open = true;
    p.outcome = KillOutcome::NotClosed; // until it is told otherwise
    startTick_ = os_.GetTickCount();
}

void cRunReport::Outcome(const cApplicationProcs& target, KillOutcome outcome, const std::string& text) {
    if (sink_ && !text.empty()) sink_(text);
    const bool same = !programs_.empty() && programs_.back().open && programs_.back().processId == target.ProcessID();
    Program& p = same ? programs_.back() : Add(target);
    p.outcome = outcome;
    if (same) p.milliseconds = os_.GetTickCount() - startTick_;
}

void cRunReport::Planned(const cApplicationProcs& target) { Add(target); }

void cRunReport::Finish(int exitCode) {
    for (Program& p : programs_) p.open = false;
    exitCode_ = exitCode;
    end_ = IsoNow();
}

std::string cRunReport::Json() const {
    using json = nlohmann::ordered_json;
    json programs = json::array();
    for (const Program& p : programs_) {
        programs.push_back({
            {"title", p.title},
            {"exePath", p.exePath},
            {"processId", p.processId == 0 ? json(nullptr) : json(p.processId)},
            {"rules",
             {{"waitSeconds", p.waitSeconds},
              {"force", p.force},
              {"stopOnFailure", p.stopOnFailure},
              {"everyInstance", p.everyInstance}}},
            {"outcome", p.outcome ? json(KillOutcomeName(*p.outcome)) : json(nullptr)},
            {"milliseconds", p.outcome ? json(p.milliseconds) : json(nullptr)},
        });
    }
    const json report = {
        {"formatVersion", kFormatVersion},
        {"commandLine", commandLine_},
        {"preview", preview_},
        {"start", start_},
        {"end", end_},
        {"exitCode", exitCode_},
        {"programs", programs},
    };
    // A title the system handed over with broken UTF-8 must not cost the report.
    return report.dump(2, ' ', true, json::error_handler_t::replace);
}

} // namespace qx
