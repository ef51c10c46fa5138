#include "core/settings/modPasswordHash.h"
#include "core/ui/cAdminLogin.h"
#include "core/ui/cBuiltinStringTable.h"
#include "fake/cFakeUserInterface.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

TEST(AdminLogin, OnlyTheExactPasswordOpensAndEachWrongOneIsToldAndRetried) {
    const std::int32_t secret = PasswordHash("Secret 1");
    // The stored hash (0 and -1: no password was ever set), what is typed, and whether it opens.
    const std::tuple<std::int32_t, const char*, bool> cases[] = {
        {secret, "Secret 1", true}, {secret, "Secret 1 ", false}, {secret, "secret 1", false}, {secret, "", false},
        {PasswordHash(""), "", true}, {0, "", true}, {0, "0", false}, {-1, "", true}, {-1, "-1", false}};
    for (const auto& [stored, typed, opens] : cases) {
        cBuiltinStringTable strings;
        fake::cFakeUserInterface ui;
        cAdminLogin login(strings, ui, stored);
        EXPECT_EQ(login.cmdOK_Click(typed), opens) << typed;
        if (!opens) login.cmdCancel_Click();
        EXPECT_EQ(login.LoginSucceeded(), opens) << typed;
        EXPECT_EQ(ui.boxes.size(), opens ? 0u : 1u);
        for (const auto& box : ui.boxes) EXPECT_EQ(box.title + ": " + box.text, "Login: Invalid Password, try again!");
    }
}

} // namespace
} // namespace qx
