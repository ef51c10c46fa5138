#pragma once
// Every port of the program as a fake, bundled as the platform the start-up
// code takes, with the shell folders a user profile always has.
#include "core/platform/cPlatform.h"
#include "fake/cMemoryRegistry.h"
#include "core/ui/cBuiltinStringTable.h"
#include "core/util/cCodePage1252.h"
#include "fake/cFakeClock.h"
#include "fake/cFakeOS.h"
#include "fake/cFakeShell.h"
#include "fake/cFakeSystemFacts.h"
#include "fake/cFakeUserInterface.h"
#include "fake/cMemoryFileSystem.h"

#include <string>

namespace qx::fake {

class cFakePlatform {
public:
    static constexpr const char* kOptionsKey = "Software\\Veltrane\\Quellix\\Options";
    static constexpr const char* kShellFolders =
        "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

    explicit cFakePlatform(const std::string& programFolder) {
        fs.AddFolder(programFolder);
        facts.programFolder = programFolder;
        PutText(kHkeyCurrentUser, kShellFolders, "Programs", "C:\\Start Menu\\Programs");
        PutText(kHkeyCurrentUser, kShellFolders, "Startup", "C:\\Start Menu\\Programs\\Startup");
    }

    void PutText(RegKey root, const std::string& path, const std::string& name, const std::string& text) {
        registry.PutRawValue(root, path, name, RegistryValue{kRegSz, text});
    }
    // A REG_DWORD option under the machine-wide options key.
    void PutOption(const std::string& name, std::int32_t n) {
        std::string bytes(4, '\0');
        for (int i = 0; i < 4; ++i)
            bytes[static_cast<std::size_t>(i)] = static_cast<char>((n >> (8 * i)) & 0xFF);
        registry.PutRawValue(kHkeyLocalMachine, kOptionsKey, name, RegistryValue{kRegDword, bytes});
    }
    // The stored bytes of an option, or "<none>".
    std::string StoredOption(const std::string& name) const {
        RegistryValue v;
        return registry.Peek(kHkeyLocalMachine, kOptionsKey, name, v) ? v.data : "<none>";
    }

    cFakeOS os;
    cMemoryRegistry registry;
    cMemoryFileSystem fs;
    cFakeUserInterface ui;
    cFakeClock clock;
    cCodePage1252 codec;
    cFakeSystemFacts facts;
    cFakeShell shell;
    cBuiltinStringTable strings;
    cPlatform platform{os, registry, fs, ui, clock, codec, facts, shell, strings};
};

} // namespace qx::fake
