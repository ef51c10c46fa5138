#pragma once
// Every port the program needs, handed around as one bundle.
#include "core/platform/IClock.h"
#include "core/platform/IFileSystem.h"
#include "core/platform/IProcessWindowServices.h"
#include "core/platform/IRegistry.h"
#include "core/platform/IShell.h"
#include "core/platform/IStringTable.h"
#include "core/platform/ISystemFacts.h"
#include "core/platform/ITextCodec.h"
#include "core/platform/IUserInterface.h"

namespace qx {

struct cPlatform {
    IProcessWindowServices& os;
    IRegistry& registry;
    IFileSystem& fs;
    IUserInterface& ui;
    IClock& clock;
    ITextCodec& codec;
    ISystemFacts& facts;
    IShell& shell;
    IStringTable& strings;
};

} // namespace qx
