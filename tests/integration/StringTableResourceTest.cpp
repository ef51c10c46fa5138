#include "core/ui/cBuiltinStringTable.h"
#include "win32/cWin32StringTable.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

// The executable's resource table and the core's built-in table come from one
// list; this proves the resource compiler kept every text intact (UTF-8,
// blanks at either end, apostrophes) and that the loader reads them back whole.
TEST(StringTableResource, ExecutableCarriesExactlyTheCoreTexts) {
    HMODULE module = LoadLibraryExW((std::wstring(L"" QX_BIN_DIR) + L"/quellix.exe").c_str(), nullptr,
                                    LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    win32::cWin32StringTable resources(module);
    cBuiltinStringTable builtin;
#define QX_STRING(id, text) id,
    for (const std::uint32_t id : {
#include "core/ui/StringTable.inc"
         }) {
        std::string fromExe, fromCore = "none";
        EXPECT_TRUE(resources.LoadString(id, fromExe) && builtin.LoadString(id, fromCore)) << id;
        EXPECT_EQ(fromExe, fromCore) << id;
    }
#undef QX_STRING
    std::string missing;
    EXPECT_FALSE(resources.LoadString(65000, missing));
    FreeLibrary(module);
}

} // namespace
} // namespace qx
