#pragma once
// A probe program (tests/probes) run under a Windows version of our choosing.
// A process cannot change the version Wine tells it, so the probe is copied
// under a name of its own and Wine's per-program Version
// (HKCU\Software\Wine\AppDefaults\<name>) is set for that name; the copy and
// the key go away with the object.
#include <string>

namespace qx::test {

class cVersionedProbe {
public:
    // version: "win98", "win2k", ...; empty for Wine's default.
    cVersionedProbe(const std::string& probe, const std::string& version);
    ~cVersionedProbe();
    cVersionedProbe(const cVersionedProbe&) = delete;
    cVersionedProbe& operator=(const cVersionedProbe&) = delete;

    // Runs the copy to its end; what it wrote to its standard output, or "" when it could not be set up.
    std::string Run() const;

private:
    std::string exe_;
    std::wstring key_;
    bool ready_ = false;
};

} // namespace qx::test
