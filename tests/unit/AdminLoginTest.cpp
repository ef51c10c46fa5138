#include "core/settings/modPasswordHash.h"
#include "core/ui/cAdminLogin.h"
#include "core/ui/cBuiltinStringTable.h"
#include "fake/cFakeUserInterface.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

TEST(AdminLogin, OnlyTheExactPasswordOpensAndEachWrongOneIsToldAndRetried) {
    cBuiltinStringTable strings;
    fake::cFakeUserInterface ui;
    const struct {
        std::int32_t stored;
        const char* typed;
        bool opens;
    } cases[] = {
        {PasswordHash("Secret 1"), "Secret 1", true}, {PasswordHash("Secret 1"), "Secret 1 ", false},
        {PasswordHash("Secret 1"), "secret 1", false}, {PasswordHash("Secret 1"), "Secret", false},
        {PasswordHash(""), "", true}, {PasswordHash("pw"), "", false},
        // 0 and -1 both mean no password was set: only the empty text opens it.
        {0, "", true}, {0, "0", false}, {-1, "", true}, {-1, "-1", false},
    };
    for (const auto& c : cases) {
        ui.boxes.clear();
        cAdminLogin login(strings, ui, c.stored);
        EXPECT_EQ(login.cmdOK_Click(c.typed), c.opens) << c.typed;
        EXPECT_EQ(login.Finished(), c.opens) << c.typed;
        EXPECT_EQ(login.LoginSucceeded(), c.opens) << c.typed;
        if (c.opens) {
            EXPECT_TRUE(ui.boxes.empty());
            continue;
        }
        ASSERT_EQ(ui.boxes.size(), 1u);
        EXPECT_EQ(ui.boxes[0].text, "Invalid Password, try again!");
        EXPECT_EQ(ui.boxes[0].title, "Login");
        EXPECT_EQ(ui.boxes[0].style, kMbOk);
        login.cmdCancel_Click();
        EXPECT_TRUE(login.Finished());
        EXPECT_FALSE(login.LoginSucceeded());
    }
}

} // namespace
} // namespace qx
