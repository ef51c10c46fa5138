#include "core/settings/modPasswordHash.h"
#include "core/ui/cAdminLogin.h"
#include "core/ui/cBuiltinStringTable.h"
#include "fake/cFakeUserInterface.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

class AdminLogin : public ::testing::Test {
protected:
    cBuiltinStringTable strings;
    fake::cFakeUserInterface ui;
};

TEST_F(AdminLogin, ShowsItsTextsFromTheStringTable) {
    cAdminLogin login(strings, ui, PasswordHash("x"));
    EXPECT_EQ(login.Caption(), "Admin Login");
    EXPECT_EQ(login.PasswordLabel(), "&Password:");
    EXPECT_EQ(login.OkText(), "OK");
    EXPECT_EQ(login.CancelText(), "Cancel");
    EXPECT_FALSE(login.LoginSucceeded());
    EXPECT_FALSE(login.Finished());
}

TEST_F(AdminLogin, RightPasswordAsTypedSucceedsAtOnceWithoutAMessage) {
    cAdminLogin login(strings, ui, PasswordHash("Secret 1"));
    EXPECT_TRUE(login.cmdOK_Click("Secret 1"));
    EXPECT_TRUE(login.LoginSucceeded());
    EXPECT_TRUE(login.Finished());
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(AdminLogin, WrongAttemptsKeepTheDialogOpenUntilTheRightOne) {
    cAdminLogin login(strings, ui, PasswordHash("Secret 1"));
    // Not trimmed, case matters, and nothing is a prefix match.
    for (const char* wrong : {"Secret 1 ", "secret 1", "Secret"}) {
        EXPECT_FALSE(login.cmdOK_Click(wrong)) << wrong;
        EXPECT_FALSE(login.Finished());
        EXPECT_FALSE(login.LoginSucceeded());
    }
    ASSERT_EQ(ui.boxes.size(), 3u);
    for (const auto& box : ui.boxes) {
        EXPECT_EQ(box.text, "Invalid Password, try again!");
        EXPECT_EQ(box.title, "Login");
        EXPECT_EQ(box.style, kMbOk);
    }
    EXPECT_EQ(login.FailedAttempts(), 3);
    EXPECT_TRUE(login.cmdOK_Click("Secret 1"));
    EXPECT_TRUE(login.LoginSucceeded());
}

TEST_F(AdminLogin, CancelEndsWithoutSuccessEvenAfterWrongAttempts) {
    cAdminLogin login(strings, ui, PasswordHash("pw"));
    login.cmdOK_Click("nope");
    login.cmdCancel_Click();
    EXPECT_TRUE(login.Finished());
    EXPECT_FALSE(login.LoginSucceeded());
}

TEST_F(AdminLogin, EmptyPasswordMatchesOnlyItsOwnHashOrNoPasswordAtAll) {
    cAdminLogin withEmpty(strings, ui, PasswordHash(""));
    EXPECT_TRUE(withEmpty.cmdOK_Click(""));

    cAdminLogin withPassword(strings, ui, PasswordHash("pw"));
    EXPECT_FALSE(withPassword.cmdOK_Click(""));

    // 0 and -1 both mean no password was set: only the empty text opens it.
    for (std::int32_t none : {0, -1}) {
        cAdminLogin login(strings, ui, none);
        EXPECT_FALSE(login.cmdOK_Click("0")) << none;
        EXPECT_FALSE(login.cmdOK_Click("-1")) << none;
        EXPECT_TRUE(login.cmdOK_Click("")) << none;
    }
}

} // namespace
} // namespace qx
