#pragma once
// What a failing operation leaves behind for the error report: the number,
// the component that raised it and a description.
#include <cstdint>
#include <string>

namespace qx {

struct cErrorInfo {
    std::int32_t number = 0;
    std::string source;
    std::string description;
};

} // namespace qx
