// The enumerators of the folders: the camera's memories, and the entries of a memory's or an
// album's camera directory.
#pragma once

#include "CameraHandles.h"
#include "ComObject.h"
#include "ComPtr.h"
#include "MounterNameSpaceFolder.h"

#include <shlobj.h>

#include <new>

// What the three enumerators share: the folder's session (opened here when it was closed, and closed
// again at the end) and the argument checks of Next.
class CFolderObjEnum : public CComObject<IEnumIDList> {
public:
    STDMETHODIMP Next(ULONG count, LPITEMIDLIST* items, ULONG* fetched) override;
    STDMETHODIMP Skip(ULONG) override { return E_NOTIMPL; }
    STDMETHODIMP Reset() override;
    STDMETHODIMP Clone(IEnumIDList**) override { return E_NOTIMPL; }

    // Connects the folder when needed and resets; the outcome is the construction result.
    void Construct();

protected:
    CFolderObjEnum(CMounterNameSpaceFolder* folder, SHCONTF flags);
    ~CFolderObjEnum() override;
    // A new enumerator with one reference, constructed; null without memory.
    template <typename Enumerator>
    static Enumerator* Make(CMounterNameSpaceFolder* folder, SHCONTF flags) {
        auto* enumerator = new (std::nothrow) Enumerator(folder, flags);
        if (enumerator) enumerator->Construct();
        return enumerator;
    }
    virtual HRESULT ResetState() = 0;
    virtual bool Done() const = 0;
    // Produces the next item into *item: S_OK, S_FALSE at the end, or a failure.
    virtual HRESULT NextItem(LPITEMIDLIST* item) = 0;

    pv::ComPtr<CMounterNameSpaceFolder> m_folder;
    SHCONTF m_flags;
    HRESULT m_constructResult = S_OK;

private:
    bool m_openedSession = false;
};

class CCameraObjEnum : public CFolderObjEnum {
public:
    static CCameraObjEnum* Create(CMounterNameSpaceFolder* folder, SHCONTF flags) {
        return Make<CCameraObjEnum>(folder, flags);
    }
    using CFolderObjEnum::CFolderObjEnum;

private:
    HRESULT ResetState() override;
    bool Done() const override { return m_next == kDone; }
    HRESULT NextItem(LPITEMIDLIST* item) override;

    enum Next { kInternalMemory = 0, kMemoryCard = 1, kDone = 2 };
    int m_next = kDone;
};

// Lists the folder's camera directory once per reset and hands out its entries as items.
class CDirectoryObjEnum : public CFolderObjEnum {
public:
    using CFolderObjEnum::CFolderObjEnum;

protected:
    HRESULT ResetState() override;
    bool Done() const override { return m_state == kDone; }
    HRESULT NextItem(LPITEMIDLIST* item) override;

private:
    bool Wanted(const BYTE* entry) const;
    void ReleaseList();

    enum State { kNotListed = 0, kListing = 1, kDone = 2 };
    State m_state = kNotListed;
    mounter::CameraBuffer m_entries;
    DWORD m_entryCount = 0;
    DWORD m_current = 0;
};

class CMemoryObjEnum : public CDirectoryObjEnum {
public:
    static CMemoryObjEnum* Create(CMounterNameSpaceFolder* folder, SHCONTF flags) {
        return Make<CMemoryObjEnum>(folder, flags);
    }
    using CDirectoryObjEnum::CDirectoryObjEnum;
};

class CAlbumObjEnum : public CDirectoryObjEnum {
public:
    static CAlbumObjEnum* Create(CMounterNameSpaceFolder* folder, SHCONTF flags) {
        return Make<CAlbumObjEnum>(folder, flags);
    }
    using CDirectoryObjEnum::CDirectoryObjEnum;
};

// Hands out a new enumerator as IEnumIDList and drops the creator's reference (EnumObjects of the
// folders).
HRESULT HandOutEnumerator(CFolderObjEnum* enumerator, IEnumIDList** out);
