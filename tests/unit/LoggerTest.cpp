#include "core/log/cLogger.h"
#include "core/util/cCodePage1252.h"
#include "fake/cFakeClock.h"
#include "fake/cFakeUserInterface.h"
#include "fake/cMemoryFileSystem.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

constexpr const char* kFolder = "C:\\Apps\\Quellix";
constexpr const char* kLog = "C:\\Logs\\Quellix.log";
constexpr const char* kFallback = "C:\\Apps\\Quellix\\error.log";
const std::string kBanner = "*****Error*****Error*****Error*****Error*****Error*****Error\r\n";
const std::string kUnknown = "12/6/2026 2:05:09 PM - User: <Unknown User>\r\n";

class Logger : public ::testing::Test {
protected:
    Logger() { fs.AddFolder(kFolder); }
    std::string File(const std::string& path) const { return fs.Contents(path) ? *fs.Contents(path) : "<missing>"; }
    fake::cMemoryFileSystem fs;
    fake::cFakeUserInterface ui;
    fake::cFakeClock clock;
    cCodePage1252 codec;
    cLogger log{fs, ui, clock, codec, kFolder};
};

TEST_F(Logger, EachKindOfEntryHasItsTextsInTheAnsiCodePageWithWhatItLacksAsCodePoints) {
    log.SetDebugMode(true);
    log.LogDebug("before any setting"); // to the program folder, for an unknown user
    fs.AddFolder("C:\\Logs");
    log.SetLogFile(kLog);
    log.SetCurrentUser("J\xC3\xBCrgen");
    log.ApplyLoggingLevel(3);
    log.LogAction("Caf\xC3\xA9 \xE2\x82\xAC \xE6\x97\xA5 \xCE\xA9\xF0\x9F\x98\x80\x80");
    log.LogError("Unable to parse", true, {5, "cX", "ignored"});
    log.LogError("", true, {70000, "cSystemInfo", "Unable to locate Startup directory"});
    log.LogDebug("x");
    EXPECT_EQ(File(kFallback), "*****Debug*****\r\n" + kUnknown + "Debug: before any setting\r\n\r\n");
    const std::string date = "12/6/2026 2:05:09 PM - User: J\xFCrgen\r\n";
    EXPECT_EQ(File(kLog), date + "Caf\xE9 \x80 <U+65E5> <U+03A9><U+1F600><U+0080>\r\n\r\n" + kBanner + date +
                              "Error: Unable to parse\r\n" + kBanner + "\r\n" + kBanner + date +
                              "Error number: 32767\r\nLocation:     cSystemInfo\r\nUnable to locate Startup "
                              "directory\r\n" + kBanner + "\r\n*****Debug*****\r\n" + date + "Debug: x\r\n\r\n");
    EXPECT_EQ(fs.openCount, 5); // opened and closed again for every entry
    EXPECT_EQ(ui.boxes.at(0).text + std::to_string(ui.boxes.at(0).style) + "|" + ui.boxes.at(1).text,
              "Unable to parse16|Error number: \t32767\r\nLocation:     \tcSystemInfo\r\nUnable to locate Startup "
              "directory");
    log.ApplyLoggingLevel(2); // errors only
    log.SetDebugMode(false);
    log.LogAction("a");
    log.LogDebug("d");
    log.LogError("e", false);
    log.ApplyLoggingLevel(4); // nothing, as for any level but 2 and 3
    log.LogError("shown, not logged", true);
    EXPECT_EQ(fs.openCount, 6); // the error at level 2 alone
    EXPECT_NE(File(kLog).find("Error: e\r\n"), std::string::npos);
    EXPECT_EQ(ui.boxes.back().text, "shown, not logged");
}

// The notice runs messages while it is up: a log call made meanwhile must
// find the entry before it complete, and crash nothing when nothing opens.
TEST_F(Logger, ALogThatDoesNotOpenGoesToTheProgramFolderAfterOneNotice) {
    const std::string sent = ".  Sending log output to C:\\Apps\\Quellix\\error.log.";
    const struct {
        std::string path;
        bool fallbackOpens;
        std::string notice;
    } cases[] = {
        {"   ", true, "Logfile location was missing" + sent},
        {"C:\\Missing\\q.log", true, "Couldn't open C:\\Missing\\q.log" + sent},
        // Nothing opens: every switch goes off, so the second entry shows no box.
        {kLog, false, "Fatal logging error.  Couldn't open C:\\Logs\\Quellix.log."},
    };
    for (const auto& c : cases) {
        fake::cMemoryFileSystem files;
        fake::cFakeUserInterface boxes;
        files.AddFolder(kFolder);
        if (!c.fallbackOpens) files.DenyWrites("C:\\");
        cLogger l(files, boxes, clock, codec, kFolder);
        boxes.duringBox = [&](const fake::cFakeUserInterface::Box&) { l.LogAction("meanwhile"); };
        l.SetLogFile(c.path);
        l.ApplyLoggingLevel(3);
        l.SetDebugMode(true);
        l.LogAction("one");
        l.LogAction("two");
        ASSERT_EQ(boxes.boxes.size(), 1u) << c.path;
        EXPECT_EQ(boxes.boxes[0].text + std::to_string(boxes.boxes[0].style), c.notice + "64");
        const std::string* f = files.Contents(kFallback);
        const std::string written =
            kUnknown + "one\r\n\r\n" + kUnknown + "meanwhile\r\n\r\n" + kUnknown + "two\r\n\r\n";
        EXPECT_EQ(f ? *f : "<missing>", c.fallbackOpens ? written : "<missing>");
    }
}

} // namespace
} // namespace qx
