#include "core/ui/cShortcutWizardModel.h"

#include "core/ui/modResourceText.h"
#include "core/util/modCommon.h"
#include "core/util/modText.h"

namespace qx {
namespace {

constexpr std::uint32_t kFirstTextId = 1132; // texts 1..12 are 1132..1143

bool IsSetFileName(const std::string& text) {
    if (text.size() < 4) return false;
    std::string ending = text.substr(text.size() - 4);
    for (char& c : ending)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return ending == ".qxs";
}

// Blanks and the characters cmd treats as separators or operators: a path
// holding any of them is one argument only when quoted.
std::string QuotedIfNeeded(const std::string& text) {
    return text.find_first_of(" &()[]{}^=;!'+,`~") == std::string::npos ? text : "\"" + text + "\"";
}

std::string DoublePercent(const std::string& text) {
    std::string out;
    for (char c : text) {
        out += c;
        if (c == '%') out += '%';
    }
    return out;
}

} // namespace

cShortcutWizardModel::cShortcutWizardModel(cLogger& logger, cGlobalsClass& globals, cQXUtility& utility,
                                           IStringTable& table, IUserInterface& ui, IFileSystem& fs,
                                           ITextCodec& codec, std::string programPath, ShortcutWriter shortcutWriter)
    : logger_(logger), globals_(globals), utility_(utility), table_(table), ui_(ui), fs_(fs), codec_(codec),
      programPath_(std::move(programPath)), shortcutWriter_(std::move(shortcutWriter)) {}

void cShortcutWizardModel::Form_Load() {
    for (std::size_t i = 0; i < texts_.size(); ++i)
        texts_[i] = LoadResourceText(table_, kFirstTextId + static_cast<std::uint32_t>(i));
    nextText_ = LoadResourceText(table_, kNext);
    finishText_ = LoadResourceText(table_, kFinish);
    batchNeedsShortcut_ = LoadResourceText(table_, kBatchNeedsShortcut);
    page_ = 0;
    backEnabled_ = false;
    nextCaption_ = nextText_;
    finished_ = false;
}

std::string cShortcutWizardModel::PicturePath() const {
    return GetFilePath(programPath_) + "\\graphics\\QXpic.JPG";
}

void cShortcutWizardModel::PictureLoadFailed(const cErrorInfo& error) { logger_.LogError({}, true, error); }

const std::string& cShortcutWizardModel::Text(int index) const {
    static const std::string none;
    return index >= 1 && index <= static_cast<int>(texts_.size()) ? texts_[static_cast<std::size_t>(index - 1)] : none;
}

std::string cShortcutWizardModel::Caption(TextId id) const { return LoadResourceText(table_, id); }

bool cShortcutWizardModel::Fail(int text) {
    ui_.MessageBox(Text(text), kMbOk | kMbIconCritical);
    return false;
}

bool cShortcutWizardModel::CheckPage() {
    if (page_ == 4 && target_ == Target::OneProgram) {
        if (TrimBlanks(killSetOrProgram_).empty() || !utility_.FileExists(killSetOrProgram_, false)) return Fail(7);
    } else if (page_ == 4 && target_ == Target::ProgramSet) {
        if (!IsSetFileName(killSetOrProgram_) || TrimBlanks(killSetOrProgram_).empty() ||
            !utility_.FileExists(killSetOrProgram_, false))
            return Fail(8);
    } else if (page_ == 5) {
        if (TrimBlanks(shortcutName_).empty()) return Fail(createShortcut_ ? 9 : 10);
        if (TrimBlanks(destDir_).empty() || !utility_.DirectoryExists(destDir_, false)) return Fail(11);
    }
    return true;
}

bool cShortcutWizardModel::cmdNext_Click() {
    if (!CheckPage()) return false;
    const bool namesFile = target_ == Target::OneProgram || target_ == Target::ProgramSet;
    switch (page_) {
    case 0: page_ = 2; break;
    case 2: page_ = 3; break;
    case 3: page_ = namesFile ? 4 : 5; break;
    case 4: page_ = 5; break;
    case 5:
        page_ = 1;
        nextCaption_ = finishText_;
        break;
    case 1: return WriteFile();
    default: return false;
    }
    backEnabled_ = true;
    return false;
}

void cShortcutWizardModel::cmdBack_Click() {
    const bool namesFile = target_ == Target::OneProgram || target_ == Target::ProgramSet;
    switch (page_) {
    case 2:
        page_ = 0;
        backEnabled_ = false;
        break;
    case 3: page_ = 2; break;
    case 4: page_ = 3; break;
    case 5: page_ = namesFile ? 4 : 3; break;
    case 1:
        page_ = 5;
        nextCaption_ = nextText_;
        break;
    default: break;
    }
}

std::string cShortcutWizardModel::Arguments() const {
    std::string a;
    switch (target_) {
    case Target::OneProgram: {
        // The command line takes a quoted value after the "=" as one.
        a = "/P=" + QuotedIfNeeded(cQXUtility::ExtractFileName(killSetOrProgram_, true)) + " ";
        break;
    }
    case Target::ProgramSet: a = "\"" + killSetOrProgram_ + "\" "; break;
    case Target::AllPrograms: a = "/KW "; break;
    case Target::AllProcesses: a = "/KA "; break;
    }
    if (override_) {
        a += stopKilling_ ? "/S " : "/-S ";
        a += forceClose_ ? "/F " : "/-F ";
        if (waitChecked_) a += "/W:" + std::to_string(waitSeconds_);
    }
    return a;
}

std::string cShortcutWizardModel::BatchLine() const {
    return DoublePercent(QuotedIfNeeded(programPath_) + " " + Arguments());
}

bool cShortcutWizardModel::WriteFile() {
    if (!utility_.FileExists(programPath_, false)) {
        ui_.MessageBox(Text(6) + kAppTitle + ".\r\n" + Text(12), kMbOk | kMbIconCritical);
        return false;
    }
    if (destDir_.empty() || destDir_.back() != '\\') destDir_ += '\\';
    // Why it failed, in the words of the writer or the file system; the path
    // only when neither has any.
    std::string failure;
    bool written = false;
    if (createShortcut_) {
        const ShortcutLink link{destDir_ + shortcutName_ + ".lnk", programPath_, Arguments()};
        written = shortcutWriter_ && shortcutWriter_(link, failure);
        if (failure.empty()) failure = link.linkPath;
    } else {
        // cmd.exe reads a batch file in the console's code page, the OEM one
        // unless the user changed it; a line it cannot hold is not written.
        std::string line;
        if (!codec_.ToOem(BatchLine() + "\r\n", line)) {
            ui_.MessageBox(batchNeedsShortcut_, kMbOk | kMbIconCritical);
            return false;
        }
        const std::string batchPath = destDir_ + shortcutName_ + ".bat";
        written = fs_.WriteFile(batchPath, line);
        if (!written) failure = fs_.LastErrorDescription();
        if (failure.empty()) failure = batchPath;
    }
    if (!written) {
        logger_.LogError(failure + ": " + Text(12), true);
        page_ = 0;
        backEnabled_ = false;
        nextCaption_ = nextText_;
        return false;
    }
    finished_ = true;
    return true;
}

void cShortcutWizardModel::cmdBrowseKillSet_Click() {
    FileDialogRequest request;
    request.kind = FileDialogRequest::Kind::Open;
    request.initialFolder = globals_.sBrowsePath();
    const bool program = target_ == Target::OneProgram;
    request.filter = program ? Text(3) + "(*.*;)|*.*;" : Text(4) + "(*.qxs;)|*.qxs;";
    request.title = program ? Text(1) : Text(2);
    request.flags = kOfnHideReadOnly;
    std::string chosen;
    if (!ui_.ShowFileDialog(request, chosen) || chosen.empty()) return;
    killSetOrProgram_ = chosen;
    globals_.SetsBrowsePath(cQXUtility::ExtractPath(chosen));
}

void cShortcutWizardModel::cmdBrowseForShorcutDir_Click(WindowHandle owner) {
    std::string title = Text(5);
    const std::string folder = utility_.BrowseForFolder(owner, title);
    if (!folder.empty()) destDir_ = folder;
}

} // namespace qx
