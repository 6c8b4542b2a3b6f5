// IUnknown for the Mounter's COM objects that implement a single interface: QueryInterface answers
// IUnknown and that interface (E_INVALIDARG for a null out pointer), AddRef and Release count the
// references, and the last Release deletes the object. A new object holds one reference, its
// creator's.
#pragma once

#include <windows.h>
#include <unknwn.h>

template <typename Interface>
class CComObject : public Interface {
public:
    CComObject(const CComObject&) = delete;
    CComObject& operator=(const CComObject&) = delete;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_INVALIDARG;
        *out = nullptr;
        if (iid != IID_IUnknown && iid != __uuidof(Interface)) return E_NOINTERFACE;
        *out = static_cast<Interface*>(this);
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&m_refs); }
    STDMETHODIMP_(ULONG) Release() override {
        ULONG refs = InterlockedDecrement(&m_refs);
        if (refs == 0) delete this;
        return refs;
    }

protected:
    CComObject() = default;
    virtual ~CComObject() = default;

private:
    LONG m_refs = 1;
};
