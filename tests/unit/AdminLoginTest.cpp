#include "core/settings/modPasswordHash.h"
#include "core/ui/cAdminLogin.h"
#include "core/ui/cBuiltinStringTable.h"
#include "fake/cFakeUserInterface.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

TEST(AdminLogin, OnlyTheExactPasswordOpensAndEachWrongOneIsToldAndRetried) {
    const std::int32_t secret = PasswordHash("Secret 1");
    const struct {
        std::int32_t stored; // 0 and -1: no password was ever set
        const char* typed;
        bool opens;
    } cases[] = {{secret, "Secret 1", true}, {secret, "Secret 1 ", false}, {secret, "secret 1", false},
                 {secret, "", false},        {PasswordHash(""), "", true}, {0, "", true},
                 {0, "0", false},            {-1, "", true},               {-1, "-1", false}};
    for (const auto& c : cases) {
        cBuiltinStringTable strings;
        fake::cFakeUserInterface ui;
        cAdminLogin login(strings, ui, c.stored);
        EXPECT_EQ(login.cmdOK_Click(c.typed), c.opens) << c.typed;
        if (!c.opens) login.cmdCancel_Click();
        EXPECT_EQ(login.LoginSucceeded(), c.opens) << c.typed;
        EXPECT_EQ(ui.boxes.size(), c.opens ? 0u : 1u);
        for (const auto& box : ui.boxes) EXPECT_EQ(box.title + ": " + box.text, "Login: Invalid Password, try again!");
    }
}

} // namespace
} // namespace qx
