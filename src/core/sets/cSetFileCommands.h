#pragma once
// The File menu's set commands over the current kill set: open, save, save
// as, new, delete, the "save changes?" question, and the set's name in the
// first panel of the status bar. Dialogs and boxes go through the user
// interface; files through the file system.
#include "core/log/cLogger.h"
#include "core/platform/IClock.h"
#include "core/platform/IFileSystem.h"
#include "core/platform/ITextCodec.h"
#include "core/platform/IUserInterface.h"
#include "core/sets/cKillSet.h"
#include "core/ui/cMessages.h"
#include "core/util/cGlobalsClass.h"

#include <string>

namespace qx {

struct cSetFileServices {
    IFileSystem& fs;
    IUserInterface& ui;
    IClock& clock;
    ITextCodec& codec;
    cLogger& log;
    cGlobalsClass& globals;
    const cMessages& messages;
};

class cSetFileCommands {
public:
    static constexpr std::uint32_t kSaveDialogFlags = kOfnOverwritePrompt | kOfnHideReadOnly | kOfnPathMustExist;
    static constexpr std::uint32_t kOpenDialogFlags = kOfnHideReadOnly | kOfnPathMustExist | kOfnFileMustExist;

    cSetFileCommands(cKillSet& set, const cSetFileServices& services) : set_(set), s_(services) {}

    // Loads a file into the current set: replace clears the set first (and
    // leaves SetChanged alone); otherwise the file's entries are merged,
    // skipping duplicates. False when the file is missing, not a set file
    // (shown only with showMessages), unreadable or cut short (entries read
    // before the cut stay), or when the user keeps a changed set.
    bool OpenProgramSet(const std::string& path, bool showMessages, bool replace);
    // Writes the rows of the set in list order. The old file is replaced only
    // once the new one is complete, so a failed save leaves it intact.
    bool ActualSetSave(const std::string& path);
    bool SaveProgramSet();
    bool SaveProgramSetAs();
    // False tells the caller to abandon its command.
    bool QuerySaveChanges();
    bool NewProgramSet();
    // Open Set (deleteMode false) or Delete a Saved Set (true).
    bool BrowseProgramSet(bool deleteMode);

    const std::string& CurrentSetFile() const { return currentSetFile_; }
    void SetCurrentSetFile(const std::string& path) { currentSetFile_ = path; }

private:
    // Confirms and deletes one set file; always false.
    bool DeleteProgramSet(const std::string& path);
    bool InvalidFile(const std::string& path, bool showMessages);
    bool Failed(std::int32_t number, const char* source, const char* description);
    bool NothingToSave();
    bool ShowSetDialog(FileDialogRequest::Kind kind, const std::string& title, std::uint32_t flags,
                       std::string& chosen);
    void Loaded(const std::string& path);

    cKillSet& set_;
    cSetFileServices s_;
    std::string currentSetFile_;
};

} // namespace qx
