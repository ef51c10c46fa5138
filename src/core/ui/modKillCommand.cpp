#include "core/ui/modKillCommand.h"

#include <exception>

namespace qx {

bool RunKillCommand(cSetEditor& editor, IUserInterface& ui, cLogger& log, const std::function<void()>& run) {
    const std::string caption = ui.GetCaption();
    editor.SetKillRunning(true);
    cErrorInfo error{0, "KillSelectedSet", {}};
    bool failed = false;
    try {
        run();
    } catch (const std::exception& e) {
        failed = true;
        error.description = e.what();
    } catch (...) {
        failed = true;
    }
    editor.SetKillRunning(false);
    if (!failed) return true;
    try {
        ui.SetCaption(caption);
        log.LogError({}, true, error);
    } catch (...) {
        // Nothing is left to report with; the window is usable again, which is what matters.
    }
    return false;
}

} // namespace qx
