#include "core/ui/cAdminLogin.h"

#include "core/settings/modPasswordHash.h"

namespace qx {

namespace {
std::string Text(IStringTable& strings, std::uint32_t id) {
    std::string text;
    strings.LoadString(id, text);
    return text;
}

// The options hold -1 when no password was ever stored and the settings
// dialog stores 0 for "no password"; no typed text hashes to either, so
// without this the login would lock everybody out. The empty password is
// the one that matches "none".
bool NoPasswordSet(std::int32_t hash) { return hash == 0 || hash == -1; }
} // namespace

cAdminLogin::cAdminLogin(IStringTable& strings, IUserInterface& ui, std::int32_t storedHash)
    : ui_(ui), storedHash_(storedHash), caption_(Text(strings, 1068)), label_(Text(strings, 1069)),
      ok_(Text(strings, 101)), cancel_(Text(strings, 102)), invalid_(Text(strings, 1191)),
      boxTitle_(Text(strings, 1192)) {}

bool cAdminLogin::cmdOK_Click(const std::string& typed) {
    const bool right = NoPasswordSet(storedHash_) ? typed.empty() : PasswordHash(typed) == storedHash_;
    if (right) {
        succeeded_ = true;
        return true;
    }
    ui_.MessageBox(invalid_, kMbOk, boxTitle_);
    return false;
}

void cAdminLogin::cmdCancel_Click() {
    succeeded_ = false;
}

} // namespace qx
