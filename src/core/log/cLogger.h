#pragma once
// The program's plain-text log: action, error and debug entries, each with
// its own switch. The file is opened, appended to and closed for every entry,
// so other programs can read it while we run.
#include "core/platform/IClock.h"
#include "core/platform/IFileSystem.h"
#include "core/platform/ITextCodec.h"
#include "core/platform/IUserInterface.h"
#include "core/util/cErrorInfo.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace qx {

class cLogger {
public:
    static constexpr std::int16_t kMessageCount = 12;

    // programFolder: the folder of the executable, without a trailing backslash.
    cLogger(IFileSystem& fs, IUserInterface& ui, IClock& clock, ITextCodec& codec, std::string programFolder);

    void LogAction(const std::string& text);
    // Shows the error in a box when asked (whatever the switches), then logs it.
    void LogError(const std::string& text, bool showMessage, const cErrorInfo& error = {});
    void LogDebug(const std::string& text);

    void SetLogFile(const std::string& path) { logFile_ = path; }
    const std::string& LogFile() const { return logFile_; }
    // Replaces one fixed text; false (and nothing changed) outside 0-11.
    bool SetMessageText(std::int16_t index, const std::string& text);
    void SetLogErrors(bool on) { logErrors_ = on; }
    bool LogErrors() const { return logErrors_; }
    void SetLogActions(bool on) { logActions_ = on; }
    bool LogActions() const { return logActions_; }
    void SetDebugMode(bool on) { debugMode_ = on; }
    bool DebugMode() const { return debugMode_; }
    void SetCurrentUser(const std::string& user) { currentUser_ = user; }
    // The Logging option: 1 nothing, 2 errors, 3 errors and actions; any other value nothing.
    void ApplyLoggingLevel(std::int16_t logging);

private:
    void InitMessages();
    // The file for one entry; nullptr when neither the log nor the fallback
    // opens. `notice` receives the text that tells the user where the log
    // went, shown only once the entry is written and the file closed: the
    // box runs messages, and a log call made meanwhile must find no half-done
    // entry to disturb.
    std::unique_ptr<IAppendFile> OpenLog(std::string& notice);
    std::unique_ptr<IAppendFile> OpenLogFile(const std::string& path);
    std::string DateLine();
    // Opens the log, writes the lines with CR LF and closes it again; a failed
    // write ends the entry early without a report.
    void WriteEntry(const std::vector<std::string>& lines);

    IFileSystem& fs_;
    IUserInterface& ui_;
    IClock& clock_;
    ITextCodec& codec_;
    std::string programFolder_;
    std::array<std::string, kMessageCount> messages_;
    std::string logFile_;
    std::string currentUser_;
    bool logErrors_ = false;
    bool logActions_ = false;
    bool debugMode_ = false;
};

} // namespace qx
