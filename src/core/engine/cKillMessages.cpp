#include "core/engine/cKillMessages.h"

namespace qx {
namespace {
// The indices are not in id order: index 2 is 1176, index 3 is 1175.
constexpr std::array<std::uint32_t, cKillMessages::kCount> kIds = {1173, 1174, 1176, 1175, 1181,
                                                                   1177, 1178, 1179, 1180, 1182};
} // namespace

bool cKillMessages::LoadKillMessages(IStringTable& table) {
    bool all = true;
    for (std::size_t i = 0; i < kIds.size(); ++i) {
        texts_[i].clear();
        all = table.LoadString(kIds[i], texts_[i]) && all;
    }
    return all;
}

} // namespace qx
