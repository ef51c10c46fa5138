#pragma once
// The program's string table: every user-visible text by its numeric id.
#include <cstdint>
#include <string>

namespace qx {

class IStringTable {
public:
    virtual ~IStringTable() = default;
    // The stored text for id (UTF-8); false when the table has no such id.
    virtual bool LoadString(std::uint32_t id, std::string& text) = 0;
};

} // namespace qx
