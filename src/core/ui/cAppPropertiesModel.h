#pragma once
// What the Kill Properties dialog shows and does: the closing rules of one
// kill-set entry (or of several selected ones, through a shared copy). The
// window renders these fields and forwards its events here.
#include "core/engine/cApplicationProcs.h"

#include "core/ui/modWaitField.h"

#include <cstdint>
#include <string>

namespace qx {

class cAppPropertiesModel {
public:
    // Text ids of the dialog's captions and tooltips.
    enum TextId : std::uint32_t {
        kCaption = 1055,
        kIgnoreTitleBox = 1056,
        kStopOnErrorOption = 1057,
        kDontStopOnErrorOption = 1058,
        kStopFrameLabel = 1059,
        kIgnoreOption = 1060,
        kForceOption = 1061,
        kForceFrameLabel = 1062,
        kSecondsLabel = 1064,
        kWaitLabel = 1065,
        kProgramLabel = 1067,
        kOk = 101,
        kCancel = 102,
        kHelp = 209,
        kHelpTip = 210,
        kCancelTip = 211,
        kOkTip = 212,
    };
    static constexpr std::int16_t kHelpTopic = 109; // HID_Properties

    // Fills the fields from the entry the main window hands over (its
    // CurrentAppSet); titleText is what lblTitle shows, the entry's title or
    // the marker for several programs at once.
    cAppPropertiesModel(const cApplicationProcs& entry, std::string titleText);

    const std::string& TitleText() const { return titleText_; }
    const std::string& WaitText() const { return waitText_; }
    void SetWaitText(std::string text) { waitText_ = std::move(text); }
    // optForce is on when true, optIgnore when false.
    bool ForceClose() const { return forceClose_; }
    void SetForceClose(bool v) { forceClose_ = v; }
    // optStopOnError is on when true, optDontStopOnError when false.
    bool StopOnError() const { return stopOnError_; }
    void SetStopOnError(bool v) { stopOnError_ = v; }
    bool IgnoreTitle() const { return ignoreTitle_; }
    void SetIgnoreTitle(bool v) { ignoreTitle_ = v; }

    // txtWait lost the focus: its text becomes a number of seconds 0..7200.
    // How the user writes numbers, for reading the wait field.
    void SetNumberSeparators(NumberSeparators separators) { separators_ = std::move(separators); }
    void txtWait_LostFocus();
    // OK: normalises the wait field and returns the entry with the edited
    // rules, for the main window's SetCurrentAppSet. Cancel needs no call:
    // nothing is written back unless this result is handed on.
    cApplicationProcs cmdOK_Click();

private:
    cApplicationProcs entry_;
    std::string titleText_;
    NumberSeparators separators_;
    std::string waitText_;
    bool forceClose_;
    bool stopOnError_;
    bool ignoreTitle_;
};

} // namespace qx
