#include "win32/cTextDataObject.h"

#include "win32/WideText.h"

#include <shlobj.h>

#include <cstring>

namespace qx::win32 {
namespace {

FORMATETC Format(CLIPFORMAT cf) { return FORMATETC{cf, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}; }

HGLOBAL CopyToGlobal(const void* bytes, std::size_t size) {
    HGLOBAL g = GlobalAlloc(GMEM_MOVEABLE, size);
    if (g == nullptr) return nullptr;
    void* p = GlobalLock(g);
    if (p == nullptr) {
        GlobalFree(g);
        return nullptr;
    }
    std::memcpy(p, bytes, size);
    GlobalUnlock(g);
    return g;
}

} // namespace

cTextDataObject::cTextDataObject(const std::string& text) : text_(Widen(text)) {}

HRESULT cTextDataObject::QueryInterface(REFIID riid, void** object) {
    if (object == nullptr) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IDataObject) {
        *object = static_cast<IDataObject*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG cTextDataObject::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }

ULONG cTextDataObject::Release() {
    const LONG n = InterlockedDecrement(&refs_);
    if (n == 0) delete this;
    return static_cast<ULONG>(n);
}

bool cTextDataObject::Supported(const FORMATETC* f) {
    return f != nullptr && (f->cfFormat == CF_UNICODETEXT || f->cfFormat == CF_TEXT) && (f->tymed & TYMED_HGLOBAL) &&
           f->dwAspect == DVASPECT_CONTENT;
}

HRESULT cTextDataObject::GetData(FORMATETC* format, STGMEDIUM* medium) {
    if (medium == nullptr) return E_POINTER;
    if (!Supported(format)) return DV_E_FORMATETC;
    HGLOBAL g = nullptr;
    if (format->cfFormat == CF_UNICODETEXT) {
        g = CopyToGlobal(text_.c_str(), (text_.size() + 1) * sizeof(wchar_t));
    } else {
        // Drag text is ASCII (a list name and row numbers); the code page only
        // matters for text that never comes from here.
        const int n = WideCharToMultiByte(CP_ACP, 0, text_.c_str(), -1, nullptr, 0, nullptr, nullptr);
        std::string ansi(static_cast<std::size_t>(n > 0 ? n : 1), '\0');
        if (n > 0) WideCharToMultiByte(CP_ACP, 0, text_.c_str(), -1, ansi.data(), n, nullptr, nullptr);
        g = CopyToGlobal(ansi.data(), ansi.size());
    }
    if (g == nullptr) return E_OUTOFMEMORY;
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = g;
    medium->pUnkForRelease = nullptr;
    return S_OK;
}

HRESULT cTextDataObject::QueryGetData(FORMATETC* format) { return Supported(format) ? S_OK : DV_E_FORMATETC; }

HRESULT cTextDataObject::GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) {
    if (out != nullptr) out->ptd = nullptr;
    return DATA_S_SAMEFORMATETC;
}

HRESULT cTextDataObject::EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) {
    if (direction != DATADIR_GET) return E_NOTIMPL;
    FORMATETC formats[2] = {Format(CF_UNICODETEXT), Format(CF_TEXT)};
    return SHCreateStdEnumFmtEtc(2, formats, out);
}

bool cTextDataObject::OffersText(IDataObject* data) {
    if (data == nullptr) return false;
    FORMATETC w = Format(CF_UNICODETEXT), a = Format(CF_TEXT);
    return data->QueryGetData(&w) == S_OK || data->QueryGetData(&a) == S_OK;
}

bool cTextDataObject::ReadText(IDataObject* data, std::string& text) {
    if (data == nullptr) return false;
    for (CLIPFORMAT cf : {static_cast<CLIPFORMAT>(CF_UNICODETEXT), static_cast<CLIPFORMAT>(CF_TEXT)}) {
        FORMATETC f = Format(cf);
        STGMEDIUM m{};
        if (data->GetData(&f, &m) != S_OK) continue;
        bool ok = false;
        if (m.tymed == TYMED_HGLOBAL && m.hGlobal != nullptr) {
            const SIZE_T size = GlobalSize(m.hGlobal);
            if (const void* p = GlobalLock(m.hGlobal)) {
                try {
                    if (cf == CF_UNICODETEXT) {
                        const auto* w = static_cast<const wchar_t*>(p);
                        const std::size_t max = size / sizeof(wchar_t);
                        std::size_t len = 0;
                        while (len < max && w[len] != L'\0') ++len;
                        text = Narrow(w, len);
                    } else {
                        const auto* s = static_cast<const char*>(p);
                        std::size_t len = 0;
                        while (len < size && s[len] != '\0') ++len;
                        const std::string ansi(s, len);
                        const int n = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()),
                                                          nullptr, 0);
                        std::wstring wide(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
                        if (n > 0)
                            MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(), n);
                        text = Narrow(wide);
                    }
                    ok = true;
                } catch (...) {
                }
                GlobalUnlock(m.hGlobal);
            }
        }
        ReleaseStgMedium(&m);
        if (ok) return true;
    }
    return false;
}

} // namespace qx::win32
