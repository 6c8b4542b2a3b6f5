#include "NIFExtProperty.h"

#include <cstring>

void NIFExtProperty::SetInteger(uint32_t type, int64_t v) {
    *this = NIFExtProperty(type);
    integer_ = v;
}

void NIFExtProperty::Set(float v) {
    *this = NIFExtProperty(VT_R4);
    real_ = v;
}

void NIFExtProperty::Set(double v) {
    *this = NIFExtProperty(VT_R8);
    real_ = v;
}

void NIFExtProperty::Set(const char* text) {
    *this = NIFExtProperty(VT_LPSTR);
    for (const char* p = text ? text : ""; *p; ++p) text_.push_back(static_cast<unsigned char>(*p));
}

void NIFExtProperty::Set(const wchar_t* text) {
    *this = NIFExtProperty(VT_LPWSTR);
    text_ = text ? text : L"";
}

void NIFExtProperty::SetBlob(const void* data, size_t size) {
    *this = NIFExtProperty(VT_BLOB);
    bytes_.assign(static_cast<const uint8_t*>(data), static_cast<const uint8_t*>(data) + size);
}

void NIFExtProperty::SetClipboard(const void* data, size_t size) {
    SetBlob(data, size);
    type_ = VT_CF;
}

void NIFExtProperty::SetClsid(const CLSID& id) {
    SetBlob(&id, sizeof id);
    type_ = VT_CLSID;
}

void NIFExtProperty::SetVector(uint32_t elementType, size_t count) {
    *this = NIFExtProperty(VT_VECTOR | elementType);
    elements_.assign(count, NIFExtProperty(elementType == VT_VARIANT ? uint32_t(VT_EMPTY) : elementType));
}

bool NIFExtProperty::IsInteger() const {
    switch (type_) {
    case VT_I1: case VT_UI1: case VT_I2: case VT_UI2: case VT_I4: case VT_UI4: case VT_INT:
    case VT_UINT: case VT_I8: case VT_UI8: case VT_BOOL: case VT_ERROR:
        return true;
    default:
        return false;
    }
}

bool NIFExtProperty::Get(double* v) const {
    if (!v || !(type_ == VT_R4 || type_ == VT_R8 || IsInteger())) return false;
    *v = IsInteger() ? static_cast<double>(integer_) : real_;
    return true;
}

bool NIFExtProperty::Get(float* v) const {
    double d;
    if (!v || !Get(&d)) return false;
    *v = static_cast<float>(d);
    return true;
}

// Narrow text is held as its 8-bit characters, so both string types convert losslessly for
// the characters they share.
bool NIFExtProperty::Get(std::string* text) const {
    if (!text || (type_ != VT_LPSTR && type_ != VT_LPWSTR)) return false;
    text->clear();
    for (wchar_t c : text_) text->push_back(c < 256 ? static_cast<char>(c) : '?');
    return true;
}

bool NIFExtProperty::Get(std::wstring* text) const {
    if (!text || (type_ != VT_LPSTR && type_ != VT_LPWSTR)) return false;
    *text = text_;
    return true;
}

bool NIFExtProperty::GetFileTime(uint64_t* time) const {
    if (!time || type_ != VT_FILETIME) return false;
    *time = static_cast<uint64_t>(integer_);
    return true;
}

const std::vector<uint8_t>* NIFExtProperty::GetBlob() const { return type_ == VT_BLOB ? &bytes_ : nullptr; }

const std::vector<uint8_t>* NIFExtProperty::GetClipboard() const { return type_ == VT_CF ? &bytes_ : nullptr; }

bool NIFExtProperty::GetClsid(CLSID* id) const {
    if (!id || type_ != VT_CLSID || bytes_.size() != sizeof *id) return false;
    std::memcpy(id, bytes_.data(), sizeof *id);
    return true;
}

NIFExtProperty* NIFExtProperty::GetElement(size_t index) {
    return index < elements_.size() ? &elements_[index] : nullptr;
}

const NIFExtProperty* NIFExtProperty::GetElement(size_t index) const {
    return index < elements_.size() ? &elements_[index] : nullptr;
}

bool NIFExtProperty::operator==(const NIFExtProperty& other) const {
    return type_ == other.type_ && integer_ == other.integer_ && real_ == other.real_ &&
           text_ == other.text_ && bytes_ == other.bytes_ && elements_ == other.elements_;
}
