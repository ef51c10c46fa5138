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
constexpr const char* kDate = "12/6/2026 2:05:09 PM - User: ";
const std::string kBanner = "*****Error*****Error*****Error*****Error*****Error*****Error";

class LoggerTest : public ::testing::Test {
protected:
    LoggerTest() {
        fs.AddFolder(kFolder);
        fs.AddFolder("C:\\Logs");
        log.SetLogFile(kLog);
        log.SetCurrentUser("alice");
    }
    std::string File(const std::string& path) const {
        const std::string* c = fs.Contents(path);
        return c ? *c : std::string("<missing>");
    }
    fake::cMemoryFileSystem fs;
    fake::cFakeUserInterface ui;
    fake::cFakeClock clock;
    cCodePage1252 codec;
    cLogger log{fs, ui, clock, codec, kFolder};
};

TEST_F(LoggerTest, StartsSilentWithFallbackPathAndUnknownUser) {
    cLogger fresh(fs, ui, clock, codec, kFolder);
    EXPECT_EQ(fresh.LogFile(), kFallback);
    EXPECT_FALSE(fresh.LogErrors());
    EXPECT_FALSE(fresh.LogActions());
    EXPECT_FALSE(fresh.DebugMode());
    fresh.SetDebugMode(true);
    fresh.LogDebug("x");
    EXPECT_EQ(File(kFallback), "*****Debug*****\r\n12/6/2026 2:05:09 PM - User: <Unknown User>\r\nDebug: x\r\n\r\n");
}

TEST_F(LoggerTest, TwoActionEntriesAppendDateTextAndEmptyLine) {
    fs.AddFile(kLog, "old\r\n");
    log.SetLogActions(true);
    log.LogAction("Notepad was killed cleanly.");
    clock.now.second = 10;
    log.LogAction("Second");
    EXPECT_EQ(File(kLog), std::string("old\r\n") + kDate + "alice\r\nNotepad was killed cleanly.\r\n\r\n" +
                              "12/6/2026 2:05:10 PM - User: alice\r\nSecond\r\n\r\n");
    EXPECT_EQ(fs.openCount, 2); // opened and closed again for every entry
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(LoggerTest, DebugEntryShape) {
    log.SetDebugMode(true);
    log.LogDebug("Begin KillCurrentSet");
    EXPECT_EQ(File(kLog), std::string("*****Debug*****\r\n") + kDate + "alice\r\nDebug: Begin KillCurrentSet\r\n\r\n");
}

TEST_F(LoggerTest, ErrorWithTextLogsOneLineAndShowsTextOnly) {
    log.SetLogErrors(true);
    log.LogError("Unable to parse", true, {5, "cX", "ignored"});
    EXPECT_EQ(File(kLog), kBanner + "\r\n" + kDate + "alice\r\nError: Unable to parse\r\n" + kBanner + "\r\n\r\n");
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "Unable to parse");
    EXPECT_EQ(ui.boxes[0].style, kMbOk | kMbIconCritical);
    EXPECT_EQ(ui.boxes[0].title, "Quellix");
}

TEST_F(LoggerTest, ErrorWithoutTextReportsNumberLocationAndDescription) {
    log.SetLogErrors(true);
    log.LogError("", true, {999, "cSystemInfo", "Unable to locate Startup directory"});
    EXPECT_EQ(File(kLog), kBanner + "\r\n" + kDate +
                              "alice\r\nError number: 999\r\nLocation:     cSystemInfo\r\n"
                              "Unable to locate Startup directory\r\n" +
                              kBanner + "\r\n\r\n");
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text,
              "Error number: \t999\r\nLocation:     \tcSystemInfo\r\nUnable to locate Startup directory");
}

TEST_F(LoggerTest, ErrorNumbersAreClampedTo16Bits) {
    log.SetLogErrors(true);
    log.LogError("", true, {70000, "a", "b"});
    log.LogError("", false, {-70000, "a", "b"});
    log.LogError("", false, {-32768, "a", "b"});
    const std::string f = File(kLog);
    EXPECT_NE(f.find("Error number: 32767\r\n"), std::string::npos);
    EXPECT_NE(f.find("Error number: -32768\r\n"), std::string::npos);
    EXPECT_EQ(f.find("70000"), std::string::npos);
    EXPECT_EQ(ui.boxes.at(0).text.rfind("Error number: \t32767\r\n", 0), 0u);
}

TEST_F(LoggerTest, SwitchesOffTouchNothingButErrorBoxStillShows) {
    log.SetLogFile("");
    log.LogAction("a");
    log.LogDebug("d");
    log.LogError("e", false);
    EXPECT_EQ(fs.openCount, 0);
    EXPECT_TRUE(ui.boxes.empty());
    log.LogError("shown", true);
    EXPECT_EQ(fs.openCount, 0);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "shown");
    EXPECT_EQ(File(kFallback), "<missing>");
}

