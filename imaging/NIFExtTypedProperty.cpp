#include "NIFExtTypedProperty.h"

namespace {

bool IsVector(const NIFExtProperty& p) { return (p.GetType() & VT_VECTOR) != 0; }

}  // namespace

bool NIFExt_BLOB_Property::Read(const NIFExtProperty& property) {
    if (property.GetType() != VT_BLOB) return false;
    NIFExtProperty::operator=(property);
    return true;
}

bool NIFExt_CLSID_Property::Read(const NIFExtProperty& property) {
    CLSID id;
    if (!property.GetClsid(&id)) return false;
    SetClsid(id);
    return true;
}

CLSID NIFExt_CLSID_Property::GetValue() const {
    CLSID id = GUID_NULL;
    GetClsid(&id);
    return id;
}

bool NIFExt_VECTOR_Property::Read(const NIFExtProperty& property) {
    if (!IsVector(property)) return false;
    NIFExtProperty::operator=(property);
    return true;
}

bool NIFExt_VECTOR_Property::SetElement(uint32_t index, const NIFExtProperty& value) {
    const bool fits = GetElementType() == VT_VARIANT ? value.GetType() != (VT_VECTOR | VT_VARIANT)
                                                     : value.GetType() == GetElementType();
    if (!fits || index > GetCount()) return false;
    if (index == GetCount())
        Elements().push_back(value);
    else
        Elements()[index] = value;
    return true;
}

// New elements are empty, as SetVector makes them.
void NIFExt_VECTOR_Property::Resize(uint32_t count) {
    const uint32_t type = GetElementType();
    Elements().resize(count, NIFExtProperty(type == VT_VARIANT ? uint32_t(VT_EMPTY) : type));
}

bool NIFExt_VARIANT_Property::Read(const NIFExtProperty& property) {
    NIFExtProperty::operator=(property);
    return true;
}
