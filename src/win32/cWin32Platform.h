#pragma once
// Every real port, bundled the way the core takes them: the program's own
// set, and the one the Wine tests run the windows over.
#include "core/platform/cPlatform.h"
#include "win32/cWin32Clock.h"
#include "win32/cWin32FileSystem.h"
#include "win32/cWin32ProcessWindowServices.h"
#include "win32/cWin32Registry.h"
#include "win32/cWin32Shell.h"
#include "win32/cWin32StringTable.h"
#include "win32/cWin32SystemFacts.h"
#include "win32/cWin32TextCodec.h"
#include "win32/cWin32UserInterface.h"

namespace qx::win32 {

struct cWin32Platform {
    cWin32ProcessWindowServices os;
    cWin32Registry registry;
    cWin32FileSystem fs;
    cWin32UserInterface ui;
    cWin32Clock clock;
    cWin32TextCodec codec;
    cWin32SystemFacts facts;
    cWin32Shell shell;
    cWin32StringTable strings;
    cPlatform platform{os, registry, fs, ui, clock, codec, facts, shell, strings};

    cWin32Platform() = default;
    cWin32Platform(const cWin32Platform&) = delete; // platform refers to the members
    cWin32Platform& operator=(const cWin32Platform&) = delete;
};

} // namespace qx::win32
