#pragma once
// The executable's own resource string table.
#include "core/platform/IStringTable.h"
#include "win32/WinApi.h"

namespace qx::win32 {

class cWin32StringTable final : public IStringTable {
public:
    explicit cWin32StringTable(HINSTANCE module = nullptr) : module_(module) {}
    bool LoadString(std::uint32_t id, std::string& text) override;

private:
    HINSTANCE module_;
};

} // namespace qx::win32
