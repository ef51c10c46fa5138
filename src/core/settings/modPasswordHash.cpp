#include "core/settings/modPasswordHash.h"

namespace qx {

std::int32_t PasswordHash(const std::string& password) {
    std::uint32_t h = 2166136261u;
    for (const char c : password) {
        h ^= static_cast<unsigned char>(c);
        h *= 16777619u;
    }
    const auto value = static_cast<std::int32_t>(h);
    return (value == 0 || value == -1) ? 1 : value;
}

} // namespace qx
