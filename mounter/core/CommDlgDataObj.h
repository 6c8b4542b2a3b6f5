// The data object a Mounter view gives a common file dialog for its selection: the selected items
// as a "Shell IDList Array", made afresh at each request.
#pragma once

#include "ComObject.h"
#include "ModuleLock.h"
#include "MounterViewSelection.h"

#include <ole2.h>

class CCommDlgDataObj final : public CComObject<IDataObject> {
public:
    // A new object with one reference over the view's selection (view may be null); null without
    // memory.
    static CCommDlgDataObj* Create(const CMounterViewSelection* view);

    STDMETHODIMP GetData(FORMATETC* format, STGMEDIUM* medium) override;
    STDMETHODIMP GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    STDMETHODIMP QueryGetData(FORMATETC*) override { return E_NOTIMPL; }
    STDMETHODIMP GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
    STDMETHODIMP SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
    STDMETHODIMP DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
    STDMETHODIMP DUnadvise(DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP EnumDAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }

private:
    explicit CCommDlgDataObj(const CMounterViewSelection* view) : m_view(view) {}
    ~CCommDlgDataObj() override = default;
    HRESULT MakeIdListArray(HGLOBAL* block) const;

    mounter::ModuleLock m_moduleLock;
    const CMounterViewSelection* m_view;
};
