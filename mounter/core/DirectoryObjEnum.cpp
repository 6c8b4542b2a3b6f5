#include "ObjEnum.h"

#include "pvhost.h"

namespace {

constexpr BYTE kDirectory = FILE_ATTRIBUTE_DIRECTORY;
constexpr BYTE kHiddenOrSystem = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

}  // namespace

void CDirectoryObjEnum::ReleaseList() {
    m_entries.reset();
    m_entryCount = 0;
    m_current = 0;
}

HRESULT CDirectoryObjEnum::ResetState() {
    if (!m_folder->IsSessionOpen()) {
        m_state = kDone;
        return E_UNEXPECTED;
    }
    m_state = kNotListed;
    return S_OK;
}

bool CDirectoryObjEnum::Wanted(const BYTE* entry) const {
    if (itemid::IsDotEntry(entry)) return false;
    BYTE attributes = entry[11];
    if ((attributes & kDirectory) && !(m_flags & SHCONTF_FOLDERS)) return false;
    if ((attributes & kHiddenOrSystem) && !(m_flags & SHCONTF_INCLUDEHIDDEN)) return false;
    if (!(attributes & (kDirectory | kHiddenOrSystem)) && !(m_flags & SHCONTF_NONFOLDERS)) return false;
    return true;
}

HRESULT CDirectoryObjEnum::NextItem(LPITEMIDLIST* item) {
    if (m_state == kDone) return S_FALSE;
    if (m_state == kNotListed) {
        ReleaseList();
        m_entryCount = m_folder->ListCameraFiles(m_entries.put());
        if (m_entryCount == 0) return E_OUTOFMEMORY;   // listed again by the next call
        m_state = kListing;
    }
    while (m_current < m_entryCount) {
        const BYTE* entry = m_entries.get() + m_current * kDirectoryEntrySize;
        if (!Wanted(entry)) {
            ++m_current;
            continue;
        }
        *item = itemid::FromDirectoryEntry(entry);
        if (!*item) return E_OUTOFMEMORY;
        ++m_current;
        return S_OK;
    }
    m_state = kDone;
    return S_FALSE;
}
