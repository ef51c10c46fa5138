#pragma once
// The administrator password is never stored: only this number is.
#include <cstdint>
#include <string>

namespace qx {

// A deterministic 32-bit number for a password text (FNV-1a over its UTF-8
// bytes). It is never 0 or -1: the options use those for "no password was
// ever set", and a hash equal to them would lock the user out or let anybody in.
std::int32_t PasswordHash(const std::string& password);

} // namespace qx
