// Construction, COM identity and the IDataObject methods of the drag's data source.
#include "ImageFileDataSource.h"

#include "FormatEnumerator.h"
#include "ImageFileDropSource.h"
#include "MounterMessages.h"
#include "MounterNameSpaceFolder.h"
#include "MounterResources.h"

#include <new>

CImageFileDataSource* CImageFileDataSource::Create(CMounterNameSpaceFolder* folder, HWND window,
                                                   CImageFileDropSource* dropSource) {
    return new (std::nothrow) CImageFileDataSource(folder, window, dropSource);
}

CImageFileDataSource::CImageFileDataSource(CMounterNameSpaceFolder* folder, HWND window,
                                           CImageFileDropSource* dropSource)
    : m_folder(pv::ComPtr<CMounterNameSpaceFolder>::share(folder)),
      m_window(window),
      m_dropSource(pv::ComPtr<CImageFileDropSource>::share(dropSource)),
      m_wideNames((GetVersion() & 0x80000000) == 0) {}

CImageFileDataSource::~CImageFileDataSource() = default;

STDMETHODIMP CImageFileDataSource::GetData(FORMATETC* format, STGMEDIUM* medium) {
    if (!medium) return E_INVALIDARG;
    HRESULT hr = QueryGetData(format);
    if (hr != S_OK) return hr;
    HGLOBAL block = nullptr;
    try {
        hr = Render(OfferOf(format), &block);
    } catch (const std::bad_alloc&) {
        mounter::ShowMessage(m_window, IDS_OUT_OF_MEMORY);
        hr = E_OUTOFMEMORY;
    } catch (...) {
        hr = E_UNEXPECTED;
    }
    if (FAILED(hr)) return hr;
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = block;
    medium->pUnkForRelease = nullptr;
    return S_OK;
}

STDMETHODIMP CImageFileDataSource::GetDataHere(FORMATETC*, STGMEDIUM*) { return E_NOTIMPL; }

STDMETHODIMP CImageFileDataSource::QueryGetData(FORMATETC* format) {
    if (!format) return E_INVALIDARG;
    if (OfferOf(format) < 0 || format->dwAspect != DVASPECT_CONTENT) return DV_E_FORMATETC;
    if (!(format->tymed & TYMED_HGLOBAL)) return DV_E_TYMED;
    return S_OK;
}

STDMETHODIMP CImageFileDataSource::GetCanonicalFormatEtc(FORMATETC*, FORMATETC* canonical) {
    if (!canonical) return E_INVALIDARG;
    canonical->ptd = nullptr;
    return DATA_S_SAMEFORMATETC;
}

STDMETHODIMP CImageFileDataSource::SetData(FORMATETC*, STGMEDIUM*, BOOL) { return E_NOTIMPL; }

STDMETHODIMP CImageFileDataSource::EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) {
    if (!out) return E_INVALIDARG;
    *out = nullptr;
    if (direction != DATADIR_GET) return E_NOTIMPL;
    try {
        std::vector<FORMATETC> formats;
        for (int offer = 0; offer < kOfferCount; ++offer) formats.push_back(FormatOf(offer));
        *out = CFormatEnumerator::Create(formats);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    return *out ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP CImageFileDataSource::DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) { return OLE_E_ADVISENOTSUPPORTED; }

STDMETHODIMP CImageFileDataSource::DUnadvise(DWORD) { return OLE_E_ADVISENOTSUPPORTED; }

STDMETHODIMP CImageFileDataSource::EnumDAdvise(IEnumSTATDATA**) { return OLE_E_ADVISENOTSUPPORTED; }
