#pragma once
// What the core needs from the user-facing layer: message boxes, file
// dialogs, the main window's caption and status bar. A window-less run still
// answers these.
#include <cstdint>
#include <string>

namespace qx {

// Message-box style bits, as the platform numbers them.
inline constexpr std::uint32_t kMbOk = 0x0;
inline constexpr std::uint32_t kMbOkCancel = 0x1;
inline constexpr std::uint32_t kMbYesNoCancel = 0x3;
inline constexpr std::uint32_t kMbYesNo = 0x4;
inline constexpr std::uint32_t kMbIconCritical = 0x10;
inline constexpr std::uint32_t kMbIconQuestion = 0x20;
inline constexpr std::uint32_t kMbIconExclamation = 0x30;
inline constexpr std::uint32_t kMbIconInformation = 0x40;

// Message-box answers.
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;

inline constexpr const char* kAppTitle = "Quellix";

// Common file dialog flags, as the platform numbers them.
inline constexpr std::uint32_t kOfnOverwritePrompt = 0x2;
inline constexpr std::uint32_t kOfnHideReadOnly = 0x4;
inline constexpr std::uint32_t kOfnPathMustExist = 0x800;
inline constexpr std::uint32_t kOfnFileMustExist = 0x1000;

struct FileDialogRequest {
    enum class Kind { Open, Save };
    Kind kind = Kind::Open;
    std::string title;
    std::string initialFolder;
    std::string defaultExtension; // without a dot; added when the user types none
    std::string filter;           // "Description|pattern" pairs joined by '|'
    std::uint32_t flags = 0;
};

class IUserInterface {
public:
    virtual ~IUserInterface() = default;
    // Shows a modal message box; an empty title means the application title.
    virtual int MessageBox(const std::string& text, std::uint32_t style, const std::string& title = {}) = 0;
    virtual void SetCaption(const std::string& text) = 0;
    virtual std::string GetCaption() = 0;
    // Shows a modal open or save dialog: true and the chosen full path, or
    // false when the user cancelled (or the dialog could not be shown).
    virtual bool ShowFileDialog(const FileDialogRequest& request, std::string& path) = 0;
    // Text of one panel of the main window's status bar, counted from 1.
    virtual void SetStatusText(int panel, const std::string& text) = 0;
};

} // namespace qx
