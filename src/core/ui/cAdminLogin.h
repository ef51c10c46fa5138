#pragma once
// The administrator login dialog without its window: the texts it shows and
// the check of a typed password against the stored hash. The dialog renders
// the texts, forwards OK and Cancel, and closes when OK succeeds or on Cancel.
#include "core/platform/IStringTable.h"
#include "core/platform/IUserInterface.h"

#include <cstdint>
#include <string>

namespace qx {

class cAdminLogin {
public:
    // The load: texts from the string table and the stored hash (AdminPassword).
    cAdminLogin(IStringTable& strings, IUserInterface& ui, std::int32_t storedHash);

    const std::string& Caption() const { return caption_; }
    const std::string& PasswordLabel() const { return label_; }
    const std::string& OkText() const { return ok_; }
    const std::string& CancelText() const { return cancel_; }

    // The text exactly as typed. True when it is the password: the dialog
    // ends. Otherwise the user is told and the dialog stays open, with the
    // password box focused and all of its text selected.
    bool cmdOK_Click(const std::string& typed);
    // Cancel and closing the window by its frame alike.
    void cmdCancel_Click();

    bool LoginSucceeded() const { return succeeded_; }

private:
    IUserInterface& ui_;
    std::int32_t storedHash_;
    std::string caption_, label_, ok_, cancel_, invalid_, boxTitle_;
    bool succeeded_ = false;
};

} // namespace qx
