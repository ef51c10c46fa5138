#include "win32/ProcessOwner.h"

#include "win32/WideText.h"

#include <sddl.h>

#include <memory>
#include <type_traits>

namespace qx::win32 {
namespace {

struct HandleCloser {
    void operator()(HANDLE h) const { ::CloseHandle(h); }
};
using UniqueHandle = std::unique_ptr<void, HandleCloser>;

struct ServiceCloser {
    void operator()(SC_HANDLE h) const { CloseServiceHandle(h); }
};
using UniqueService = std::unique_ptr<std::remove_pointer_t<SC_HANDLE>, ServiceCloser>;

struct LocalFreer {
    void operator()(wchar_t* p) const { LocalFree(p); }
};

} // namespace

bool QueryTokenOwner(HANDLE process, ProcessOwner& owner) {
    HANDLE raw = nullptr;
    if (!OpenProcessToken(process, TOKEN_QUERY, &raw)) return false;
    const UniqueHandle token(raw);
    DWORD needed = 0;
    GetTokenInformation(raw, TokenUser, nullptr, 0, &needed);
    if (needed == 0) return false;
    // TOKEN_USER holds a pointer into the same buffer: keep it pointer-aligned.
    std::vector<std::uintptr_t> buffer(needed / sizeof(std::uintptr_t) + 1);
    if (!GetTokenInformation(raw, TokenUser, buffer.data(), needed, &needed)) return false;
    wchar_t* text = nullptr;
    if (!ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid, &text)) return false;
    const std::unique_ptr<wchar_t, LocalFreer> sidText(text);
    DWORD session = 0;
    if (!GetTokenInformation(raw, TokenSessionId, &session, sizeof session, &needed)) return false;
    owner.userSid = Narrow(text);
    owner.sessionId = session;
    return true;
}

bool QueryServiceProcessIds(std::vector<std::uint32_t>& ids) {
    ids.clear();
    const UniqueService manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ENUMERATE_SERVICE));
    if (!manager) return false;
    // Services may start between the size query and the listing: ask again
    // with the larger size the second answer gives.
    std::vector<BYTE> buffer;
    DWORD needed = 0, count = 0, resume = 0;
    for (int attempt = 0; attempt < 4; ++attempt) {
        resume = 0;
        const BOOL ok = EnumServicesStatusExW(manager.get(), SC_ENUM_PROCESS_INFO, SERVICE_WIN32, SERVICE_ACTIVE,
                                              buffer.empty() ? nullptr : buffer.data(),
                                              static_cast<DWORD>(buffer.size()), &needed, &count, &resume, nullptr);
        if (ok) {
            const auto* services = reinterpret_cast<const ENUM_SERVICE_STATUS_PROCESSW*>(buffer.data());
            for (DWORD i = 0; i < count; ++i) {
                const DWORD pid = services[i].ServiceStatusProcess.dwProcessId;
                if (pid != 0) ids.push_back(pid);
            }
            return true;
        }
        if (::GetLastError() != ERROR_MORE_DATA) return false;
        buffer.assign(buffer.size() + needed + 1024, 0);
    }
    return false;
}

} // namespace qx::win32
