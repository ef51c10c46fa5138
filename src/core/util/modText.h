#pragma once
// Text helpers for matching what the user typed against what the system
// reports. Texts are UTF-8.
#include <string>

namespace qx {

// Upper case of ASCII and of the Latin-1 letters (à-þ, except ÷), so that a
// title typed in either case on the command line matches; other characters
// are kept as they are.
std::string UpperCase(const std::string& text);
// Without leading and trailing blanks and tabs.
std::string TrimBlanks(const std::string& text);

} // namespace qx
