#include "core/startup/cSharedObjects.h"

#include "fake/cFakePlatform.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

constexpr const char* kFolder = "C:\\Program Files\\Quellix";
constexpr const char* kOptions = "Software\\Veltrane\\Quellix\\Options";

class SharedObjects : public ::testing::Test {
protected:
    void Put(RegKey root, const std::string& path, const std::string& name, const std::string& text) {
        fake_.PutText(root, path, name, text);
    }
    void PutNumber(const std::string& name, std::int32_t n) { fake_.PutOption(name, n); }

    fake::cFakePlatform fake_{kFolder};
    cMemoryRegistry& registry = fake_.registry;
    fake::cMemoryFileSystem& fs = fake_.fs;
    cSharedObjects shared{fake_.platform, kFolder};
    cErrorInfo error;
};

TEST_F(SharedObjects, StoredOptionsConfigureTheLoggerAndTheKillDefaults) {
    fs.AddFolder("D:\\logs");
    Put(kHkeyLocalMachine, kOptions, "LogPath", "D:\\logs\\q.log");
    PutNumber("Logging", 3);
    PutNumber("DefaultWaitSeconds", 30);
    PutNumber("DefaultForceClose", 0);
    PutNumber("DefaultStopOnError", 1);
    shared.Logger().SetDebugMode(true); // as "/DEBUG" sets it before start-up
    ASSERT_TRUE(shared.MainInitialize(error));
    EXPECT_TRUE(shared.Logger().DebugMode());
    EXPECT_TRUE(shared.Logger().LogActions());
    EXPECT_TRUE(shared.Logger().LogErrors());
    shared.Logger().LogAction("hello");
    ASSERT_NE(fs.Contents("D:\\logs\\q.log"), nullptr);
    EXPECT_EQ(*fs.Contents("D:\\logs\\q.log"), "12/6/2026 2:05:09 PM - User: alice\r\nhello\r\n\r\n");
    const cKillDefaults d = shared.KillDefaults();
    EXPECT_EQ(d.waitSeconds, 30);
    EXPECT_FALSE(d.forceClose);
    EXPECT_TRUE(d.stopOnError);
}

TEST_F(SharedObjects, MissingStartupFolderEndsTheStartWithError999) {
    registry.PutRawValue(kHkeyCurrentUser, fake::cFakePlatform::kShellFolders, "Startup", RegistryValue{kRegSz, "   "});
    EXPECT_FALSE(shared.MainInitialize(error));
    EXPECT_EQ(error.number, 999);
    EXPECT_EQ(error.description, "Unable to locate Startup directory");
    RegistryValue v;
    EXPECT_FALSE(registry.Peek(kHkeyLocalMachine, kOptions, "Logging", v)) << "no option is read or stored";
}

} // namespace
} // namespace qx
