#include "core/ui/cDataPathModel.h"

#include "core/ui/modResourceText.h"
#include "core/util/modText.h"

namespace qx {
namespace {
constexpr std::uint32_t kMbRetryCancel = 0x5;
constexpr int kIdRetry = 4;
} // namespace

cDataPathModel::cDataPathModel(cQuellixOptions& options, cLogger& logger, IStringTable& table, IUserInterface& ui,
                               IFileSystem& fs, std::string programFolder)
    : options_(options), logger_(logger), table_(table), ui_(ui), fs_(fs), programFolder_(std::move(programFolder)) {}

void cDataPathModel::Form_Load() {
    notReady_ = LoadResourceText(table_, kNotReady);
    // A folder that is gone (or whose drive is) cannot be shown: start from
    // the program folder instead, so that the dialog always opens.
    if (TrimBlanks(options_.DefaultDataPath()).empty() || !fs_.IsDirectory(options_.DefaultDataPath()))
        options_.SetDefaultDataPath(programFolder_);
}

std::string cDataPathModel::StartDriveLetter() const { return StartFolder().substr(0, 1); }

std::string cDataPathModel::NotReadyText(const std::string& driveText) const { return driveText + notReady_; }

cDataPathModel::DriveChange cDataPathModel::Drive1_Change(const std::string& driveText, const ShowDrive& showDrive) {
    for (;;) {
        cErrorInfo error;
        switch (showDrive(driveText, error)) {
        case DriveShow::Shown:
            lastGoodDrive_ = driveText;
            return DriveChange::Shown;
        case DriveShow::Failed:
            logger_.LogError({}, true, error);
            return DriveChange::Close;
        case DriveShow::NotReady:
            if (ui_.MessageBox(NotReadyText(driveText), kMbRetryCancel) != kIdRetry)
                return DriveChange::BackToLastGood;
            break;
        }
    }
}

void cDataPathModel::cmdOk_Click(const std::string& selectedFolder) { options_.SetDefaultDataPath(selectedFolder); }

} // namespace qx
