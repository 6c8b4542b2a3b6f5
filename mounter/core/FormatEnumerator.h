// IEnumFORMATETC over a fixed list of formats, for the data objects' EnumFormatEtc.
#pragma once

#include "ComObject.h"
#include "ModuleLock.h"

#include <windows.h>
#include <objidl.h>

#include <vector>

class CFormatEnumerator final : public CComObject<IEnumFORMATETC> {
public:
    // A new enumerator with one reference, at the start of formats; null without memory.
    static CFormatEnumerator* Create(const std::vector<FORMATETC>& formats, ULONG position = 0);

    STDMETHODIMP Next(ULONG count, FORMATETC* formats, ULONG* fetched) override;
    STDMETHODIMP Skip(ULONG count) override;
    STDMETHODIMP Reset() override;
    STDMETHODIMP Clone(IEnumFORMATETC** out) override;

private:
    CFormatEnumerator(const std::vector<FORMATETC>& formats, ULONG position)
        : m_formats(formats), m_position(position) {}
    ~CFormatEnumerator() override = default;

    mounter::ModuleLock m_moduleLock;
    std::vector<FORMATETC> m_formats;   // none carries a target device
    ULONG m_position;
};
