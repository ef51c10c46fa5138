#include "core/startup/cPlanText.h"

namespace qx {
namespace {

constexpr std::uint32_t kFirstId = 1200;

} // namespace

cPlanText::cPlanText(IStringTable& strings) {
    for (std::size_t i = 0; i < texts_.size(); ++i) strings.LoadString(kFirstId + static_cast<std::uint32_t>(i), texts_[i]);
}

std::string cPlanText::Line(const cApplicationProcs& t) const {
    const auto& s = texts_;
    return "'" + t.Title() + "'  " + t.ExePath() + "  " + s[1] + std::to_string(t.ProcessID()) + "  " + s[2] +
           std::to_string(t.CloseWait()) + s[3] + ", " + (t.ForceClose() ? s[4] : s[5]) + ", " +
           (t.StopOnError() ? s[6] : s[7]) + ", " + (t.IgnoreTitle() ? s[8] : s[9]);
}

} // namespace qx
