#include "integration/modShellLinkReader.h"

#include "win32/ComPtr.h"
#include "win32/ComScope.h"
#include "win32/WideText.h"
#include "win32/WinApi.h"

#include <objidl.h>
#include <shlobj.h>

namespace qx::test {

ShellLinkFields ReadShellLink(const std::string& linkPath) {
    ShellLinkFields fields;
    win32::ComScope com;
    win32::ComPtr<IShellLinkW> link;
    win32::ComPtr<IPersistFile> file;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.PutVoid())) ||
        FAILED(link->QueryInterface(IID_IPersistFile, file.PutVoid())) ||
        FAILED(file->Load(win32::Widen(linkPath).c_str(), STGM_READ)))
        return fields;
    wchar_t buffer[1024] = L"";
    if (SUCCEEDED(link->GetPath(buffer, 1024, nullptr, SLGP_RAWPATH))) fields.path = win32::Narrow(buffer);
    buffer[0] = L'\0';
    if (SUCCEEDED(link->GetArguments(buffer, 1024))) fields.arguments = win32::Narrow(buffer);
    return fields;
}

} // namespace qx::test
