// The release packages as an administrator and a user meet them: the
// Windows Installer package installed, reinstalled, upgraded, refused as a
// downgrade and removed with msiexec in silent mode, and the portable zip
// unpacked into a fresh folder and run from there.
#include "integration/cTargetProcess.h"
#include "integration/cTempFolder.h"
#include "integration/cTempPath.h"
#include "integration/modRunAnswered.h"
#include "integration/modShellLinkReader.h"
#include "win32/WideText.h"
#include "win32/WinApi.h"
#include "win32/modProgramVersion.h"

#include <gtest/gtest.h>
#include <msi.h>
#include <shlobj.h>

#include <algorithm>
#include <filesystem>
#include <vector>

namespace qx {
namespace {

using test::cTempFolder;
using test::cTempPath;
using test::RunAnswered;
using win32::Narrow;
using win32::Widen;

// A path of the build host as the programs under Wine see it.
std::string HostPath(std::string path) {
    if (!path.empty() && path[0] == '/') path = "Z:" + path;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

const std::string kMsi = HostPath(QX_MSI);
const std::string kNextMsi = HostPath(QX_NEXT_MSI);
const std::string kRebuiltMsi = HostPath(QX_REBUILT_MSI);
const std::string kStage = HostPath(QX_STAGE_DIR);
const std::string kPortable = HostPath(QX_PORTABLE_DIR);

std::string KnownFolder(const KNOWNFOLDERID& id) {
    PWSTR path = nullptr;
    std::string result;
    if (SUCCEEDED(SHGetKnownFolderPath(id, 0, nullptr, &path))) result = Narrow(path, wcslen(path));
    CoTaskMemFree(path);
    return result;
}

bool Exists(const std::string& path) { return GetFileAttributesW(Widen(path).c_str()) != INVALID_FILE_ATTRIBUTES; }

// Every file below a folder as lower-case relative paths, in order.
std::vector<std::string> Files(const std::string& root) {
    namespace fs = std::filesystem;
    std::vector<std::string> out;
    std::error_code error;
    for (auto it = fs::recursive_directory_iterator(Widen(root), error); !error && it != fs::end(it); it.increment(error)) {
        if (!it->is_regular_file()) continue;
        std::wstring relative = it->path().lexically_relative(Widen(root)).wstring();
        CharLowerW(relative.data());
        out.push_back(Narrow(relative));
    }
    std::sort(out.begin(), out.end());
    return out;
}

win32::ProgramVersion FileVersion(const std::string& path) {
    win32::ProgramVersion version;
    win32::ReadFileVersion(Widen(path), version);
    return version;
}

// The versions of the installed products named Quellix.
std::vector<std::string> InstalledVersions(std::vector<std::wstring>* codes = nullptr) {
    std::vector<std::string> versions;
    wchar_t code[39];
    for (DWORD i = 0; MsiEnumProductsW(i, code) == ERROR_SUCCESS; ++i) {
        wchar_t text[256];
        DWORD size = 256;
        if (MsiGetProductInfoW(code, INSTALLPROPERTY_INSTALLEDPRODUCTNAME, text, &size) != ERROR_SUCCESS ||
            std::wstring(text) != L"Quellix")
            continue;
        size = 256;
        MsiGetProductInfoW(code, INSTALLPROPERTY_VERSIONSTRING, text, &size);
        versions.push_back(Narrow(text, size));
        if (codes != nullptr) codes->push_back(code);
    }
    return versions;
}

// msiexec in silent mode with a verbose log; the exit code, and the log for a failure's message.
std::uint32_t Msiexec(const std::string& arguments, std::string& log) {
    const cTempPath logFile("qx-msiexec");
    const auto run = RunAnswered("msiexec.exe " + arguments + " /qn /l*v \"" + logFile.Path() + "\"", "C:\\",
                                 IDCANCEL, nullptr, 120000);
    log = logFile.Contents();
    return run.exitCode;
}

// What "/?" of an executable writes to its redirected output.
std::string HelpOutput(const std::string& exe) {
    const cTempPath out("qx-package-help");
    SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
    HANDLE file = CreateFileW(Widen(out.Path()).c_str(), GENERIC_WRITE, FILE_SHARE_READ, &sa, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    RunAnswered("\"" + exe + "\" /?", "C:\\", IDOK, file);
    CloseHandle(file);
    return out.Contents();
}

class Package : public ::testing::Test {
protected:
    // The prefix is shared with the other tests, and a run that failed
    // earlier may have left a product, files or the marker option behind:
    // start and end without them.
    void SetUp() override {
        ASSERT_FALSE(programFiles.empty());
        RemoveAllQuellix();
    }
    void TearDown() override { RemoveAllQuellix(); }

    void RemoveAllQuellix() const {
        std::vector<std::wstring> codes;
        InstalledVersions(&codes);
        std::string log;
        for (const std::wstring& code : codes) Msiexec("/x " + Narrow(code), log);
        std::error_code ignored;
        if (!programFiles.empty()) std::filesystem::remove_all(Widen(installDir), ignored);
        RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kOptionsKey, kMarkerName);
    }

    static constexpr const wchar_t* kOptionsKey = L"Software\\Veltrane\\Quellix\\Options";
    static constexpr const wchar_t* kMarkerName = L"QxPackageTestMarker";

    // Windows puts a per-machine package's Start menu entry into the
    // all-users Start menu; Wine's installer puts it into the installing
    // user's. Either place counts, but only one of them.
    static std::vector<std::string> StartMenuLinks() {
        std::vector<std::string> found;
        for (const KNOWNFOLDERID* folder : {&FOLDERID_CommonPrograms, &FOLDERID_Programs}) {
            const std::string link = KnownFolder(*folder) + "\\Quellix.lnk";
            if (Exists(link)) found.push_back(link);
        }
        return found;
    }

    const std::string programFiles = KnownFolder(FOLDERID_ProgramFiles);
    const std::string installDir = programFiles + "\\Quellix";
    const std::string installedExe = installDir + "\\quellix.exe";
};

TEST_F(Package, InstallsUpgradesRefusesADowngradeAndUninstallsSilently) {
    // A set the user saved and the options, which the package must never touch.
    const cTempFolder sets("qx-package-sets");
    ASSERT_TRUE(sets.Put("mine.qxs", "user's own set"));
    const DWORD marker = 4321;
    ASSERT_EQ(RegSetKeyValueW(HKEY_LOCAL_MACHINE, kOptionsKey, kMarkerName, REG_DWORD, &marker, sizeof marker),
              ERROR_SUCCESS);
    const std::vector<std::string> shipped = Files(kStage);
    ASSERT_GE(shipped.size(), 3u);

    struct Step {
        const char* what;
        std::string arguments;
        std::uint32_t exitCode;
        const char* installed; // the one version installed afterwards, or none
    };
    const Step steps[] = {
        {"install", "/i \"" + kMsi + "\"", ERROR_SUCCESS, QX_VERSION},
        {"the same package again", "/i \"" + kMsi + "\"", ERROR_SUCCESS, QX_VERSION},
        {"a rebuild of the same version", "/i \"" + kRebuiltMsi + "\"", ERROR_SUCCESS, QX_VERSION},
        {"a newer version over it", "/i \"" + kNextMsi + "\"", ERROR_SUCCESS, QX_NEXT_VERSION},
        {"the older version over the newer", "/i \"" + kMsi + "\"", ERROR_INSTALL_FAILURE, QX_NEXT_VERSION},
        {"uninstall", "/x \"" + kNextMsi + "\"", ERROR_SUCCESS, nullptr},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        std::string log;
        EXPECT_EQ(Msiexec(step.arguments, log), step.exitCode) << log;
        if (step.installed == nullptr) {
            EXPECT_TRUE(InstalledVersions().empty());
            EXPECT_FALSE(Exists(installDir));
            EXPECT_TRUE(StartMenuLinks().empty());
            continue;
        }
        EXPECT_EQ(InstalledVersions(), std::vector<std::string>{step.installed});
        EXPECT_EQ(Files(installDir), shipped);
        const win32::ProgramVersion version = FileVersion(installedExe);
        EXPECT_EQ(version.version, step.installed);
        EXPECT_EQ(version.companyName, "Veltrane");
        const std::vector<std::string> links = StartMenuLinks();
        ASSERT_EQ(links.size(), 1u);
        const std::string target = test::ReadShellLink(links[0]).path;
        EXPECT_EQ(CompareStringOrdinal(Widen(target).c_str(), -1, Widen(installedExe).c_str(), -1, TRUE), CSTR_EQUAL)
            << target;
        const std::string help = HelpOutput(installedExe);
        EXPECT_EQ(help.rfind("Usage: QUELLIX", 0), 0u) << help;
        EXPECT_NE(help.find("Quellix version " + std::string(step.installed) + "\r\n"), std::string::npos) << help;
    }
    EXPECT_EQ(sets.Contents("mine.qxs"), "user's own set");
    DWORD value = 0, size = sizeof value;
    EXPECT_EQ(RegGetValueW(HKEY_LOCAL_MACHINE, kOptionsKey, kMarkerName, RRF_RT_REG_DWORD, nullptr, &value, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(value, marker);
}

TEST_F(Package, UninstallLeavesWhatTheProgramWroteIntoItsFolder) {
    std::string log;
    ASSERT_EQ(Msiexec("/i \"" + kMsi + "\"", log), 0u) << log;
    const cTempFolder mine("qx-package-user");
    ASSERT_TRUE(CreateDirectoryW(Widen(installDir + "\\data").c_str(), nullptr));
    const std::string userFiles[] = {"data\\mine.qxs", "quellix.log"};
    for (const std::string& name : userFiles) {
        ASSERT_TRUE(mine.Put("x", name));
        ASSERT_TRUE(CopyFileW(Widen(mine.File("x")).c_str(), Widen(installDir + "\\" + name).c_str(), TRUE)) << name;
    }

    EXPECT_EQ(Msiexec("/x \"" + kMsi + "\"", log), 0u) << log;
    EXPECT_TRUE(InstalledVersions().empty());
    EXPECT_EQ(Files(installDir), (std::vector<std::string>(std::begin(userFiles), std::end(userFiles))));
    for (const std::string& name : userFiles) EXPECT_EQ(test::ReadFileBytes(installDir + "\\" + name), name);
}

TEST(PortablePackage, HoldsTheShippedFilesAndClosesAProgramFromAFreshFolder) {
    EXPECT_EQ(Files(kPortable), Files(kStage));
    const std::string exe = kPortable + "\\quellix.exe";
    EXPECT_EQ(FileVersion(exe).version, QX_VERSION);

    test::cTargetProcess target({"--title", "QxPortable Target"});
    ASSERT_TRUE(target.Ready());
    const cTempFolder work("qx-portable-work");
    const auto run = RunAnswered("\"" + exe + "\" /T=\"QxPortable Target\" /F /W:2", work.Path(), IDOK);
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_TRUE(run.boxes.empty());
    EXPECT_TRUE(target.WaitForExit(5000));
}

} // namespace
} // namespace qx