TEST_F(LoggerTest, EachSwitchGuardsOnlyItsOwnKind) {
    log.SetLogActions(true);
    log.LogDebug("d");
    log.LogError("e", false);
    EXPECT_EQ(fs.openCount, 0);
    log.SetLogActions(false);
    log.SetDebugMode(true);
    log.LogAction("a");
    EXPECT_EQ(fs.openCount, 0);
}

TEST_F(LoggerTest, EmptyOrBlankPathFallsBackWithOneMessage) {
    for (const std::string path : {"", "   "}) {
        SCOPED_TRACE("[" + path + "]");
        fake::cMemoryFileSystem files;
        files.AddFolder(kFolder);
        fake::cFakeUserInterface boxes;
        cLogger l(files, boxes, clock, codec, kFolder);
        l.SetLogFile(path);
        l.SetLogActions(true);
        l.LogAction("one");
        l.LogAction("two");
        ASSERT_EQ(boxes.boxes.size(), 1u);
        EXPECT_EQ(boxes.boxes[0].text,
                  "Logfile location was missing.  Sending log output to C:\\Apps\\Quellix\\error.log.");
        EXPECT_EQ(boxes.boxes[0].style, kMbOk | kMbIconInformation);
        EXPECT_EQ(l.LogFile(), kFallback);
        const std::string* f = files.Contents(kFallback);
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(*f, std::string("12/6/2026 2:05:09 PM - User: <Unknown User>\r\none\r\n\r\n") +
                          "12/6/2026 2:05:09 PM - User: <Unknown User>\r\ntwo\r\n\r\n");
        EXPECT_EQ(files.Contents(path), nullptr);
    }
}

TEST_F(LoggerTest, UnopenablePathFallsBackOnceUntilPathIsSetAgain) {
    log.SetLogFile("C:\\Missing\\q.log");
    log.SetLogErrors(true);
    log.LogError("first", false);
    log.LogError("second", false);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text,
              "Couldn't open C:\\Missing\\q.log.  Sending log output to C:\\Apps\\Quellix\\error.log.");
    const std::string f = File(kFallback);
    EXPECT_NE(f.find("Error: first\r\n"), std::string::npos);
    EXPECT_NE(f.find("Error: second\r\n"), std::string::npos);
    // Configuring the bad path again brings the message back.
    log.SetLogFile("C:\\Missing\\q.log");
    log.LogError("third", false);
    EXPECT_EQ(ui.boxes.size(), 2u);
}

TEST_F(LoggerTest, TotalFailureSwitchesEverythingOffAndReportsConfiguredPath) {
    fs.DenyWrites("C:\\Apps");
    fs.DenyWrites("C:\\Logs");
    log.SetLogActions(true);
    log.SetLogErrors(true);
    log.SetDebugMode(true);
    log.LogAction("lost");
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "Fatal logging error.  Couldn't open C:\\Logs\\Quellix.log.");
    EXPECT_EQ(ui.boxes[0].style, kMbOk | kMbIconInformation);
    EXPECT_FALSE(log.LogActions());
    EXPECT_FALSE(log.LogErrors());
    EXPECT_FALSE(log.DebugMode());
    EXPECT_EQ(log.LogFile(), kLog);
    log.LogAction("still off");
    log.LogDebug("still off");
    EXPECT_EQ(ui.boxes.size(), 1u);
    // Turning a switch on again makes the next failing open report again.
    log.SetLogActions(true);
    log.LogAction("again");
    EXPECT_EQ(ui.boxes.size(), 2u);
    EXPECT_EQ(fs.openCount, 0);
}

TEST_F(LoggerTest, ALogCallFromTheFallbackBoxLosesNoEntryAndCrashesNothing) {
    for (const bool fallbackOpens : {true, false}) {
        SCOPED_TRACE(fallbackOpens);
        fake::cMemoryFileSystem files;
        fake::cFakeUserInterface boxes;
        files.AddFolder(kFolder);
        if (!fallbackOpens) files.DenyWrites(kFolder);
        cLogger logger{files, boxes, clock, codec, kFolder};
        logger.SetLogFile("C:\\Missing\\q.log");
        logger.SetDebugMode(true);
        boxes.duringBox = [&](const fake::cFakeUserInterface::Box&) { logger.LogDebug("Unloading"); };
        logger.LogDebug("outer");
        EXPECT_EQ(boxes.boxes.size(), 1u);
        const std::string* f = files.Contents(kFallback);
        ASSERT_EQ(f != nullptr, fallbackOpens);
        if (!fallbackOpens) continue;
        const std::size_t outer = f->find("Debug: outer\r\n"), inner = f->find("Debug: Unloading\r\n");
        EXPECT_NE(inner, std::string::npos);
        EXPECT_LT(outer, inner); // the entry being written is complete before the box shows
    }
}

