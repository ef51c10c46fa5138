#pragma once
// What closing a program needs from the rest of the program: the system, the
// caption that shows progress, the log and the engine's texts.
#include "core/engine/IKillObserver.h"
#include "core/engine/cKillMessages.h"
#include "core/log/cLogger.h"
#include "core/platform/IProcessWindowServices.h"
#include "core/platform/IUserInterface.h"

namespace qx {

struct cKillContext {
    IProcessWindowServices& os;
    IUserInterface& ui;
    cLogger& log;
    const cKillMessages& texts;
    // Told each outcome as it happens; none in most runs.
    IKillObserver* observer = nullptr;
};

} // namespace qx
