#pragma once
// A probe program (tests/probes) run under a Windows version of our choosing.
// A process cannot change the version Wine tells it, so the probe is copied
// under its own exe name and Wine's per-program Version
// (HKCU\Software\Wine\AppDefaults\<name>) is set for that name; the copy and
// the key go away with the object.
//   cVersionedProbe p("qx_osprobe", "qx_osprobe_win98.exe", "win98");
//   std::string out; ASSERT_TRUE(p.Run(out));
#include <string>

namespace qx::test {

class cVersionedProbe {
public:
    // version: "win98", "win2k", ...; empty for Wine's default.
    cVersionedProbe(const std::string& probe, const std::string& copyName, const std::string& version);
    ~cVersionedProbe();
    cVersionedProbe(const cVersionedProbe&) = delete;
    cVersionedProbe& operator=(const cVersionedProbe&) = delete;

    bool Ready() const { return ready_; } // copied, and the version set
    const std::string& ExePath() const { return exe_; }
    // Runs the copy to its end and returns what it wrote to its standard output.
    bool Run(std::string& output) const;

    // The folder of the test programs and probes, with a trailing backslash.
    static std::string BinFolder();

private:
    std::string exe_, key_;
    bool ready_ = false;
};

} // namespace qx::test
