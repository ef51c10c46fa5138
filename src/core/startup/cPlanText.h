#pragma once
// The plan of "/L" as the console twin prints it: a header, then one line
// per program in run order with its title, path, process and rules.
#include "core/engine/cApplicationProcs.h"
#include "core/platform/IStringTable.h"

#include <array>
#include <string>

namespace qx {

class cPlanText {
public:
    explicit cPlanText(IStringTable& strings);
    const std::string& Header() const { return texts_[0]; }
    std::string Line(const cApplicationProcs& target) const;

private:
    std::array<std::string, 10> texts_;
};

} // namespace qx
