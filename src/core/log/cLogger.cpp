#include "core/log/cLogger.h"

#include <algorithm>
#include <cstdio>
#include <limits>

namespace qx {

namespace {

bool IsBlank(const std::string& s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return c == ' '; });
}

// Error numbers are reported as 16-bit values; larger ones are clamped rather than wrapped.
std::int16_t Clamp16(std::int32_t n) {
    return static_cast<std::int16_t>(std::clamp<std::int32_t>(n, std::numeric_limits<std::int16_t>::min(),
                                                              std::numeric_limits<std::int16_t>::max()));
}

// The line in the ANSI code page. A character the code page lacks is written
// as its code point, "<U+03A9>", so that a title or path outside the code
// page still reads whole in the log instead of as question marks.
std::string ToLogText(ITextCodec& codec, const std::string& line) {
    std::string ansi = codec.ToAnsi(line);
    if (codec.FromAnsi(ansi) == line) return ansi;
    ansi.clear();
    for (std::size_t i = 0; i < line.size();) {
        const auto lead = static_cast<unsigned char>(line[i]);
        const std::size_t length = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        const std::string character = line.substr(i, length);
        const std::string converted = codec.ToAnsi(character);
        if (codec.FromAnsi(converted) == character) {
            ansi += converted;
        } else {
            std::uint32_t point = length == 1 ? lead : lead & (0x7Fu >> length);
            for (std::size_t k = 1; k < character.size(); ++k)
                point = (point << 6) | (static_cast<unsigned char>(character[k]) & 0x3Fu);
            char text[16];
            std::snprintf(text, sizeof text, "<U+%04X>", static_cast<unsigned>(point));
            ansi += text;
        }
        i += length;
    }
    return ansi;
}

} // namespace

cLogger::cLogger(IFileSystem& fs, IUserInterface& ui, IClock& clock, ITextCodec& codec, std::string programFolder)
    : fs_(fs), ui_(ui), clock_(clock), codec_(codec), programFolder_(std::move(programFolder)) {
    InitMessages();
    logFile_ = programFolder_ + "\\error.log";
    currentUser_ = messages_[0];
}

void cLogger::InitMessages() {
    messages_ = {"<Unknown User>",
                 "User: ",
                 "Error number: ",
                 "Location:     ",
                 "*****Error",
                 "Error: ",
                 "*****Debug*****",
                 "Debug: ",
                 "Logfile location was missing.  Sending log output to ",
                 "Couldn't open ",
                 ".  Sending log output to ",
                 "Fatal logging error.  Couldn't open "};
}

void cLogger::ApplyLoggingLevel(std::int16_t logging) {
    logErrors_ = logging == 2 || logging == 3;
    logActions_ = logging == 3;
}

void cLogger::LogAction(const std::string& text) {
    if (!logActions_) return;
    WriteEntry({DateLine(), text, ""});
}

void cLogger::LogDebug(const std::string& text) {
    if (!debugMode_) return;
    WriteEntry({messages_[6], DateLine(), messages_[7] + text, ""});
}

void cLogger::LogError(const std::string& text, bool showMessage, const cErrorInfo& error) {
    const std::string number = std::to_string(Clamp16(error.number));
    if (showMessage) {
        const std::string prompt = !text.empty() ? text
                                                 : messages_[2] + "\t" + number + "\r\n" + messages_[3] + "\t" +
                                                       error.source + "\r\n" + error.description;
        ui_.MessageBox(prompt, kMbOk | kMbIconCritical);
    }
    if (!logErrors_) return;
    std::string banner;
    for (int i = 0; i < 6; ++i) banner += messages_[4];
    std::vector<std::string> lines{banner, DateLine()};
    if (text.empty()) {
        lines.push_back(messages_[2] + number);
        lines.push_back(messages_[3] + error.source);
        lines.push_back(error.description);
    } else {
        lines.push_back(messages_[5] + text);
    }
    lines.push_back(banner);
    lines.push_back("");
    WriteEntry(lines);
}

std::string cLogger::DateLine() {
    return clock_.FormatGeneralDate(clock_.Now()) + " - " + messages_[1] + currentUser_;
}

void cLogger::WriteEntry(const std::vector<std::string>& lines) {
    std::string notice;
    {
        const std::unique_ptr<IAppendFile> file = OpenLog(notice);
        for (const std::string& line : lines) {
            if (!file || !file->Write(ToLogText(codec_, line) + "\r\n")) break;
        }
    }
    if (!notice.empty()) ui_.MessageBox(notice, kMbOk | kMbIconInformation);
}

std::unique_ptr<IAppendFile> cLogger::OpenLog(std::string& notice) {
    if (auto file = OpenLogFile(logFile_)) return file;
    const std::string fallback = programFolder_ + "\\error.log";
    notice = IsBlank(logFile_) ? messages_[8] + fallback + "." : messages_[9] + logFile_ + messages_[10] + fallback + ".";
    auto file = OpenLogFile(fallback);
    if (file) {
        logFile_ = fallback;
    } else {
        notice = messages_[11] + logFile_ + ".";
        logActions_ = false;
        debugMode_ = false;
        logErrors_ = false;
    }
    return file;
}

std::unique_ptr<IAppendFile> cLogger::OpenLogFile(const std::string& path) {
    // A blank path names no file; Windows refuses it too, but do not rely on every file system to.
    if (IsBlank(path)) return nullptr;
    return fs_.OpenAppend(path);
}

} // namespace qx
