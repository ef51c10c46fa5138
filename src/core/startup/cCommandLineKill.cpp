#include "core/startup/cCommandLineKill.h"

#include "core/util/modText.h"

#include <algorithm>
#include <functional>
#include <limits>

namespace qx {
namespace {

constexpr const char* kSetExtension = ".QXS";

// The error texts of a failed conversion, as the error report names them.
constexpr const char* kTypeMismatch = "Type mismatch";
constexpr const char* kOverflow = "Overflow";

bool StartsWith(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

bool HasSwitch(const std::string& commandLine, const char* name) {
    cCommandParser parser;
    parser.Parse(commandLine, true);
    for (std::int16_t i = 0; i < parser.SlashArgCount(); ++i)
        if (parser.getSlashArg(i) == name) return true;
    return false;
}

} // namespace

bool cCommandLineKill::IsHelpRequest(const std::string& commandLine) { return HasSwitch(commandLine, "/?"); }

bool cCommandLineKill::IsPreview(const std::string& commandLine) { return HasSwitch(commandLine, "/L"); }

std::string cCommandLineKill::ReportPath(const std::string& commandLine) {
    cCommandParser parser;
    parser.Parse(commandLine, false);
    std::string path;
    for (std::int16_t i = 0; i < parser.SlashArgCount(); ++i) {
        const std::string s = parser.getSlashArg(i);
        if (StartsWith(UpperCase(s.substr(0, 3)), "/O=")) path = s.substr(3);
    }
    return path;
}

bool cCommandLineKill::ToCloseWait(const std::string& text, std::int32_t& seconds, std::string& description) {
    const std::string t = TrimBlanks(text);
    std::size_t i = 0;
    const bool negative = i < t.size() && t[i] == '-';
    if (i < t.size() && (t[i] == '-' || t[i] == '+')) ++i;
    // Beyond this the value cannot fit whatever follows; keep counting digits only.
    constexpr std::uint64_t kSaturated = std::uint64_t{1} << 40;
    std::uint64_t whole = 0;
    bool digits = false;
    for (; i < t.size() && t[i] >= '0' && t[i] <= '9'; ++i) {
        digits = true;
        whole = std::min(whole * 10 + static_cast<std::uint64_t>(t[i] - '0'), kSaturated);
    }
    int firstFraction = 0;
    bool laterFraction = false;
    if (i < t.size() && t[i] == '.') {
        for (std::size_t f = ++i; i < t.size() && t[i] >= '0' && t[i] <= '9'; ++i) {
            digits = true;
            if (i == f) firstFraction = t[i] - '0';
            else laterFraction = laterFraction || t[i] != '0';
        }
    }
    if (!digits || i != t.size()) {
        description = kTypeMismatch;
        return false;
    }
    // Half way between two numbers goes to the even one.
    if (firstFraction > 5 || (firstFraction == 5 && (laterFraction || whole % 2 == 1))) ++whole;
    const std::uint64_t limit = negative ? std::uint64_t{1} << 31 : (std::uint64_t{1} << 31) - 1;
    if (whole > limit) {
        description = kOverflow;
        return false;
    }
    seconds = negative ? static_cast<std::int32_t>(-static_cast<std::int64_t>(whole)) : static_cast<std::int32_t>(whole);
    return true;
}

bool cCommandLineKill::ParseCommand(const std::string& commandLine) {
    unusable_ = false;
    excluded_.clear();
    p_.log.LogDebug("ParseCommand " + commandLine);
    p_.set.lvProgramSet().Clear();
    bool requested = false;
    cCommandParser& args = p_.parser;
    if (args.Parse(commandLine, true)) {
        for (std::int16_t i = 0; i < args.SlashArgCount(); ++i)
            if (args.getSlashArg(i) == "/DEBUG") p_.log.SetDebugMode(true);
        p_.log.LogDebug("Command line args: " + commandLine);

        for (std::int16_t i = 0; i < args.StringArgCount(); ++i) {
            if (!LoadSet(args.getStringArg(i))) {
                // What a damaged file let through is no set of the user's
                // to offer for saving.
                p_.set.SetSetChanged(false);
                unusable_ = true;
                return false;
            }
            requested = true;
        }
        for (std::int16_t i = 0; i < args.SlashArgCount(); ++i) {
            const std::string s = args.getSlashArg(i);
            if (StartsWith(s, "/T=") || StartsWith(s, "/P=")) {
                AddMatching(s.substr(3), s[1] == 'T');
                requested = true;
            }
        }
        for (std::int16_t i = 0; i < args.SlashArgCount(); ++i) {
            const std::string s = args.getSlashArg(i);
            if (s == "/KA") {
                p_.run.KillAll(p_.inventory.lvApplications());
                p_.run.KillAll(p_.inventory.lvProcesses());
                requested = true;
            } else if (s == "/KW") {
                p_.run.KillAll(p_.inventory.lvApplications());
                requested = true;
            }
        }
        // Read whether or not anything matched: a script must not learn of
        // its bad value only on the day its program happens to run.
        if (requested && !ApplyOverrides(commandLine)) {
            // A rejected line must not leave a set that asks to be saved
            // over the user's file with half of its overrides applied.
            p_.set.SetSetChanged(false);
            unusable_ = true;
            return false;
        }
    }
    p_.set.SetSetChanged(false);
    if (!requested) {
        p_.log.LogError(p_.messages[cMessages::kUnableToParse] + " " + commandLine, true);
        unusable_ = true;
    }
    return p_.set.lvProgramSet().Count() >= 1;
}

bool cCommandLineKill::LoadSet(const std::string& argument) {
    std::string name = argument;
    if (name.size() < 4 || name.compare(name.size() - 4, 4, kSetExtension) != 0) name += kSetExtension;
    p_.set.SetSetChanged(false);
    if (p_.files.OpenProgramSet(InCurrentFolder(name), false, false)) return true;
    // A damaged set here has been reported; what it let through must not be
    // offered for saving (a Save As dialog in a run nobody watches) before a
    // namesake in the data folder would be tried.
    if (p_.set.SetChanged()) return false;
    std::string data = p_.options.DefaultDataPath();
    if (data.empty() || data.back() != '\\') {
        data += '\\';
        p_.options.SetDefaultDataPath(data);
    }
    return p_.files.OpenProgramSet(data + name, false, false);
}

std::string cCommandLineKill::InCurrentFolder(const std::string& name) {
    // The full path, so that the set file remembered at exit is found again
    // by a later start from another folder.
    const bool absolute = (name.size() >= 2 && name[1] == ':') || (!name.empty() && name[0] == '\\');
    if (absolute) return name;
    const std::string folder = p_.fs.GetCurrentDirectory();
    if (folder.empty()) return name;
    return folder.back() == '\\' ? folder + name : folder + "\\" + name;
}

void cCommandLineKill::AddMatching(const std::string& text, bool byTitle) {
    const std::string wanted = byTitle ? text : "\\" + text;
    // AddToProgramSet keeps a copy; the inventory is not changed meanwhile.
    for (const cApplicationProcs& app : p_.inventory.mcApplications()) {
        if (ContainsAnyCase(byTitle ? app.Title() : app.ExePath(), wanted)) p_.set.AddToProgramSet(app, true);
    }
}

bool cCommandLineKill::ApplyOverrides(const std::string& commandLine) {
    const auto every = [this](const std::function<void(cApplicationProcs&)>& change) {
        for (cApplicationProcs& e : p_.set.AppSet()) change(e);
    };
    cCommandParser& args = p_.parser;
    for (std::int16_t i = 0; i < args.SlashArgCount(); ++i) {
        const std::string s = args.getSlashArg(i);
        if (s == "/F" || s == "/-F") {
            every([&](cApplicationProcs& e) { e.SetForceClose(s == "/F"); });
        } else if (s == "/S" || s == "/-S") {
            every([&](cApplicationProcs& e) { e.SetStopOnError(s == "/S"); });
        } else if (s == "/I" || s == "/-I") {
            every([&](cApplicationProcs& e) { e.SetIgnoreTitle(s == "/I"); });
        } else if (StartsWith(s, "/W:")) {
            std::int32_t seconds = 0;
            std::string description;
            if (!ToCloseWait(s.substr(3), seconds, description)) {
                p_.log.LogError(p_.messages[cMessages::kUnableToParse] + " " + commandLine + " - " + description, true);
                return false;
            }
            every([&](cApplicationProcs& e) { e.SetCloseWait(seconds); });
        } else if (StartsWith(s, "/X=")) {
            Exclude(s.substr(3));
        }
    }
    return true;
}

bool cCommandLineKill::ContainsAnyCase(const std::string& text, const std::string& part) {
    // The line arrives with only ASCII and Latin-1 in upper case; a Greek or
    // Cyrillic title must match in whatever case it was typed.
    return Contains(p_.text.UpperCase(text), p_.text.UpperCase(part));
}

void cCommandLineKill::Exclude(const std::string& text) {
    cListViewModel& rows = p_.set.lvProgramSet();
    for (std::int16_t row = rows.Count(); row >= 1; --row) {
        const cApplicationProcs* e = p_.set.EntryOfRow(row);
        if (e == nullptr || !ContainsAnyCase(e->ExePath(), text)) continue;
        const std::string path = e->ExePath();
        excluded_.insert(excluded_.begin(), *e); // rows go from the last up
        rows.Remove(row);
        p_.log.LogDebug("Exclude arg = '" + text + "'  Path = '" + path + "'");
    }
}

} // namespace qx
