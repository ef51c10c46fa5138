// cOSInfo on the versions Wine can pretend to be. A process cannot change the
// version it is told, so each case copies the probe under its own exe name,
// sets Wine's per-program Version for that name and reads what the probe saw.
#include "win32/WinApi.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>

namespace {

std::wstring ExeFolder() {
    wchar_t buf[MAX_PATH]{};
    const DWORD n = GetModuleFileNameW(nullptr, buf, MAX_PATH);
    std::wstring path(buf, n);
    return path.substr(0, path.find_last_of(L'\\') + 1);
}

// Sets the per-program Windows version and removes it, and the copy, again.
class VersionedCopy {
public:
    VersionedCopy(const std::wstring& exeName, const std::wstring& version)
        : exe_(ExeFolder() + exeName), key_(L"Software\\Wine\\AppDefaults\\" + exeName) {
        RegDeleteKeyW(HKEY_CURRENT_USER, key_.c_str());
        if (!version.empty()) {
            HKEY k = nullptr;
            ok_ = RegCreateKeyExW(HKEY_CURRENT_USER, key_.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &k,
                                  nullptr) == ERROR_SUCCESS;
            if (ok_) {
                ok_ = RegSetValueExW(k, L"Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version.c_str()),
                                     static_cast<DWORD>((version.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
                RegCloseKey(k);
            }
        }
        ok_ = ok_ && CopyFileW((ExeFolder() + L"qx_osprobe.exe").c_str(), exe_.c_str(), FALSE);
    }
    ~VersionedCopy() {
        RegDeleteKeyW(HKEY_CURRENT_USER, key_.c_str());
        DeleteFileW(exe_.c_str());
    }
    VersionedCopy(const VersionedCopy&) = delete;
    VersionedCopy& operator=(const VersionedCopy&) = delete;
    bool ok() const { return ok_; }
    const std::wstring& exe() const { return exe_; }

private:
    std::wstring exe_, key_;
    bool ok_ = true;
};

// Runs a console program and returns what it wrote to its standard output.
bool RunAndCapture(const std::wstring& exe, std::string& output) {
    SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &sa, 0)) return false;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = writeEnd;
    si.hStdError = writeEnd;
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION pi{};
    std::wstring cmd = L"\"" + exe + L"\"";
    const BOOL started = CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
    CloseHandle(writeEnd);
    if (started) {
        char buf[512];
        DWORD got = 0;
        while (ReadFile(readEnd, buf, sizeof buf, &got, nullptr) && got > 0) output.append(buf, got);
        WaitForSingleObject(pi.hProcess, 30000);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
    CloseHandle(readEnd);
    return started != FALSE;
}

std::map<std::string, std::string> Probe(const std::wstring& exeName, const std::wstring& version) {
    VersionedCopy copy(exeName, version);
    EXPECT_TRUE(copy.ok());
    std::string out;
    EXPECT_TRUE(RunAndCapture(copy.exe(), out));
    std::map<std::string, std::string> fields;
    std::istringstream in(out);
    std::string item;
    while (in >> item) {
        const auto eq = item.find('=');
        if (eq != std::string::npos) fields[item.substr(0, eq)] = item.substr(eq + 1);
    }
    EXPECT_FALSE(fields.empty()) << out;
    return fields;
}

using Fields = std::map<std::string, std::string>;

void ExpectFlags(const Fields& f, const char* unknown, const char* w2000, const char* w95, const char* w98,
                 const char* nt3, const char* nt4, const char* nt4OrLater) {
    const Fields want{{"unknown", unknown}, {"win2000", w2000}, {"win95", w95},      {"win98", w98},
                      {"nt3", nt3},         {"nt4", nt4},       {"nt4orlater", nt4OrLater}};
    for (const auto& [k, v] : want) {
        const auto it = f.find(k);
        ASSERT_NE(it, f.end()) << k;
        EXPECT_EQ(it->second, v) << k;
    }
}

TEST(OSVersionProbe, Windows98) {
    const Fields f = Probe(L"qx_osprobe_win98.exe", L"win98");
    ExpectFlags(f, "0", "0", "0", "1", "0", "0", "0");
    EXPECT_EQ(f.at("platform"), "1");
    EXPECT_EQ(f.at("minor"), "10");
    EXPECT_EQ(f.at("dosmode"), "1");
    EXPECT_EQ(f.at("interface"), "2");
    EXPECT_EQ(f.at("version"), "5.0"); // 4 + 10 / 10
}

TEST(OSVersionProbe, Windows2000) {
    const Fields f = Probe(L"qx_osprobe_win2k.exe", L"win2k");
    ExpectFlags(f, "0", "1", "0", "0", "0", "1", "1");
    EXPECT_EQ(f.at("platform"), "2");
    EXPECT_EQ(f.at("dosmode"), "0");
    EXPECT_EQ(f.at("interface"), "2");
    EXPECT_EQ(f.at("version"), "5.0");
}

TEST(OSVersionProbe, WindowsXP) {
    const Fields f = Probe(L"qx_osprobe_winxp.exe", L"winxp");
    ExpectFlags(f, "0", "1", "0", "0", "0", "1", "1");
    EXPECT_EQ(f.at("interface"), "2");
    EXPECT_EQ(f.at("version"), "5.1");
}

TEST(OSVersionProbe, Windows10ReportsItsTrueVersion) {
    const Fields f = Probe(L"qx_osprobe_win10.exe", L"win10");
    ExpectFlags(f, "1", "0", "0", "0", "0", "0", "1");
    EXPECT_EQ(f.at("major"), "10"); // not the 6.2 that GetVersionEx gives manifest-less programs
    EXPECT_EQ(f.at("interface"), "1");
}

TEST(OSVersionProbe, WineDefaultIsUnknownButModernNT) {
    const Fields f = Probe(L"qx_osprobe_default.exe", L"");
    ExpectFlags(f, "1", "0", "0", "0", "0", "0", "1");
    EXPECT_EQ(f.at("platform"), "2");
    EXPECT_GE(std::stoi(f.at("major")), 6);
    EXPECT_EQ(f.at("dosmode"), "0");
    EXPECT_EQ(f.at("interface"), "1");
}

TEST(OSVersionProbe, AppDefaultsKeysAreRemoved) {
    { VersionedCopy copy(L"qx_osprobe_cleanup.exe", L"winxp"); }
    HKEY k = nullptr;
    EXPECT_NE(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Wine\\AppDefaults\\qx_osprobe_cleanup.exe", 0, KEY_READ,
                            &k),
              ERROR_SUCCESS);
    EXPECT_EQ(GetFileAttributesW((ExeFolder() + L"qx_osprobe_cleanup.exe").c_str()), INVALID_FILE_ATTRIBUTES);
}

} // namespace
