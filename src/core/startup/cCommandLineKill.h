#pragma once
// The command-line kill mode: turns a command line into the current kill set
// (set files, running programs by executable or title, kill-all, closing-rule
// overrides, exclusions). The caller then closes the set.
#include "core/engine/cInventory.h"
#include "core/engine/cKillRun.h"
#include "core/log/cLogger.h"
#include "core/platform/IFileSystem.h"
#include "core/sets/cKillSet.h"
#include "core/sets/cSetFileCommands.h"
#include "core/settings/cQuellixOptions.h"
#include "core/startup/cCommandParser.h"
#include "core/ui/cMessages.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qx {

struct cCommandLineParts {
    cCommandParser& parser;
    cKillSet& set;
    cInventory& inventory; // refreshed just before ParseCommand
    cSetFileCommands& files;
    cKillRun& run;
    cQuellixOptions& options;
    IFileSystem& fs;
    ITextCodec& text; // the platform's case mapping for /P=, /T= and /X=
    cLogger& log;
    const cMessages& messages;
};

class cCommandLineKill {
public:
    // The grammar as "/?" shows it, in the string table.
    static constexpr std::uint32_t kUsageTextId = 1190;

    explicit cCommandLineKill(const cCommandLineParts& parts) : p_(parts) {}

    // Builds the set from the command line (trimmed and in upper case, as
    // start-up passes it); true when the set holds at least one item.
    bool ParseCommand(const std::string& commandLine);
    // After a false ParseCommand: the line could not be used (it asked for
    // nothing, named a set that was not found, or had a bad "/W:" value),
    // rather than matching nothing that runs.
    bool Unusable() const { return unusable_; }
    // The entries "/X=" took out of the set.
    const std::vector<cApplicationProcs>& Excluded() const { return excluded_; }

    // "/?" anywhere among the switches.
    static bool IsHelpRequest(const std::string& commandLine);
    // "/L": show the plan and close nothing.
    static bool IsPreview(const std::string& commandLine);
    // The value of the last "/O=" with its letter case kept (a file path, or
    // "-" for standard output); empty when there is none.
    static std::string ReportPath(const std::string& commandLine);
    // The "/W:" value as a 32-bit number of seconds: blanks around it, a sign
    // and a fraction (rounded half to even) are accepted. False with the
    // error's description for anything else.
    static bool ToCloseWait(const std::string& text, std::int32_t& seconds, std::string& description);

private:
    bool LoadSet(const std::string& argument);
    void AddMatching(const std::string& text, bool byTitle);
    bool ApplyOverrides(const std::string& commandLine);
    void Exclude(const std::string& text);
    bool ContainsAnyCase(const std::string& text, const std::string& part);
    std::string InCurrentFolder(const std::string& name);

    cCommandLineParts p_;
    bool unusable_ = false;
    std::vector<cApplicationProcs> excluded_;
};

} // namespace qx
