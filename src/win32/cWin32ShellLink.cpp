#include "win32/cWin32ShellLink.h"

#include "win32/ComPtr.h"
#include "win32/ComScope.h"
#include "win32/WideText.h"
#include "win32/modSystemText.h"
#include "win32/WinApi.h"

#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>

#include <cstdio>

namespace qx::win32 {
namespace {

// The system's wording for a COM result, without its closing full stop and
// line break; the step and the code when the system has no words for it.
std::string Describe(HRESULT hr, const char* step) {
    const std::string text = SystemWording(static_cast<DWORD>(hr));
    if (text.empty()) {
        char code[32];
        std::snprintf(code, sizeof code, "error 0x%08lX", static_cast<unsigned long>(hr));
        return std::string(step) + " failed with " + code;
    }
    return text;
}

} // namespace

bool WriteShellLink(const qx::ShortcutLink& link, std::string& errorDescription) {
    try {
        ComScope com;
        ComPtr<IShellLinkW> shellLink;
        HRESULT hr = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                      shellLink.PutVoid());
        if (FAILED(hr)) {
            errorDescription = Describe(hr, "Creating the shell link");
            return false;
        }
        const std::wstring target = Widen(link.targetPath);
        const std::wstring arguments = Widen(link.arguments);
        hr = shellLink->SetPath(target.c_str());
        if (SUCCEEDED(hr)) hr = shellLink->SetArguments(arguments.c_str());
        if (FAILED(hr)) {
            errorDescription = Describe(hr, "Setting the target");
            return false;
        }
        ComPtr<IPersistFile> file;
        hr = shellLink->QueryInterface(IID_IPersistFile, file.PutVoid());
        if (SUCCEEDED(hr)) hr = file->Save(Widen(link.linkPath).c_str(), TRUE);
        if (FAILED(hr)) {
            errorDescription = Describe(hr, "Saving the shortcut");
            return false;
        }
        return true;
    } catch (...) {
        errorDescription = "Out of memory";
        return false;
    }
}

} // namespace qx::win32
