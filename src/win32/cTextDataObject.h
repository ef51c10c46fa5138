#pragma once
// Drag data that is one text, offered as CF_UNICODETEXT and CF_TEXT, as any
// drop target that takes text expects.
#include "win32/WinApi.h"

#include <ole2.h>

#include <string>

namespace qx::win32 {

class cTextDataObject final : public IDataObject {
public:
    // UTF-8 text; created with one reference.
    explicit cTextDataObject(const std::string& text);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override;
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override;
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override;
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) override;
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

    // The text of a data object that offers one of the two formats; false
    // when it offers neither.
    static bool ReadText(IDataObject* data, std::string& text);
    static bool OffersText(IDataObject* data);

private:
    ~cTextDataObject() = default;
    static bool Supported(const FORMATETC* format);

    LONG refs_ = 1;
    std::wstring text_;
};

} // namespace qx::win32
