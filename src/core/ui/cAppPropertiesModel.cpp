#include "core/ui/cAppPropertiesModel.h"

#include "core/ui/modWaitField.h"

namespace qx {

cAppPropertiesModel::cAppPropertiesModel(const cApplicationProcs& entry, std::string titleText)
    : entry_(entry),
      titleText_(std::move(titleText)),
      waitText_(std::to_string(entry.CloseWait())),
      forceClose_(entry.ForceClose()),
      stopOnError_(entry.StopOnError()),
      ignoreTitle_(entry.IgnoreTitle()) {}

void cAppPropertiesModel::txtWait_LostFocus() { waitText_ = NormaliseWaitText(waitText_, separators_).text; }

cApplicationProcs cAppPropertiesModel::cmdOK_Click() {
    const WaitField wait = NormaliseWaitText(waitText_, separators_);
    waitText_ = wait.text;
    cApplicationProcs edited = entry_;
    edited.SetCloseWait(wait.seconds);
    edited.SetForceClose(forceClose_);
    edited.SetStopOnError(stopOnError_);
    edited.SetIgnoreTitle(ignoreTitle_);
    return edited;
}

} // namespace qx
