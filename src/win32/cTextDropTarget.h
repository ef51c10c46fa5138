#pragma once
// A drop target that takes text: it accepts data offering CF_UNICODETEXT or
// CF_TEXT and hands the dropped text to its owner. The owner decides what
// the text means, after the drag has finished (see fQXMain).
#include "win32/WinApi.h"

#include <ole2.h>

#include <functional>
#include <string>

namespace qx::win32 {

class cTextDropTarget final : public IDropTarget {
public:
    using Dropped = std::function<void(const std::string& text)>;
    using Accepting = std::function<bool()>;

    // accepting tells whether drops are taken at the moment.
    cTextDropTarget(Dropped dropped, Accepting accepting) : dropped_(std::move(dropped)), accepting_(std::move(accepting)) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keyState, POINTL point, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragLeave() override;
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) override;

private:
    ~cTextDropTarget() = default;
    DWORD Effect(DWORD allowed) const;

    LONG refs_ = 1;
    Dropped dropped_;
    Accepting accepting_;
    bool hasText_ = false;
};

} // namespace qx::win32