// A file system whose files refuse every write after the first few.
class cShortWriteFileSystem final : public IFileSystem {
public:
    explicit cShortWriteFileSystem(fake::cMemoryFileSystem& inner, int writesAllowed)
        : inner_(inner), allowed_(writesAllowed) {}
    int opened = 0, closed = 0;
    std::unique_ptr<IAppendFile> OpenAppend(const std::string& path) override {
        auto file = inner_.OpenAppend(path);
        if (!file) return nullptr;
        ++opened;
        return std::make_unique<Limited>(std::move(file), *this);
    }
    bool ReadFile(const std::string& p, std::string& b) override { return inner_.ReadFile(p, b); }
    bool WriteFile(const std::string& p, const std::string& b) override { return inner_.WriteFile(p, b); }
    bool NormalFileExists(const std::string& p) override { return inner_.NormalFileExists(p); }
    bool PathExists(const std::string& p) override { return inner_.PathExists(p); }
    bool IsDirectory(const std::string& p) override { return inner_.IsDirectory(p); }
    bool CreateDirectory(const std::string& p) override { return inner_.CreateDirectory(p); }
    bool DeleteFile(const std::string& p) override { return inner_.DeleteFile(p); }
    bool MoveFile(const std::string& f, const std::string& t) override { return inner_.MoveFile(f, t); }
    bool ReplaceFile(const std::string& f, const std::string& t) override { return inner_.ReplaceFile(f, t); }
    bool GetFileLength(const std::string& p, std::uint64_t& l) override { return inner_.GetFileLength(p, l); }

private:
    class Limited final : public IAppendFile {
    public:
        Limited(std::unique_ptr<IAppendFile> f, cShortWriteFileSystem& owner) : f_(std::move(f)), owner_(owner) {}
        ~Limited() override { ++owner_.closed; }
        bool Write(const std::string& bytes) override { return owner_.allowed_-- > 0 && f_->Write(bytes); }

    private:
        std::unique_ptr<IAppendFile> f_;
        cShortWriteFileSystem& owner_;
    };
    fake::cMemoryFileSystem& inner_;
    int allowed_;
};

TEST_F(LoggerTest, FailedWriteEndsTheEntrySilentlyAndClosesTheFile) {
    cShortWriteFileSystem shortFs(fs, 2);
    cLogger l(shortFs, ui, clock, codec, kFolder);
    l.SetLogFile(kLog);
    l.SetLogErrors(true);
    l.LogError("disk full", false);
    EXPECT_EQ(File(kLog), kBanner + "\r\n12/6/2026 2:05:09 PM - User: <Unknown User>\r\n");
    EXPECT_EQ(shortFs.opened, 1);
    EXPECT_EQ(shortFs.closed, 1);
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_TRUE(l.LogErrors()); // a write failure is not an open failure
    l.LogError("again", false);
    EXPECT_EQ(shortFs.opened, 2);
    EXPECT_EQ(shortFs.closed, 2);
}

TEST_F(LoggerTest, TextIsWrittenInTheAnsiCodePage) {
    log.SetCurrentUser("J\xC3\xBCrgen");                   // ü
    log.SetLogActions(true);
    log.LogAction("Caf\xC3\xA9 \xE2\x82\xAC \xE6\x97\xA5"); // é, euro, CJK
    EXPECT_EQ(File(kLog), std::string(kDate) + "J\xFCrgen\r\nCaf\xE9 \x80 ?\r\n\r\n");
}

TEST_F(LoggerTest, MessageTextReplacesOnlyInsideTheTable) {
    EXPECT_FALSE(log.SetMessageText(-1, "x"));
    EXPECT_FALSE(log.SetMessageText(12, "x"));
    EXPECT_TRUE(log.SetMessageText(1, "Benutzer: "));
    EXPECT_TRUE(log.SetMessageText(11, "Fatal: "));
    log.SetLogActions(true);
    log.LogAction("a");
    EXPECT_EQ(File(kLog), "12/6/2026 2:05:09 PM - Benutzer: alice\r\na\r\n\r\n");
}

TEST_F(LoggerTest, LoggingLevelTable) {
    struct Row {
        std::int16_t level;
        bool errors, actions;
    };
    for (const Row r : {Row{1, false, false}, Row{2, true, false}, Row{3, true, true}, Row{0, false, false},
                        Row{4, false, false}, Row{-1, false, false}}) {
        SCOPED_TRACE(r.level);
        log.SetLogErrors(!r.errors);
        log.SetLogActions(!r.actions);
        log.SetDebugMode(true);
        log.ApplyLoggingLevel(r.level);
        EXPECT_EQ(log.LogErrors(), r.errors);
        EXPECT_EQ(log.LogActions(), r.actions);
        EXPECT_TRUE(log.DebugMode());
    }
}

} // namespace
} // namespace qx
