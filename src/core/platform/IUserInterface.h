#pragma once
// What the core needs from the user-facing layer: message boxes and the
// main window's caption. A window-less run still answers these.
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

class IUserInterface {
public:
    virtual ~IUserInterface() = default;
    // Shows a modal message box; an empty title means the application title.
    virtual int MessageBox(const std::string& text, std::uint32_t style, const std::string& title = {}) = 0;
    virtual void SetCaption(const std::string& text) = 0;
    virtual std::string GetCaption() = 0;
};

} // namespace qx
