#include "NIFExtProperty.h"

#include <algorithm>
#include <cstring>
#include <memory>

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

void NIFExtProperty::SetBlob(const void* data, uint32_t size) {
    *this = NIFExtProperty(VT_BLOB);
    bytes_.assign(static_cast<const uint8_t*>(data), static_cast<const uint8_t*>(data) + size);
}

void NIFExtProperty::SetClipboard(const void* data, uint32_t size) {
    SetBlob(data, size);
    type_ = VT_CF;
}

void NIFExtProperty::SetClsid(const CLSID& id) {
    SetBlob(&id, sizeof id);
    type_ = VT_CLSID;
}

void NIFExtProperty::SetVector(uint32_t elementType, uint32_t count) {
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

NIFExtProperty* NIFExtProperty::GetElement(uint32_t index) {
    return index < elements_.size() ? &elements_[index] : nullptr;
}

const NIFExtProperty* NIFExtProperty::GetElement(uint32_t index) const {
    return index < elements_.size() ? &elements_[index] : nullptr;
}

bool NIFExtProperty::operator==(const NIFExtProperty& other) const {
    return type_ == other.type_ && integer_ == other.integer_ && real_ == other.real_ &&
           text_ == other.text_ && bytes_ == other.bytes_ && elements_ == other.elements_;
}

namespace {

bool IsText(uint32_t type) { return type == VT_LPSTR || type == VT_LPWSTR; }

wchar_t* CopyText(const std::wstring& text) {
    auto copy = std::make_unique<wchar_t[]>(text.size() + 1);
    std::copy(text.begin(), text.end(), copy.get());
    copy[text.size()] = L'\0';
    return copy.release();
}

// A vector's elements while all of them pass the test.
template <typename Test>
bool AllElements(const std::vector<NIFExtProperty>& elements, Test test) {
    return std::all_of(elements.begin(), elements.end(), test);
}

}  // namespace

wchar_t* NIFExtProperty::GetWideString() const { return IsText(type_) ? CopyText(text_) : nullptr; }

NIFWideStringArray* NIFExtProperty::GetWideStringArray() const {
    if (!(type_ & VT_VECTOR) || !AllElements(elements_, [](const NIFExtProperty& e) { return IsText(e.type_); }))
        return nullptr;
    auto strings = std::make_unique<wchar_t*[]>(elements_.size());
    auto array = std::make_unique<NIFWideStringArray>(NIFWideStringArray{0, strings.release()});
    try {
        for (; array->count < elements_.size(); ++array->count)
            array->strings[array->count] = CopyText(elements_[array->count].text_);
    } catch (...) {
        NIFRelease(array.release());
        throw;
    }
    return array.release();
}

float* NIFExtProperty::GetFloatArray(uint32_t* count) const {
    if (count) *count = 0;
    auto numeric = [](const NIFExtProperty& e) { return e.type_ == VT_R4 || e.type_ == VT_R8 || e.IsInteger(); };
    if (!count || !(type_ & VT_VECTOR) || !AllElements(elements_, numeric)) return nullptr;
    auto values = std::make_unique<float[]>(elements_.size() + 1);
    for (size_t i = 0; i < elements_.size(); ++i) elements_[i].Get(&values[i]);
    *count = static_cast<uint32_t>(elements_.size());
    return values.release();
}

NIFExtensionList* NIFExtProperty::GetExtensionList() const {
    if (type_ != (VT_VECTOR | VT_VARIANT) || elements_.size() % 2) return nullptr;
    const size_t count = elements_.size() / 2;
    for (size_t i = 0; i < count; ++i) {
        CLSID id;
        if (!IsText(elements_[2 * i].type_) || !elements_[2 * i + 1].GetClsid(&id)) return nullptr;
    }
    auto extensions = std::make_unique<NIFExtension[]>(count);
    auto list = std::make_unique<NIFExtensionList>(NIFExtensionList{0, extensions.release()});
    try {
        for (; list->count < count; ++list->count) {
            NIFExtension& e = list->extensions[list->count];
            elements_[2 * list->count + 1].GetClsid(&e.classId);
            e.name = CopyText(elements_[2 * list->count].text_);
        }
    } catch (...) {
        NIFRelease(list.release());
        throw;
    }
    return list.release();
}

void NIFExtProperty::SetExtensionList(const NIFExtensionList& list) {
    SetVector(VT_VARIANT, 2 * size_t(list.count));
    for (uint32_t i = 0; i < list.count; ++i) {
        elements_[2 * i].Set(list.extensions[i].name);
        elements_[2 * i + 1].SetClsid(list.extensions[i].classId);
    }
}

void NIFExtProperty::Release() { delete this; }
