#pragma once
// Tests that only look at what is posted use the fake OS without processes
// or windows: its `posts` records every message.
#include "fake/cFakeOS.h"

namespace qx::fake {
using cPostRecorder = cFakeOS;
} // namespace qx::fake
