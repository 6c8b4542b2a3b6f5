#include "FormatEnumerator.h"

#include <new>

CFormatEnumerator* CFormatEnumerator::Create(const std::vector<FORMATETC>& formats, ULONG position) {
    try {
        return new CFormatEnumerator(formats, position);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

STDMETHODIMP CFormatEnumerator::Next(ULONG count, FORMATETC* formats, ULONG* fetched) {
    if (fetched) *fetched = 0;
    if (!formats || (!fetched && count != 1)) return E_INVALIDARG;
    ULONG given = 0;
    while (given < count && m_position < m_formats.size()) formats[given++] = m_formats[m_position++];
    if (fetched) *fetched = given;
    return given == count ? S_OK : S_FALSE;
}

STDMETHODIMP CFormatEnumerator::Skip(ULONG count) {
    ULONG left = static_cast<ULONG>(m_formats.size()) - m_position;
    ULONG skipped = count < left ? count : left;
    m_position += skipped;
    return skipped == count ? S_OK : S_FALSE;
}

STDMETHODIMP CFormatEnumerator::Reset() {
    m_position = 0;
    return S_OK;
}

STDMETHODIMP CFormatEnumerator::Clone(IEnumFORMATETC** out) {
    if (!out) return E_INVALIDARG;
    *out = Create(m_formats, m_position);
    return *out ? S_OK : E_OUTOFMEMORY;
}
