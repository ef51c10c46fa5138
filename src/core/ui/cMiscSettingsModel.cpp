#include "core/ui/cMiscSettingsModel.h"

#include "core/settings/modPasswordHash.h"
#include "core/ui/modResourceText.h"
#include "core/ui/modWaitField.h"
#include "core/util/modCommon.h"
#include "core/util/modText.h"

namespace qx {
namespace {

constexpr std::uint32_t kTextIds[7] = {1148, 1149, 1150, 1151, 1152, 1153, 1154};
constexpr const char* kNotepad = "Notepad.exe";
constexpr std::uint32_t kMbDefButton2 = 0x100;
constexpr std::uint32_t kOfnPathMustExistHideReadOnly = kOfnPathMustExist | kOfnHideReadOnly; // 2052
// Shown masked in place of a stored password, which exists only as a hash.
// Two different texts, so that an untouched pair never reads as a new password.
constexpr const char* kPlaceholder1 = "38104";
constexpr const char* kPlaceholder2 = "72956";

} // namespace

cMiscSettingsModel::cMiscSettingsModel(cQuellixOptions& options, cLogger& logger, cGlobalsClass& globals,
                                       IStringTable& table, IUserInterface& ui, IFileSystem& fs, IShell& shell)
    : options_(options), logger_(logger), globals_(globals), table_(table), ui_(ui), fs_(fs), shell_(shell) {}

void cMiscSettingsModel::Form_Load() {
    for (std::size_t i = 0; i < texts_.size(); ++i) texts_[i] = LoadResourceText(table_, kTextIds[i]);
    tab_ = kTabSettings;
    showSplash_ = options_.ShowSplash();
    waitText_ = std::to_string(options_.DefaultWaitSeconds());
    forceClose_ = options_.DefaultForceClose();
    stopOnError_ = options_.DefaultStopOnError();
    ignoreTitle_ = options_.DefaultIgnoreTitle();
    requirePassword_ = options_.RequireAdminLogin();
    // 0 and -1 both mean that no password was ever set: the boxes stay empty
    // and count as typed, so that "Require password" without one is caught
    // here rather than locking the user out at the next start.
    const std::int32_t stored = options_.AdminPassword();
    if (stored == 0 || stored == -1) {
        password1_.clear();
        password2_.clear();
        passwordChanged_ = true;
    } else {
        password1_ = kPlaceholder1;
        password2_ = kPlaceholder2;
        passwordChanged_ = false;
    }
    logTypeIndex_ = 0;
    for (std::size_t i = 0; i < kLogTypeValues.size(); ++i)
        if (kLogTypeValues[i] == options_.Logging()) logTypeIndex_ = static_cast<int>(i);
    logFilePath_ = options_.LogPath();
}

void cMiscSettingsModel::Form_LoadFailed(const cErrorInfo& error) { logger_.LogError({}, true, error); }

const std::string& cMiscSettingsModel::Text(int index) const {
    static const std::string none;
    return index >= 0 && index < static_cast<int>(texts_.size()) ? texts_[static_cast<std::size_t>(index)] : none;
}

void cMiscSettingsModel::TabStrip1_Click(int tab) {
    if (tab >= kTabSettings && tab <= kTabLogging) tab_ = tab;
}

void cMiscSettingsModel::txtWait_LostFocus() { waitText_ = NormaliseWaitText(waitText_, separators_).text; }

void cMiscSettingsModel::txtPassword1_Change(std::string text) {
    password1_ = std::move(text);
    passwordChanged_ = true;
}

void cMiscSettingsModel::SetLogTypeIndex(int index) {
    if (index >= 0 && index < static_cast<int>(kLogTypeValues.size())) logTypeIndex_ = index;
}

bool cMiscSettingsModel::CheckLogFile() {
    const std::string& path = logFilePath_;
    if (globals_.FileExists(path)) return true;
    if (ui_.MessageBox(path + texts_[3], kMbYesNo | kMbIconQuestion) != kIdYes) return false;
    // Opened for appending, so a file that exists but is hidden keeps its entries.
    if (!path.empty() && fs_.OpenAppend(path) != nullptr) return true;
    ui_.MessageBox(texts_[4], kMbOk | kMbIconCritical);
    return false;
}

bool cMiscSettingsModel::CheckPassword() {
    if (!requirePassword_ || !passwordChanged_) return true;
    if (TrimBlanks(password1_).empty()) {
        ui_.MessageBox(texts_[5], kMbOk);
        return false;
    }
    if (password1_ != password2_) {
        ui_.MessageBox(texts_[6], kMbOk);
        return false;
    }
    return true;
}

cMiscSettingsModel::OkResult cMiscSettingsModel::cmdOK_Click() {
    if (!CheckLogFile()) {
        tab_ = kTabLogging;
        return OkResult::LogFileRejected;
    }
    const std::int16_t logging = kLogTypeValues[static_cast<std::size_t>(logTypeIndex_)];
    options_.SetLogging(logging);
    options_.SetLogPath(logFilePath_);
    logger_.SetLogFile(logFilePath_);
    logger_.ApplyLoggingLevel(logging);
    if (!CheckPassword()) {
        tab_ = kTabPassword;
        return OkResult::PasswordRejected;
    }
    SavePasswordSettings();
    options_.SetDefaultForceClose(forceClose_);
    options_.SetDefaultStopOnError(stopOnError_);
    options_.SetDefaultIgnoreTitle(ignoreTitle_);
    options_.SetShowSplash(showSplash_);
    const WaitField wait = NormaliseWaitText(waitText_, separators_);
    waitText_ = wait.text;
    options_.SetDefaultWaitSeconds(wait.seconds);
    return OkResult::Closed;
}

void cMiscSettingsModel::SavePasswordSettings() {
    const std::int32_t stored = options_.AdminPassword();
    // An empty box is no password at all (0), not the hash of an empty text:
    // the next opening then starts with empty boxes again.
    const std::int32_t password = !passwordChanged_ ? stored : password1_.empty() ? 0 : PasswordHash(password1_);
    const auto none = [](std::int32_t hash) { return hash == 0 || hash == -1; };
    const bool same = password == stored || (none(password) && none(stored));
    if (same && requirePassword_ == options_.RequireAdminLogin()) return;
    if (!options_.SavePasswordSettings(requirePassword_, password))
        ui_.MessageBox(LoadResourceText(table_, kPasswordRefused), kMbOk | kMbIconExclamation);
}

std::string cMiscSettingsModel::QuotedLogPath() const { return "\"" + logFilePath_ + "\""; }

std::string cMiscSettingsModel::ViewLogCommandLine() const { return std::string(kNotepad) + " " + QuotedLogPath(); }

void cMiscSettingsModel::cmdViewLog_Click(WindowHandle owner) {
    if (!CheckLogFile()) return;
    shell_.ShellExecute(owner, {}, kNotepad, QuotedLogPath(), {}, kSwShowNormal);
}

void cMiscSettingsModel::cmdDeleteLog_Click() {
    if (ui_.MessageBox(texts_[2] + logFilePath_ + "?", kMbYesNo | kMbIconQuestion | kMbDefButton2) != kIdYes)
        return;
    fs_.DeleteFile(logFilePath_); // a missing or busy file is no matter here
}

void cMiscSettingsModel::cmdBrowseLogFile_Click() {
    FileDialogRequest request;
    request.kind = FileDialogRequest::Kind::Open;
    request.title = texts_[1];
    request.initialFolder = globals_.sBrowsePath();
    request.filter = texts_[0] + "(*.log) | *.log";
    request.flags = kOfnPathMustExistHideReadOnly;
    std::string chosen;
    if (!ui_.ShowFileDialog(request, chosen)) return;
    globals_.SetsBrowsePath(GetFilePath(chosen));
    if (!chosen.empty()) logFilePath_ = chosen;
}

} // namespace qx
