// The release packages as an administrator and a user meet them: the
// Windows Installer package installed, reinstalled, upgraded, refused as a
// downgrade and removed with msiexec in silent mode, and the portable zip
// unpacked into a fresh folder and run from there.
#include "integration/modRunAnswered.h"
#include "integration/modShellLinkReader.h"
#include "win32/WideText.h"
#include "win32/WinApi.h"
#include "win32/cWin32FileSystem.h"
#include "win32/modProgramVersion.h"

#include <gtest/gtest.h>
#include <msi.h>
#include <shlobj.h>

#include <algorithm>
#include <filesystem>
#include <tuple>

namespace qx {
namespace {

using test::RunAnswered;
using win32::Narrow;
using win32::Widen;

// A path of the build host as the programs under Wine see it.
std::string HostPath(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    return "Z:" + path;
}

const std::string kPortable = HostPath(QX_PORTABLE_DIR), kStage = HostPath(QX_STAGE_DIR);

std::string KnownFolder(const KNOWNFOLDERID& id) {
    PWSTR path = nullptr;
    std::string result;
    if (SUCCEEDED(SHGetKnownFolderPath(id, 0, nullptr, &path))) result = Narrow(path, wcslen(path));
    CoTaskMemFree(path);
    return result;
}

std::string Lower(const std::string& text) {
    std::wstring wide = Widen(text);
    CharLowerW(wide.data());
    return Narrow(wide);
}

// Every file below a folder as lower-case relative paths, in order.
std::vector<std::string> Files(const std::string& root) {
    std::vector<std::string> out;
    std::error_code missing;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(Widen(root), missing))
        if (entry.is_regular_file())
            out.push_back(Lower(Narrow(entry.path().lexically_relative(Widen(root)).wstring())));
    std::sort(out.begin(), out.end());
    return out;
}

std::string FileVersion(const std::string& path) {
    win32::ProgramVersion version;
    win32::ReadFileVersion(Widen(path), version);
    return version.companyName + " " + version.version;
}

// The versions of the installed products named Quellix.
std::vector<std::string> Installed() {
    std::vector<std::string> versions;
    wchar_t code[39], text[256];
    for (DWORD i = 0, size = 256; MsiEnumProductsW(i, code) == ERROR_SUCCESS; ++i, size = 256) {
        if (MsiGetProductInfoW(code, INSTALLPROPERTY_INSTALLEDPRODUCTNAME, text, &size) != ERROR_SUCCESS ||
            std::wstring(text) != L"Quellix")
            continue;
        size = 256;
        MsiGetProductInfoW(code, INSTALLPROPERTY_VERSIONSTRING, text, &size);
        versions.push_back(Narrow(text, size));
    }
    return versions;
}

// msiexec in silent mode; its exit code.
std::uint32_t Msiexec(const std::string& arguments) {
    return RunAnswered("msiexec.exe " + arguments + " /qn", "C:\\", IDCANCEL, nullptr, 120000).exitCode;
}

// Windows puts a per-machine package's Start menu entry into the all-users
// Start menu; Wine's installer into the installing user's. Either place
// counts, but only one of them: the targets of those found.
std::vector<std::string> StartMenuTargets() {
    std::vector<std::string> found;
    for (const KNOWNFOLDERID* folder : {&FOLDERID_CommonPrograms, &FOLDERID_Programs}) {
        const std::string link = KnownFolder(*folder) + "\\Quellix.lnk";
        if (GetFileAttributesW(Widen(link).c_str()) != INVALID_FILE_ATTRIBUTES)
            found.push_back(Lower(test::ReadShellLink(link).path));
    }
    return found;
}

TEST(Package, InstallsUpgradesRefusesADowngradeAndUninstallsSilentlyLeavingWhatTheUserMade) {
    const std::string installDir = KnownFolder(FOLDERID_ProgramFiles) + "\\Quellix";
    const std::string exe = installDir + "\\quellix.exe";
    // The prefix is shared with the other tests, and a run that failed
    // earlier may have left a product or files behind.
    const auto removeAll = [&] {
        for (const char* msi : {QX_MSI, QX_REBUILT_MSI, QX_NEXT_MSI}) Msiexec("/x \"" + HostPath(msi) + "\"");
        std::error_code ignored;
        std::filesystem::remove_all(Widen(installDir), ignored);
    };
    removeAll();
    // What the program wrote into its folder the package must never touch.
    const std::vector<std::string> shipped = Files(kStage), none, userFiles = {"data\\mine.qxs", "quellix.log"};
    ASSERT_GE(shipped.size(), 3u);
    // The package, whether it is removed, msiexec's exit code, the one version installed afterwards (or none).
    using Step = std::tuple<std::string, bool, std::uint32_t, const char*>;
    const Step steps[] = {
        {QX_MSI, false, ERROR_SUCCESS, QX_VERSION},                 // install
        {QX_MSI, false, ERROR_SUCCESS, QX_VERSION},                 // the same package again
        {QX_REBUILT_MSI, false, ERROR_SUCCESS, QX_VERSION},         // a rebuild of the same version
        {QX_NEXT_MSI, false, ERROR_SUCCESS, QX_NEXT_VERSION},       // a newer version over it
        {QX_MSI, false, ERROR_INSTALL_FAILURE, QX_NEXT_VERSION},    // the older over the newer
        {QX_NEXT_MSI, true, ERROR_SUCCESS, nullptr},
    };
    for (const auto& [msi, uninstall, exitCode, installed] : steps) {
        SCOPED_TRACE(msi + (uninstall ? " removed" : " installed"));
        if (uninstall) {
            CreateDirectoryW(Widen(installDir + "\\data").c_str(), nullptr);
            for (const std::string& name : userFiles)
                ASSERT_TRUE(win32::cWin32FileSystem().WriteFile(installDir + "\\" + name, name));
        }
        EXPECT_EQ(Msiexec((uninstall ? "/x \"" : "/i \"") + HostPath(msi) + "\""), exitCode);
        EXPECT_EQ(Installed(), installed ? std::vector<std::string>{installed} : none);
        EXPECT_EQ(Files(installDir), installed ? shipped : userFiles);
        EXPECT_EQ(StartMenuTargets(), installed ? std::vector<std::string>{Lower(exe)} : none);
        EXPECT_EQ(FileVersion(exe), installed ? "Veltrane " + std::string(installed) : " "); // " ": no file
    }
    removeAll();
}

// The same program as the staged one, so what it does from any folder is the command line's tests'.
TEST(PortablePackage, HoldsExactlyTheShippedFiles) {
    EXPECT_EQ(Files(kPortable), Files(kStage));
    EXPECT_EQ(FileVersion(kPortable + "\\quellix.exe"), "Veltrane " + std::string(QX_VERSION));
}

} // namespace
} // namespace qx
