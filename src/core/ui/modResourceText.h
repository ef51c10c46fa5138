#pragma once
// Stored texts separate lines with a lone line feed; what the user sees
// needs carriage return plus line feed.
#include "core/platform/IStringTable.h"

#include <cstdint>
#include <string>

namespace qx {

// The text for id with a carriage return put before every line feed;
// empty when the table has no such id.
std::string LoadResourceText(IStringTable& table, std::uint32_t id);

} // namespace qx
