#pragma once
// One top-level window of the window snapshot.
#include <cstdint>
#include <string>

namespace qx {

class cWindowProcs {
public:
    std::uint32_t ProcessID() const { return processId_; }
    void SetProcessID(std::uint32_t v) { processId_ = v; }
    std::uint32_t Handle() const { return handle_; }
    void SetHandle(std::uint32_t v) { handle_ = v; }
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& v) { title_ = v; }
    bool Visible() const { return visible_; }
    void SetVisible(bool v) { visible_ = v; }

private:
    std::uint32_t processId_ = 0;
    std::uint32_t handle_ = 0;
    std::string title_;
    bool visible_ = false;
};

} // namespace qx
