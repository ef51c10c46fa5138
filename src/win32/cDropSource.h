#pragma once
// The drag source of the Applications and Processes lists: a drag goes on
// while the left button is held and Escape ends it.
#include "win32/WinApi.h"

#include <ole2.h>

namespace qx::win32 {

class cDropSource final : public IDropSource {
public:
    cDropSource() = default; // one reference
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escapePressed, DWORD keyState) override;
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }

private:
    ~cDropSource() = default;
    LONG refs_ = 1;
};

} // namespace qx::win32
