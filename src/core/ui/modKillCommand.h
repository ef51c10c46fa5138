#pragma once
// Kill Selected Set of the main window around the run itself.
#include "core/log/cLogger.h"
#include "core/platform/IUserInterface.h"
#include "core/sets/cSetEditor.h"

#include <functional>

namespace qx {

// Runs `run` with the set locked for editing. Whatever it throws, the lock
// is lifted, the caption it found is given back and the error is shown and
// logged: a window left locked could never be closed again. False when the
// run threw.
bool RunKillCommand(cSetEditor& editor, IUserInterface& ui, cLogger& log, const std::function<void()>& run);

} // namespace qx
