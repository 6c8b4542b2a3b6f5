// One property of an OLE property set: its type (a VT_ code, VT_VECTOR for vectors) and value,
// with conversions between the C types and the stored type.
#pragma once

#include "NIFArrays.h"

#include <objbase.h>

#include <string>
#include <vector>

namespace nif {
class PropertyCodec;
}

class NIF_API NIFExtProperty {
public:
    NIFExtProperty() = default;
    explicit NIFExtProperty(uint32_t type) : type_(type) {}
    // For a property the caller made with new; those of a section go with their section.
    void Release();

    uint32_t GetType() const { return type_; }

    // Setting a value sets the type that stores it.
    void Set(int8_t v) { SetInteger(VT_I1, v); }
    void Set(uint8_t v) { SetInteger(VT_UI1, v); }
    void Set(int16_t v) { SetInteger(VT_I2, v); }
    void Set(uint16_t v) { SetInteger(VT_UI2, v); }
    void Set(int32_t v) { SetInteger(VT_I4, v); }
    void Set(uint32_t v) { SetInteger(VT_UI4, v); }
    void Set(float v);
    void Set(double v);
    void Set(const char* text);
    void Set(const wchar_t* text);
    void SetFileTime(uint64_t time) { SetInteger(VT_FILETIME, static_cast<int64_t>(time)); }
    void SetInteger(uint32_t type, int64_t v);
    void SetBlob(const void* data, uint32_t size);
    // Clipboard data: the format tag followed by its bytes.
    void SetClipboard(const void* data, uint32_t size);
    void SetClsid(const CLSID& id);
    // A vector of count elements of elementType (VT_VARIANT for elements of their own types).
    void SetVector(uint32_t elementType, uint32_t count);

    // Each conversion answers false when the stored type cannot give the value.
    bool Get(int8_t* v) const { return GetInRange(v, -128, 127); }
    bool Get(uint8_t* v) const { return GetInRange(v, 0, 255); }
    bool Get(int16_t* v) const { return GetInRange(v, -32768, 32767); }
    bool Get(uint16_t* v) const { return GetInRange(v, 0, 65535); }
    bool Get(int32_t* v) const { return GetInRange(v, INT32_MIN, INT32_MAX); }
    bool Get(uint32_t* v) const { return GetInRange(v, 0, UINT32_MAX); }
    bool Get(float* v) const;
    bool Get(double* v) const;
    bool Get(std::string* text) const;
    bool Get(std::wstring* text) const;
    bool GetFileTime(uint64_t* time) const;
    // The text in a block of its own, freed with NIFRelease; nullptr for a property of no text.
    wchar_t* GetWideString() const;
    // The texts of a vector of strings (or of variants that hold strings), freed with NIFRelease;
    // nullptr for any other property.
    NIFWideStringArray* GetWideStringArray() const;
    // The numbers of a vector of floating-point or integer elements as floats, freed with
    // NIFRelease; nullptr for any other property. count receives their number.
    float* GetFloatArray(uint32_t* count) const;
    // An extension list: a vector of variants holding, extension after extension, its name and its
    // class identifier. Freed with NIFRelease; nullptr for a property of another shape.
    NIFExtensionList* GetExtensionList() const;
    void SetExtensionList(const NIFExtensionList& list);
    const std::vector<uint8_t>* GetBlob() const;
    const std::vector<uint8_t>* GetClipboard() const;
    bool GetClsid(CLSID* id) const;
    size_t GetCount() const { return elements_.size(); }
    // Element index of a vector, nullptr beyond the end.
    NIFExtProperty* GetElement(uint32_t index);
    const NIFExtProperty* GetElement(uint32_t index) const;

    bool IsInteger() const;
    bool operator==(const NIFExtProperty& other) const;

protected:
    std::vector<NIFExtProperty>& Elements() { return elements_; }

private:
    friend class nif::PropertyCodec;

    template <typename T>
    bool GetInRange(T* v, int64_t low, int64_t high) const {
        if (!v || !IsInteger() || integer_ < low || integer_ > high) return false;
        *v = static_cast<T>(integer_);
        return true;
    }

    uint32_t type_ = VT_EMPTY;
    int64_t integer_ = 0;
    double real_ = 0;
    std::wstring text_;
    std::vector<uint8_t> bytes_;
    std::vector<NIFExtProperty> elements_;
};
