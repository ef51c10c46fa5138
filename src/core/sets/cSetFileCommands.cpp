#include "core/sets/cSetFileCommands.h"

#include "core/sets/cSetFile.h"
#include "core/util/modCommon.h"
#include "core/util/modOleDate.h"

#include <vector>

namespace qx {

namespace {

constexpr const char* kSetFilter = "Quellix Sets (*.qxs)|*.qxs";
constexpr const char* kSetExtension = "qxs";
constexpr const char* kTempSuffix = ".tmp";

// Runtime error numbers and texts, as the error report shows them.
constexpr std::int32_t kErrOverflow = 6;
constexpr std::int32_t kErrPastEnd = 62;
constexpr std::int32_t kErrFileAccess = 75;

bool IsBlank(const std::string& s) { return s.find_first_not_of(' ') == std::string::npos; }

} // namespace

bool cSetFileCommands::OpenProgramSet(const std::string& path, bool showMessages, bool replace) {
    s_.log.LogDebug("OpenProgramSet");
    if (set_.SetChanged() && !QuerySaveChanges()) return false;
    if (replace) {
        set_.lvProgramSet().Clear();
        set_.AppSet().clear();
    }
    if (!s_.globals.FileExists(path)) return InvalidFile(path, showMessages);
    std::string bytes;
    if (!s_.fs.ReadFile(path, bytes)) return Failed(kErrFileAccess, "OpenProgramSet", "Path/File access error");

    SetFileHeader header;
    std::vector<SetFileEntry> records;
    const cSetFile::ReadResult result = cSetFile::Read(bytes, s_.codec, header, records);
    if (result == cSetFile::ReadResult::InvalidFile) return InvalidFile(path, showMessages);
    // AddToProgramSet keeps a copy, so one scratch entry serves every record;
    // what the file does not hold keeps a new entry's values.
    cApplicationProcs scratch;
    for (const SetFileEntry& r : records) {
        scratch.SetCloseWait(r.CloseWait);
        scratch.SetExePath(r.ExePath);
        scratch.SetForceClose(r.ForceClose);
        scratch.SetStopOnError(r.StopOnError);
        scratch.SetIgnoreTitle(r.IgnoreTitle);
        scratch.SetSelected(r.Selected);
        scratch.SetTitle(r.Title);
        scratch.SetWinVisible(r.WinVisible);
        set_.AddToProgramSet(scratch, !replace);
    }
    // A file cut short keeps what was read, like any other failed load.
    if (result == cSetFile::ReadResult::Truncated) return Failed(kErrPastEnd, "OpenProgramSet", "Input past end of file");
    Loaded(path);
    return true;
}

bool cSetFileCommands::ActualSetSave(const std::string& path) {
    s_.log.LogDebug("ActualSetSave");
    const cListViewModel& rows = set_.lvProgramSet();
    std::vector<SetFileEntry> records;
    records.reserve(rows.Items().size());
    // An int counter: a 16-bit one would wrap after the last of 32767 rows.
    for (int i = 1; i <= rows.Count(); ++i) {
        const auto row = static_cast<std::int16_t>(i);
        const cApplicationProcs* e = set_.EntryOfRow(row);
        if (!e) return Failed(9, "ActualSetSave", "Subscript out of range");
        SetFileEntry r;
        r.Selected = rows.Item(row)->checked;
        r.ForceClose = e->ForceClose();
        r.WinVisible = e->WinVisible();
        r.StopOnError = e->StopOnError();
        r.IgnoreTitle = e->IgnoreTitle();
        r.CloseWait = e->CloseWait();
        r.Title = e->Title();
        r.ExePath = e->ExePath();
        records.push_back(std::move(r));
    }
    std::string bytes;
    if (cSetFile::Write(OleDate(s_.clock.Now()), records, s_.codec, bytes) != cSetFile::WriteResult::Ok)
        return Failed(kErrOverflow, "ActualSetSave", "Overflow");

    // Never write over the user's file in place: a failure half-way would
    // leave neither the old set nor the new one.
    const std::string temp = path + kTempSuffix;
    if (!s_.fs.WriteFile(temp, bytes) || !s_.fs.ReplaceFile(temp, path)) {
        s_.fs.DeleteFile(temp);
        return Failed(kErrFileAccess, "ActualSetSave", "Path/File access error");
    }
    Loaded(path);
    set_.SetSetChanged(false);
    return true;
}

bool cSetFileCommands::SaveProgramSet() {
    if (set_.lvProgramSet().Count() == 0) return NothingToSave();
    if (IsBlank(currentSetFile_)) return SaveProgramSetAs();
    return ActualSetSave(currentSetFile_);
}

bool cSetFileCommands::SaveProgramSetAs() {
    if (set_.lvProgramSet().Count() == 0) return NothingToSave();
    std::string chosen;
    if (!ShowSetDialog(FileDialogRequest::Kind::Save, s_.messages[cMessages::kSaveAs], kSaveDialogFlags, chosen))
        return false;
    return ActualSetSave(chosen);
}

bool cSetFileCommands::QuerySaveChanges() {
    if (set_.lvProgramSet().Count() == 0) return true;
    switch (s_.ui.MessageBox(s_.messages[cMessages::kSaveChanges], kMbYesNoCancel | kMbIconQuestion)) {
    case kIdYes:
        return SaveProgramSet();
    case kIdNo:
        return true;
    default:
        return false;
    }
}

bool cSetFileCommands::NewProgramSet() {
    if (set_.SetChanged() && !QuerySaveChanges()) return false;
    set_.lvProgramSet().Clear();
    set_.AppSet().clear();
    s_.ui.SetStatusText(1, s_.messages[cMessages::kNewSet]);
    currentSetFile_.clear();
    set_.SetSetChanged(false);
    return true;
}

bool cSetFileCommands::BrowseProgramSet(bool deleteMode) {
    const std::string& title = s_.messages[deleteMode ? cMessages::kDeleteProgramSet : cMessages::kOpenProgramSet];
    std::string chosen;
    if (!ShowSetDialog(FileDialogRequest::Kind::Open, title, kOpenDialogFlags, chosen)) return false;
    if (deleteMode) return DeleteProgramSet(chosen);
    if (!OpenProgramSet(chosen, true, true)) return false;
    set_.SetSetChanged(false);
    return true;
}

bool cSetFileCommands::DeleteProgramSet(const std::string& path) {
    const std::string prompt = s_.messages[cMessages::kDeleteProgramSet] + " " + path + "?";
    // A file that cannot be deleted is left without a word, as the user can see it is still there.
    if (s_.ui.MessageBox(prompt, kMbOkCancel | kMbIconQuestion) == kIdOk) s_.fs.DeleteFile(path);
    return false;
}

bool cSetFileCommands::InvalidFile(const std::string& path, bool showMessages) {
    if (showMessages)
        s_.ui.MessageBox("'" + path + "'" + s_.messages[cMessages::kInvalidProgramsFile], kMbOk | kMbIconCritical);
    return false;
}

bool cSetFileCommands::Failed(std::int32_t number, const char* source, const char* description) {
    s_.log.LogError("", true, cErrorInfo{number, source, description});
    return false;
}

bool cSetFileCommands::NothingToSave() {
    s_.ui.MessageBox(s_.messages[cMessages::kNothingToSave], kMbOk | kMbIconInformation);
    return false;
}

bool cSetFileCommands::ShowSetDialog(FileDialogRequest::Kind kind, const std::string& title, std::uint32_t flags,
                                     std::string& chosen) {
    FileDialogRequest request;
    request.kind = kind;
    request.title = title;
    request.initialFolder = s_.globals.sBrowsePath();
    request.defaultExtension = kSetExtension;
    request.filter = kSetFilter;
    request.flags = flags;
    if (!s_.ui.ShowFileDialog(request, chosen)) return false;
    s_.globals.SetsBrowsePath(GetFilePath(chosen));
    return true;
}

void cSetFileCommands::Loaded(const std::string& path) {
    currentSetFile_ = path;
    s_.ui.SetStatusText(1, GetFileName(path, true));
}

} // namespace qx
