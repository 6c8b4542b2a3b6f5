#include "ClassFactory.h"

#include "Album.h"
#include "Camera.h"
#include "ComGuard.h"
#include "ComPtr.h"
#include "Memory.h"
#include "MounterClasses.h"
#include "MounterGlobals.h"

namespace {

// A class object that lives as long as the module; every reference to it keeps the module loaded.
class CMounterClassFactory : public IClassFactory {
public:
    using Creator = CMounterNameSpaceFolder* (*)();
    CMounterClassFactory(const CLSID& clsid, Creator creator) : m_clsid(clsid), m_creator(creator) {}

    const CLSID& Clsid() const { return m_clsid; }

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_INVALIDARG;
        *out = nullptr;
        if (iid != IID_IUnknown && iid != IID_IClassFactory) return E_NOINTERFACE;
        *out = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override {
        mounter::LockModule();
        return 2;
    }
    STDMETHODIMP_(ULONG) Release() override {
        mounter::UnlockModule();
        return 1;
    }
    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
        return ComGuard([&] {
            if (!out) return E_INVALIDARG;
            *out = nullptr;
            if (outer) return CLASS_E_NOAGGREGATION;
            auto folder = pv::ComPtr<CMounterNameSpaceFolder>::attach(m_creator());
            return folder->QueryInterface(iid, out);
        });
    }
    STDMETHODIMP LockServer(BOOL lock) override {
        if (lock) mounter::LockModule();
        else mounter::UnlockModule();
        return S_OK;
    }

private:
    CLSID m_clsid;
    Creator m_creator;
};

CMounterClassFactory g_factories[] = {
    {CLSID_PV360Camera, &CCamera::CreateObject},
    {CLSID_PV360Memory, &CMemory::CreateObject},
    {CLSID_PV360Album, &CAlbum::CreateObject},
};

}  // namespace

HRESULT GetMounterClassObject(REFCLSID clsid, REFIID iid, void** out) {
    if (!out) return E_INVALIDARG;
    *out = nullptr;
    for (CMounterClassFactory& factory : g_factories)
        if (factory.Clsid() == clsid) return factory.QueryInterface(iid, out);
    return CLASS_E_CLASSNOTAVAILABLE;
}
