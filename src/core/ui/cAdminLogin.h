#pragma once
// The administrator login dialog without its window: the texts it shows and
// the check of a typed password against the stored hash. The dialog renders
// the texts, forwards OK and Cancel, and closes when Finished() is true.
#include "core/platform/IStringTable.h"
#include "core/platform/IUserInterface.h"
#include "core/ui/cLayoutRect.h"

#include <cstdint>
#include <string>

namespace qx {

class cAdminLogin {
public:
    // Controls in twips, as designed.
    static constexpr cLayoutRect kLabelRect{105, 180, 1080, 270};
    static constexpr cLayoutRect kPasswordRect{1290, 165, 2325, 345};
    static constexpr cLayoutRect kOkRect{495, 660, 1140, 390};
    static constexpr cLayoutRect kCancelRect{2100, 660, 1140, 390};

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
    bool Finished() const { return finished_; }

private:
    IUserInterface& ui_;
    std::int32_t storedHash_;
    std::string caption_, label_, ok_, cancel_, invalid_, boxTitle_;
    bool succeeded_ = false;
    bool finished_ = false;
};

} // namespace qx
