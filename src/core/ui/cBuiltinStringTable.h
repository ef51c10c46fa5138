#pragma once
// The string table compiled into the core, for hosts without the executable's
// resources (tests, tools). Same ids and texts as the resource table.
#include "core/platform/IStringTable.h"

namespace qx {

class cBuiltinStringTable final : public IStringTable {
public:
    bool LoadString(std::uint32_t id, std::string& text) override;
};

} // namespace qx
