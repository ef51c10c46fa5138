#include "core/engine/mQXEndPrograms.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>
#include <vector>

namespace qx {
namespace {

constexpr std::array<const char*, 8> kShellClasses = {"IEFrame",       "ExploreWClass", "IEDummyFrame", "Shell_TrayWnd",
                                                      "Progman",       "CabinetWClass", "BaseBar",      "WinPopup"};
// The operating system's own processes, by file name, as each family names them.
constexpr std::array<std::string_view, 4> kWin9xSystem = {"explorer.exe", "mprexe.exe", "msgsrv32.exe", "kernel32.dll"};
constexpr std::array<std::string_view, 6> kWin98System = {"systray.exe", "taskmon.exe", "cmmpu.exe",
                                                          "ptsnoop.exe", "mstask.exe",  "mmtask.tsk"};
constexpr std::array<std::string_view, 9> kNtSystem = {"spoolss.exe", "lsass.exe", "services.exe",
                                                       "winlogon.exe", "csrss.exe", "smss.exe",
                                                       "[system]",    "system",    "explorer.exe"};
constexpr std::array<std::string_view, 3> kWin2000System = {"regsvc.exe", "svchost.exe", "mstask.exe"};
constexpr std::array<std::string_view, 3> kNt4System = {"rpcss.exe", "nddeagnt.exe", "pstores.exe"};
// From NT 6 on, ending any of these blue-screens the machine or breaks the
// user's session; they come on top of the Windows 2000 names.
constexpr std::array<std::string_view, 21> kNt6System = {
    "wininit.exe",   "svchost.exe",          "dwm.exe",         "lsm.exe",
    "logonui.exe",   "fontdrvhost.exe",      "sihost.exe",      "ctfmon.exe",
    "taskhostw.exe", "conhost.exe",          "audiodg.exe",     "wudfhost.exe",
    "applicationframehost.exe", "searchhost.exe", "startmenuexperiencehost.exe", "shellexperiencehost.exe",
    "textinputhost.exe", "runtimebroker.exe", "registry",       "memcompression",
    "secure system"};

template <std::size_t N>
bool OneOf(const std::string& name, const std::array<std::string_view, N>& names) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

} // namespace

bool IsSystemProcess(const cOSInfo& osInfo, const std::string& fileName) {
    std::string n = fileName;
    std::transform(n.begin(), n.end(), n.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (osInfo.isWin95() || osInfo.isWin98()) return OneOf(n, kWin9xSystem) || (osInfo.isWin98() && OneOf(n, kWin98System));
    if (OneOf(n, kNtSystem)) return true;
    const bool nt6OrLater = osInfo.isWinNT4OrLater() && !osInfo.isWinNT4();
    if (nt6OrLater) return OneOf(n, kWin2000System) || OneOf(n, kNt6System);
    return osInfo.isWin2000() ? OneOf(n, kWin2000System) : OneOf(n, kNt4System);
}

std::string GetWindowClass(IProcessWindowServices& os, WindowHandle w) {
    std::string name = os.GetClassName(w);
    if (name.size() > 254) name.resize(254); // the class buffer holds 255 characters with its NUL
    return name;
}

bool IsShellWindow(IProcessWindowServices& os, WindowHandle w) {
    const std::string name = GetWindowClass(os, w);
    for (const char* shell : kShellClasses) {
        if (name == shell) return true;
    }
    return false;
}

bool IsClosableWindow(IProcessWindowServices& os, WindowHandle w, WindowKind kind, std::uint32_t processId) {
    const std::uint32_t style = os.GetWindowLong(w, kGwlStyle);
    const std::uint32_t exStyle = os.GetWindowLong(w, kGwlExStyle);
    if ((style & kWsVisible) == 0 || (style & kWsDisabled) != 0 || (exStyle & kWsExToolWindow) != 0) return false;
    const bool popup = (style & kWsPopup) != 0;
    if (popup != (kind == WindowKind::Popup)) return false;
    if (processId != 0 && IsShellWindow(os, w)) return false;
    const std::uint32_t owner = os.GetWindowThreadProcessId(w);
    if (processId != 0 && owner != processId) return false;
    return owner != os.GetCurrentProcessId();
}

int PostCloseToWindows(IProcessWindowServices& os, const std::vector<WindowHandle>& windows, WindowKind kind,
                       std::uint32_t processId) {
    int asked = 0;
    for (const WindowHandle w : windows) {
        if (!IsClosableWindow(os, w, kind, processId)) continue;
        os.PostMessage(w, kWmClose, 0, 0);
        ++asked;
    }
    return asked;
}

bool WaitWithMessages(IProcessWindowServices& os, std::uint32_t milliseconds, ProcessHandle process) {
    const std::uint32_t end = os.GetTickCount() + milliseconds; // the counter wraps; so does the sum
    for (;;) {
        const auto remaining = static_cast<std::int32_t>(end - os.GetTickCount());
        if (remaining < 0) return false;
        const std::uint32_t r = os.MsgWaitForProcessOrInput(process, static_cast<std::uint32_t>(remaining));
        if (process != 0 && r == kWaitObject0) return true;
        os.DispatchPendingMessages();
        if (r != kWaitInput) return false;
    }
}

} // namespace qx
