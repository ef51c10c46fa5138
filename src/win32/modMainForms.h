#pragma once
// The real forms behind the main window's hooks: the dialogs, the wizard,
// the help pages, the login and the splash.
#include "win32/cMainForms.h"
#include "win32/fQXSplash.h"

namespace qx::win32 {

// The splash lives as long as the caller keeps it; the hooks only show and close it.
cMainForms MakeMainForms(fQXSplash& splash);

} // namespace qx::win32
