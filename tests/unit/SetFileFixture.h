#pragma once
// A hand-made two-entry set file and the entries it holds, shared by the
// format tests and the set command tests.
#include "core/sets/cSetFile.h"

#include <initializer_list>
#include <string>
#include <vector>

namespace qx::fixture {

inline std::string Hex(std::initializer_list<unsigned char> bytes) { return std::string(bytes.begin(), bytes.end()); }

// A two-entry set saved on 6 December 2026, byte by byte. The header: Version
// 1, SavedDate 46362.0, Count 2, four reserved bytes and two empty reserved
// strings. Each entry: Selected, ForceClose, WinVisible, StopOnError and
// IgnoreTitle, CloseWait, eight reserved bytes, Title, ExePath (Windows-1252)
// and an empty reserved string.
inline const std::string kTwoEntryFile =
    Hex({0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x40, 0xA3, 0xE6, 0x40, 0x02, 0x00, 0, 0, 0, 0, 0, 0, 0, 0}) +
    Hex({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0xFF, 0xFF, 0x0A, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}) +
    Hex({0x12, 0x00}) + "Untitled - Notepad" + Hex({0x16, 0x00}) + "C:\\WINDOWS\\NOTEPAD.EXE" + Hex({0, 0}) +
    Hex({0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0x2C, 0x01, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}) +
    Hex({0x0E, 0x00}) + "R\xE9sum\xE9 \x96 draft" + Hex({0x11, 0x00}) + "D:\\Tools\\B\xFCro.exe" + Hex({0, 0});

inline constexpr std::size_t kHeaderBytes = 20;
inline constexpr std::size_t kFirstEntryBytes = 28 + 18 + 22;

inline std::vector<SetFileEntry> TwoEntries() {
    return {{true, true, true, false, true, 10, "Untitled - Notepad", "C:\\WINDOWS\\NOTEPAD.EXE"},
            {false, false, false, true, false, 300, "R\u00E9sum\u00E9 \u2013 draft", "D:\\Tools\\B\u00FCro.exe"}};
}

} // namespace qx::fixture
