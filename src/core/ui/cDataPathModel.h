#pragma once
// What the Select Default Data Directory dialog does: where its drive and
// folder lists start, what happens when a drive cannot be shown, and what OK
// stores. The window owns the lists and forwards their events here.
#include "core/log/cLogger.h"
#include "core/platform/IFileSystem.h"
#include "core/platform/IStringTable.h"
#include "core/platform/IUserInterface.h"
#include "core/settings/cQuellixOptions.h"
#include "core/util/cErrorInfo.h"

#include <cstdint>
#include <functional>
#include <string>

namespace qx {

class cDataPathModel {
public:
    enum TextId : std::uint32_t { kCaption = 1195, kDestinationLabel = 1196, kNotReady = 1197, kOk = 101, kCancel = 102 };
    // How showing a drive in the folder list went.
    enum class DriveShow { Shown, NotReady, Failed };
    // What the window does after a drive change: nothing more, put the drive
    // list back on LastGoodDrive(), or close without changing the option.
    enum class DriveChange { Shown, BackToLastGood, Close };
    // Shows the drive's current folder in the folder list; fills error on Failed.
    using ShowDrive = std::function<DriveShow(const std::string& driveText, cErrorInfo& error)>;

    // programFolder: the folder of the executable, without a trailing backslash.
    cDataPathModel(cQuellixOptions& options, cLogger& logger, IStringTable& table, IUserInterface& ui,
                   IFileSystem& fs, std::string programFolder);

    // Load: an empty or unusable DefaultDataPath becomes the program folder
    // (in the options too, even if the dialog is cancelled).
    void Form_Load();
    // The folder the folder list is positioned on at load.
    const std::string& StartFolder() const { return options_.DefaultDataPath(); }
    // The drive the drive list selects at load: the first character of StartFolder().
    std::string StartDriveLetter() const;
    // The drive text the drive list shows after a successful selection.
    void SetLastGoodDrive(std::string driveText) { lastGoodDrive_ = std::move(driveText); }
    const std::string& LastGoodDrive() const { return lastGoodDrive_; }
    // Drive1 change: shows the drive, asking Retry/Cancel while it is not ready.
    DriveChange Drive1_Change(const std::string& driveText, const ShowDrive& showDrive);
    // OK: the folder selected in the folder list becomes DefaultDataPath.
    void cmdOk_Click(const std::string& selectedFolder);

private:
    // The not-ready question for a drive text.
    std::string NotReadyText(const std::string& driveText) const;
    cQuellixOptions& options_;
    cLogger& logger_;
    IStringTable& table_;
    IUserInterface& ui_;
    IFileSystem& fs_;
    const std::string programFolder_;
    std::string notReady_;
    std::string lastGoodDrive_;
};

} // namespace qx
