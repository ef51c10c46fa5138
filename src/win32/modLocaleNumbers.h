#pragma once
// The user's way of writing numbers, as the system's regional settings hold it.
#include "core/ui/modWaitField.h"

namespace qx::win32 {

// The decimal and thousands separators of the user's locale; a separator the
// system does not supply keeps its English default.
NumberSeparators UserNumberSeparators();

} // namespace qx::win32
