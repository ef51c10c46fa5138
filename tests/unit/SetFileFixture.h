#pragma once
// A hand-made two-entry set file and the entries it holds, shared by the
// format tests and the set command tests.
#include "core/sets/cSetFile.h"

#include <initializer_list>
#include <string>
#include <vector>

namespace qx::fixture {

inline std::string Hex(std::initializer_list<unsigned char> bytes) { return std::string(bytes.begin(), bytes.end()); }

// A two-entry set saved on 6 December 2026, written out byte by byte.
inline const std::string kTwoEntryFile =
    // header
    Hex({0x01, 0x00}) +                                          // Version 1
    Hex({0x00, 0x00, 0x00, 0x00, 0x40, 0xA3, 0xE6, 0x40}) +      // SavedDate 46362.0
    Hex({0x02, 0x00}) +                                          // Count 2
    Hex({0x00, 0x00, 0x00, 0x00}) +                              // reserved
    Hex({0x00, 0x00}) +                                          // reserved string, empty
    Hex({0x00, 0x00}) +                                          // reserved string, empty
    // entry 1
    Hex({0xFF, 0xFF}) +                                          // Selected true
    Hex({0xFF, 0xFF}) +                                          // ForceClose true
    Hex({0xFF, 0xFF}) +                                          // WinVisible true
    Hex({0x00, 0x00}) +                                          // StopOnError false
    Hex({0xFF, 0xFF}) +                                          // IgnoreTitle true
    Hex({0x0A, 0x00, 0x00, 0x00}) +                              // CloseWait 10
    Hex({0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}) +      // reserved
    Hex({0x12, 0x00}) + "Untitled - Notepad" +                   // Title, 18 bytes
    Hex({0x16, 0x00}) + "C:\\WINDOWS\\NOTEPAD.EXE" +             // ExePath, 22 bytes
    Hex({0x00, 0x00}) +                                          // reserved string, empty
    // entry 2
    Hex({0x00, 0x00}) +                                          // Selected false
    Hex({0x00, 0x00}) +                                          // ForceClose false
    Hex({0x00, 0x00}) +                                          // WinVisible false
    Hex({0xFF, 0xFF}) +                                          // StopOnError true
    Hex({0x00, 0x00}) +                                          // IgnoreTitle false
    Hex({0x2C, 0x01, 0x00, 0x00}) +                              // CloseWait 300
    Hex({0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}) +      // reserved
    Hex({0x0E, 0x00}) + "R" + Hex({0xE9}) + "sum" + Hex({0xE9}) + // Title, 14 bytes of Windows-1252:
    " " + Hex({0x96}) + " draft" +                               //   e acute 0xE9, en dash 0x96
    Hex({0x11, 0x00}) + "D:\\Tools\\B" + Hex({0xFC}) + "ro.exe" + // ExePath, 17 bytes (u umlaut 0xFC)
    Hex({0x00, 0x00});                                           // reserved string, empty

inline constexpr std::size_t kHeaderBytes = 20;
inline constexpr std::size_t kFirstEntryBytes = 28 + 18 + 22;

inline std::vector<SetFileEntry> TwoEntries() {
    SetFileEntry a;
    a.Selected = true;
    a.ForceClose = true;
    a.WinVisible = true;
    a.StopOnError = false;
    a.IgnoreTitle = true;
    a.CloseWait = 10;
    a.Title = "Untitled - Notepad";
    a.ExePath = "C:\\WINDOWS\\NOTEPAD.EXE";
    SetFileEntry b;
    b.StopOnError = true;
    b.CloseWait = 300;
    b.Title = "R\u00E9sum\u00E9 \u2013 draft";
    b.ExePath = "D:\\Tools\\B\u00FCro.exe";
    return {a, b};
}

} // namespace qx::fixture
