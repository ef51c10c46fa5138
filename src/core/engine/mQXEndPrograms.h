#pragma once
// Asking a program's windows to close, and the shell windows that are never asked.
#include "core/platform/IProcessWindowServices.h"
#include "core/util/cOSInfo.h"

#include <string>
#include <vector>

namespace qx {

enum class WindowKind { Popup, Main };

std::string GetWindowClass(IProcessWindowServices& os, WindowHandle w);
// Desktop shell and browser frame windows, by exact class name.
bool IsShellWindow(IProcessWindowServices& os, WindowHandle w);
// Whether an executable's file name (with extension, any letter case) is one
// of the operating system's own processes on this system, which kill-all spares.
bool IsSystemProcess(const cOSInfo& osInfo, const std::string& fileName);
// A visible, enabled, non-tool window of the asked kind that belongs to the
// process (when processId is not 0), is not a shell window and is not ours.
bool IsClosableWindow(IProcessWindowServices& os, WindowHandle w, WindowKind kind, std::uint32_t processId);
// Posts WM_CLOSE to every closable window of that kind among the given
// windows; returns how many were asked.
int PostCloseToWindows(IProcessWindowServices& os, const std::vector<WindowHandle>& windows, WindowKind kind,
                       std::uint32_t processId);
// Pauses for the given time while dispatching this program's messages. With a
// process handle the pause ends as soon as that process has ended; returns
// true in that case.
bool WaitWithMessages(IProcessWindowServices& os, std::uint32_t milliseconds, ProcessHandle process = 0);

} // namespace qx
