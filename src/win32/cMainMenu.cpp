#include "win32/cMainMenu.h"

#include "win32/WideText.h"
#include "win32/fQXMainIds.h"

#include <string>

namespace qx::win32 {
namespace {

constexpr std::uint32_t kMenuFile = 1021, kMenuEdit = 1029, kMenuProcesses = 1038, kMenuOptions = 1041,
                        kMenuHelp = 1046;

std::wstring Text(IStringTable& strings, std::uint32_t id) {
    std::string t;
    strings.LoadString(id, t);
    return Widen(t);
}

} // namespace

UINT cMainMenu::CommandId(eCommand c) { return IDM_QX_FIRST + static_cast<UINT>(c); }

std::optional<eCommand> cMainMenu::CommandOf(UINT id) {
    if (id < IDM_QX_FIRST || id >= IDM_QX_FIRST + static_cast<UINT>(eCommand::Count)) return std::nullopt;
    return static_cast<eCommand>(id - IDM_QX_FIRST);
}

HMENU cMainMenu::Create(IStringTable& s) {
    const auto item = [&](HMENU m, eCommand c, const wchar_t* shortcut = nullptr) {
        std::wstring text = Text(s, cCommandState::MenuCaptionId(c));
        if (shortcut != nullptr) text += std::wstring(L"\t") + shortcut;
        AppendMenuW(m, MF_STRING, CommandId(c), text.c_str());
    };
    const auto separator = [](HMENU m) { AppendMenuW(m, MF_SEPARATOR, 0, nullptr); };
    const auto top = [&](HMENU m, std::uint32_t id) {
        AppendMenuW(bar_, MF_POPUP, reinterpret_cast<UINT_PTR>(m), Text(s, id).c_str());
    };
    bar_ = CreateMenu();

    HMENU file = CreatePopupMenu();
    item(file, eCommand::New, L"Ctrl+N");
    item(file, eCommand::Open);
    separator(file);
    item(file, eCommand::Save);
    item(file, eCommand::SaveAs);
    separator(file);
    item(file, eCommand::DeleteSet);
    separator(file);
    item(file, eCommand::Exit);
    top(file, kMenuFile);

    HMENU edit = CreatePopupMenu();
    item(edit, eCommand::Undo, L"Ctrl+Z");
    separator(edit);
    item(edit, eCommand::Copy, L"Ctrl+C");
    item(edit, eCommand::Paste, L"Ctrl+V");
    item(edit, eCommand::Delete, L"Del");
    separator(edit);
    item(edit, eCommand::Raise);
    item(edit, eCommand::Lower);
    separator(edit);
    item(edit, eCommand::Properties);
    top(edit, kMenuEdit);
    // Undo and Paste start disabled; the first command-state update sets all.
    EnableMenuItem(edit, CommandId(eCommand::Undo), MF_BYCOMMAND | MF_GRAYED);
    EnableMenuItem(edit, CommandId(eCommand::Paste), MF_BYCOMMAND | MF_GRAYED);

    AppendMenuW(bar_, MF_STRING, CommandId(eCommand::Wizard),
                Text(s, cCommandState::MenuCaptionId(eCommand::Wizard)).c_str());

    HMENU processes = CreatePopupMenu();
    item(processes, eCommand::Refresh);
    item(processes, eCommand::Kill);
    top(processes, kMenuProcesses);

    HMENU options = CreatePopupMenu();
    item(options, eCommand::RememberPosition);
    separator(options);
    item(options, eCommand::DataPath);
    item(options, eCommand::ViewLog);
    item(options, eCommand::AdvancedSettings);
    top(options, kMenuOptions);
    CheckMenuItem(options, CommandId(eCommand::RememberPosition), MF_BYCOMMAND | MF_CHECKED);

    HMENU help = CreatePopupMenu();
    item(help, eCommand::HelpContents);
    item(help, eCommand::HelpSearch);
    item(help, eCommand::GettingStarted);
    separator(help);
    item(help, eCommand::About);
    top(help, kMenuHelp);
    return bar_;
}

void cMainMenu::Render(const cCommandState& state) const {
    for (int i = 0; i < static_cast<int>(eCommand::Count); ++i) {
        const auto c = static_cast<eCommand>(i);
        EnableMenuItem(bar_, CommandId(c), MF_BYCOMMAND | (state.Enabled(c) ? MF_ENABLED : MF_GRAYED));
    }
    CheckMenuItem(bar_, CommandId(eCommand::RememberPosition),
                  MF_BYCOMMAND | (state.Checked(eCommand::RememberPosition) ? MF_CHECKED : MF_UNCHECKED));
}

} // namespace qx::win32
