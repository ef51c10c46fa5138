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

#include <gtest/gtest.h>
#include <msi.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <vector>

namespace qx {
namespace {

using test::AnsweredRun;
using test::cTargetProcess;
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

// Every file below a folder, as lower-case relative paths in order.
void ListFiles(const std::string& root, const std::string& relative, std::vector<std::string>& out) {
    WIN32_FIND_DATAW found;
    const std::string folder = relative.empty() ? root : root + "\\" + relative;
    HANDLE find = FindFirstFileW(Widen(folder + "\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        const std::string path = relative.empty() ? Narrow(name) : relative + "\\" + Narrow(name);
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            ListFiles(root, path, out);
        } else {
            std::string lower = path;
            std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
            out.push_back(lower);
        }
    } while (FindNextFileW(find, &found));
    FindClose(find);
    std::sort(out.begin(), out.end());
}

std::vector<std::string> Files(const std::string& root) {
    std::vector<std::string> out;
    ListFiles(root, "", out);
    return out;
}

// The file version and the company from an executable's version resource,
// read independently of the program's own reader.
struct FileVersion {
    std::string version;
    std::string company;
};

FileVersion ReadFileVersion(const std::string& path) {
    FileVersion result;
    const std::wstring file = Widen(path);
    DWORD ignored = 0;
    std::vector<unsigned char> block(GetFileVersionInfoSizeW(file.c_str(), &ignored));
    if (block.empty() || !GetFileVersionInfoW(file.c_str(), 0, static_cast<DWORD>(block.size()), block.data()))
        return result;
    void* value = nullptr;
    UINT length = 0;
    if (VerQueryValueW(block.data(), L"\\", &value, &length) && length >= sizeof(VS_FIXEDFILEINFO)) {
        const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
        char text[64];
        std::snprintf(text, sizeof text, "%u.%u.%u.%u", HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
                      HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS));
        result.version = text;
    }
    if (VerQueryValueW(block.data(), L"\\StringFileInfo\\040904B0\\CompanyName", &value, &length) && length > 0)
        result.company = Narrow(static_cast<const wchar_t*>(value), wcsnlen(static_cast<const wchar_t*>(value), length));
    return result;
}

// The installed products named Quellix: their product codes and versions.
struct Product {
    std::wstring code;
    std::string version;
};

std::vector<Product> InstalledQuellix() {
    std::vector<Product> found;
    wchar_t code[39];
    for (DWORD i = 0; MsiEnumProductsW(i, code) == ERROR_SUCCESS; ++i) {
        wchar_t text[256];
        DWORD size = 256;
        if (MsiGetProductInfoW(code, INSTALLPROPERTY_INSTALLEDPRODUCTNAME, text, &size) != ERROR_SUCCESS ||
            std::wstring(text) != L"Quellix")
            continue;
        size = 256;
        MsiGetProductInfoW(code, INSTALLPROPERTY_VERSIONSTRING, text, &size);
        found.push_back({code, Narrow(text, size)});
    }
    return found;
}

std::vector<std::string> Versions(const std::vector<Product>& products) {
    std::vector<std::string> versions;
    for (const Product& p : products) versions.push_back(p.version);
    return versions;
}

// msiexec with a verbose log; the exit code, and the log on failure.
std::uint32_t Msiexec(const std::string& arguments, std::string& log) {
    const cTempPath logFile("qx-msiexec");
    const AnsweredRun run =
        RunAnswered("msiexec.exe " + arguments + " /qn /l*v \"" + logFile.Path() + "\"", "C:\\", IDCANCEL, nullptr, 120000);
    log = run.started ? logFile.Contents() : "msiexec did not start";
    return run.exitCode;
}

// What "/?" of an executable writes to its redirected output.
std::string HelpOutput(const std::string& exe) {
    const cTempPath out("qx-package-help");
    SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
    HANDLE file = CreateFileW(Widen(out.Path()).c_str(), GENERIC_WRITE, FILE_SHARE_READ, &sa, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    RunAnswered("\"" + exe + "\" /?", "C:\\", IDOK, file);
    CloseHandle(file);
    return out.Contents();
}

// A user's own option, set before the package comes and put back after.
class UserOption {
public:
    static constexpr const wchar_t* kKey = L"Software\\Veltrane\\Quellix\\Options";
    static constexpr const wchar_t* kName = L"DefaultWaitSeconds";
    UserOption() {
        DWORD value = 0, size = sizeof value;
        if (RegGetValueW(HKEY_CURRENT_USER, kKey, kName, RRF_RT_REG_DWORD, nullptr, &value, &size) == ERROR_SUCCESS)
            saved_ = value;
        Set(kMarker);
    }
    ~UserOption() {
        if (saved_) Set(*saved_);
        else RegDeleteKeyValueW(HKEY_CURRENT_USER, kKey, kName);
    }
    static DWORD Get() {
        DWORD value = 0, size = sizeof value;
        RegGetValueW(HKEY_CURRENT_USER, kKey, kName, RRF_RT_REG_DWORD, nullptr, &value, &size);
        return value;
    }
    static constexpr DWORD kMarker = 4321;

private:
    static void Set(DWORD value) {
        RegSetKeyValueW(HKEY_CURRENT_USER, kKey, kName, REG_DWORD, &value, sizeof value);
    }
    std::optional<DWORD> saved_;
};

class Package : public ::testing::Test {
protected:
    // A run interrupted earlier may have left a product behind; the prefix
    // is shared with the other tests, so leave it as clean as it was found.
    void SetUp() override { RemoveAllQuellix(); }
    void TearDown() override { RemoveAllQuellix(); }

    static void RemoveAllQuellix() {
        for (const Product& p : InstalledQuellix()) {
            std::string log;
            Msiexec("/x " + Narrow(p.code), log);
        }
    }

    // The Start menu entries that exist. Windows puts a per-machine
    // package's entry into the all-users Start menu; Wine's installer puts
    // it into the installing user's, so both places count, but only once.
    static std::vector<std::string> StartMenuLinks() {
        std::vector<std::string> found;
        for (const KNOWNFOLDERID* folder : {&FOLDERID_CommonPrograms, &FOLDERID_Programs}) {
            const std::string link = KnownFolder(*folder) + "\\Quellix.lnk";
            if (Exists(link)) found.push_back(link);
        }
        return found;
    }

    const std::string installDir = KnownFolder(FOLDERID_ProgramFiles) + "\\Quellix";
    const std::string installedExe = installDir + "\\quellix.exe";
};

TEST_F(Package, InstallsUpgradesRefusesADowngradeAndUninstallsSilently) {
    ASSERT_FALSE(installDir.empty());
    const UserOption option;
    const cTempFolder sets("qx-package-sets");
    ASSERT_TRUE(sets.Put("mine.qxs", "user's own set"));
    const std::vector<std::string> shipped = Files(kStage);
    ASSERT_GE(shipped.size(), 3u);

    struct Step {
        const char* what;
        std::string arguments;
        bool succeeds;
        const char* installed; // the one version installed afterwards, or none
    };
    const Step steps[] = {
        {"install", "/i \"" + kMsi + "\"", true, QX_VERSION},
        {"the same package again", "/i \"" + kMsi + "\"", true, QX_VERSION},
        {"a rebuild of the same version", "/i \"" + kRebuiltMsi + "\"", true, QX_VERSION},
        {"a newer version over it", "/i \"" + kNextMsi + "\"", true, QX_NEXT_VERSION},
        {"the older version over the newer", "/i \"" + kMsi + "\"", false, QX_NEXT_VERSION},
        {"uninstall", "/x \"" + kNextMsi + "\"", true, nullptr},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        std::string log;
        const std::uint32_t code = Msiexec(step.arguments, log);
        if (step.succeeds) {
            EXPECT_TRUE(code == ERROR_SUCCESS || code == ERROR_SUCCESS_REBOOT_REQUIRED) << code << "\n" << log;
        } else {
            EXPECT_EQ(code, static_cast<std::uint32_t>(ERROR_INSTALL_FAILURE));
        }
        const std::vector<Product> products = InstalledQuellix();
        if (step.installed == nullptr) {
            EXPECT_TRUE(products.empty());
            EXPECT_FALSE(Exists(installDir));
            EXPECT_TRUE(StartMenuLinks().empty());
            continue;
        }
        EXPECT_EQ(Versions(products), std::vector<std::string>{step.installed});
        EXPECT_EQ(Files(installDir), shipped);
        const FileVersion version = ReadFileVersion(installedExe);
        EXPECT_EQ(version.version, step.installed);
        EXPECT_EQ(version.company, "Veltrane");
        const std::vector<std::string> links = StartMenuLinks();
        ASSERT_EQ(links.size(), 1u);
        const test::ShellLinkFields link = test::ReadShellLink(links[0]);
        EXPECT_EQ(CompareStringOrdinal(Widen(link.path).c_str(), -1, Widen(installedExe).c_str(), -1, TRUE),
                  CSTR_EQUAL)
            << link.path;
        const std::string help = HelpOutput(installedExe);
        EXPECT_EQ(help.rfind("Usage: QUELLIX", 0), 0u) << help;
        EXPECT_NE(help.find("Quellix version " + std::string(step.installed) + "\r\n"), std::string::npos) << help;
    }
    EXPECT_EQ(sets.Contents("mine.qxs"), "user's own set");
    EXPECT_EQ(UserOption::Get(), UserOption::kMarker);
}

TEST_F(Package, UninstallLeavesWhatTheProgramWroteIntoItsFolder) {
    std::string log;
    ASSERT_EQ(Msiexec("/i \"" + kMsi + "\"", log), 0u) << log;
    CreateDirectoryW(Widen(installDir + "\\data").c_str(), nullptr);
    const std::pair<std::string, std::string> userFiles[] = {{"data\\mine.qxs", "a set"}, {"quellix.log", "a log"}};
    for (const auto& [name, bytes] : userFiles) {
        HANDLE file = CreateFileW(Widen(installDir + "\\" + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE) << name;
        DWORD written = 0;
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(file);
    }

    EXPECT_EQ(Msiexec("/x \"" + kMsi + "\"", log), 0u) << log;
    EXPECT_TRUE(InstalledQuellix().empty());
    EXPECT_EQ(Files(installDir), (std::vector<std::string>{"data\\mine.qxs", "quellix.log"}));
    for (const auto& [name, bytes] : userFiles) {
        EXPECT_EQ(test::ReadFileBytes(installDir + "\\" + name), bytes) << name;
        DeleteFileW(Widen(installDir + "\\" + name).c_str());
    }
    RemoveDirectoryW(Widen(installDir + "\\data").c_str());
    RemoveDirectoryW(Widen(installDir).c_str());
}

TEST(PortablePackage, HoldsTheShippedFilesAndClosesAProgramFromAFreshFolder) {
    EXPECT_EQ(Files(kPortable), Files(kStage));
    const std::string exe = kPortable + "\\quellix.exe";
    EXPECT_EQ(ReadFileVersion(exe).version, QX_VERSION);

    cTargetProcess target({"--title", "QxPortable Target"});
    ASSERT_TRUE(target.Ready());
    const cTempFolder work("qx-portable-work");
    const AnsweredRun run = RunAnswered("\"" + exe + "\" /T=\"QxPortable Target\" /F /W:2", work.Path(), IDOK);
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_TRUE(run.boxes.empty());
    EXPECT_TRUE(target.WaitForExit(5000));
}

} // namespace
} // namespace qx
