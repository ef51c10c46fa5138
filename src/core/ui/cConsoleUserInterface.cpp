#include "core/ui/cConsoleUserInterface.h"

namespace qx {

int cConsoleUserInterface::MessageBox(const std::string& text, std::uint32_t style, const std::string&) {
    console_.WriteError(text);
    switch (style & 0xF) {
    case kMbOkCancel:
    case kMbYesNoCancel:
        return kIdCancel;
    case kMbYesNo:
        return kIdNo;
    default:
        return kIdOk;
    }
}

} // namespace qx
