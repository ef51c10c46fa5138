#pragma once
// A control's place: in twips as the layout works it out, or in pixels once converted.

namespace qx {

struct cLayoutRect {
    int left = 0, top = 0, width = 0, height = 0;
    bool operator==(const cLayoutRect&) const = default;
};

} // namespace qx
