#include "win32/cTextDropTarget.h"

#include "win32/cTextDataObject.h"

namespace qx::win32 {

HRESULT cTextDropTarget::QueryInterface(REFIID riid, void** object) {
    if (object == nullptr) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IDropTarget) {
        *object = static_cast<IDropTarget*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG cTextDropTarget::Release() {
    const LONG n = InterlockedDecrement(&refs_);
    if (n == 0) delete this;
    return static_cast<ULONG>(n);
}

DWORD cTextDropTarget::Effect(DWORD allowed) const {
    bool accepting = false;
    try {
        accepting = hasText_ && (!accepting_ || accepting_());
    } catch (...) {
    }
    if (!accepting) return DROPEFFECT_NONE;
    // The rows stay in their list: a drop only ever copies.
    return (allowed & DROPEFFECT_COPY) ? DROPEFFECT_COPY : DROPEFFECT_NONE;
}

HRESULT cTextDropTarget::DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) {
    hasText_ = cTextDataObject::OffersText(data);
    if (effect != nullptr) *effect = Effect(*effect);
    return S_OK;
}

HRESULT cTextDropTarget::DragOver(DWORD, POINTL, DWORD* effect) {
    if (effect != nullptr) *effect = Effect(*effect);
    return S_OK;
}

HRESULT cTextDropTarget::DragLeave() {
    hasText_ = false;
    return S_OK;
}

HRESULT cTextDropTarget::Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) {
    hasText_ = cTextDataObject::OffersText(data);
    const DWORD result = Effect(effect != nullptr ? *effect : DROPEFFECT_COPY);
    if (effect != nullptr) *effect = result;
    hasText_ = false;
    std::string text;
    if (result == DROPEFFECT_NONE || !cTextDataObject::ReadText(data, text)) return S_OK;
    try {
        if (dropped_) dropped_(text);
    } catch (...) {
    }
    return S_OK;
}

} // namespace qx::win32
