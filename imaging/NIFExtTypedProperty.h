// Properties of one kind each, over NIFExtProperty: a blob, a class identifier, a vector whose
// elements are reached by position, and a variant (a value that carries its own type, as each
// element of a vector of variants does). Each takes the value of a property of its kind with
// Read, and goes into a section as the property it is:
//     *section.NewProperty(id, VT_BLOB) = NIFExt_BLOB_Property(bytes, size);
#pragma once

#include "NIFExtProperty.h"

class NIF_API NIFExt_BLOB_Property : public NIFExtProperty {
public:
    NIFExt_BLOB_Property() : NIFExtProperty(VT_BLOB) {}
    NIFExt_BLOB_Property(const void* data, uint32_t size) { SetBlob(data, size); }

    // False, and nothing taken, for a property that is no blob.
    bool Read(const NIFExtProperty& property);
    // nullptr and 0 once the property has been set to a value of another kind.
    const uint8_t* GetData() const { return GetBlob() ? GetBlob()->data() : nullptr; }
    size_t GetSize() const { return GetBlob() ? GetBlob()->size() : 0; }
    void SetData(const void* data, uint32_t size) { SetBlob(data, size); }
};

class NIF_API NIFExt_CLSID_Property : public NIFExtProperty {
public:
    NIFExt_CLSID_Property() { SetClsid(GUID_NULL); }
    explicit NIFExt_CLSID_Property(const CLSID& id) { SetClsid(id); }

    // False, and nothing taken, for a property that is no class identifier.
    bool Read(const NIFExtProperty& property);
    CLSID GetValue() const;
    void SetValue(const CLSID& id) { SetClsid(id); }
};

class NIF_API NIFExt_VECTOR_Property : public NIFExtProperty {
public:
    // count elements of elementType (VT_VARIANT for elements of their own types), each empty.
    explicit NIFExt_VECTOR_Property(uint32_t elementType = VT_VARIANT, uint32_t count = 0) {
        SetVector(elementType, count);
    }

    // False, and nothing taken, for a property that is no vector.
    bool Read(const NIFExtProperty& property);
    uint32_t GetElementType() const { return GetType() & ~uint32_t(VT_VECTOR); }
    // GetCount and GetElement (by position) come from NIFExtProperty. SetElement replaces the
    // element at index, or appends one at index GetCount(); it refuses a position beyond that
    // and a value of another type than the elements' (any type fits a vector of variants, but
    // not another vector of variants).
    bool SetElement(uint32_t index, const NIFExtProperty& value);
    void Resize(uint32_t count);
};

class NIF_API NIFExt_VARIANT_Property : public NIFExtProperty {
public:
    NIFExt_VARIANT_Property() = default;   // empty
    explicit NIFExt_VARIANT_Property(const NIFExtProperty& value) : NIFExtProperty(value) {}

    // Any property's value; the variant takes the type with it.
    bool Read(const NIFExtProperty& property);
    uint32_t GetValueType() const { return GetType(); }
    bool IsEmpty() const { return GetType() == VT_EMPTY; }
};
