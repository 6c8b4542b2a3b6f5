// IEnumFORMATETC over a fixed list of formats, for the data objects' EnumFormatEtc.
#pragma once

#include <windows.h>
#include <objidl.h>

#include <vector>

class CFormatEnumerator final : public IEnumFORMATETC {
public:
    // A new enumerator with one reference, at the start of formats; null without memory.
    static CFormatEnumerator* Create(const std::vector<FORMATETC>& formats, ULONG position = 0);

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP Next(ULONG count, FORMATETC* formats, ULONG* fetched) override;
    STDMETHODIMP Skip(ULONG count) override;
    STDMETHODIMP Reset() override;
    STDMETHODIMP Clone(IEnumFORMATETC** out) override;

private:
    CFormatEnumerator(const std::vector<FORMATETC>& formats, ULONG position);
    ~CFormatEnumerator();

    LONG m_refs = 1;
    std::vector<FORMATETC> m_formats;   // none carries a target device
    ULONG m_position;
};
