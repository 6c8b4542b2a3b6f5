// What the exported classes hand out: unsigned values in their range, texts, text arrays, float
// arrays and extension lists in blocks freed by their NIFRelease overloads, and objects made by
// the caller given back with Release.
#include "NIFExtProperty.h"
#include "NIFPropSection.h"
#include "NIFPropertySet.h"
#include "NIFSummaryInfoWrapper.h"
#include "StorageRoundTrip.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

constexpr CLSID kFirst = {0xCAFE0003, 0x1, 0x2, {1, 2, 3, 4, 5, 6, 7, 8}};
constexpr CLSID kSecond = {0xCAFE0004, 0x1, 0x2, {8, 7, 6, 5, 4, 3, 2, 1}};

}  // namespace

TEST(HandedOut, UnsignedGetsAnswerOnlyValuesInTheirRange) {
    NIFExtProperty p;
    uint8_t byte = 0;
    uint16_t word = 0;
    p.Set(int32_t(200));
    EXPECT_TRUE(p.Get(&byte));
    EXPECT_EQ(200, byte);
    p.Set(int32_t(300));
    EXPECT_FALSE(p.Get(&byte));
    EXPECT_TRUE(p.Get(&word));
    EXPECT_EQ(300, word);
    p.Set(int32_t(-1));
    EXPECT_FALSE(p.Get(&word));
    p.Set(uint32_t(70000));
    EXPECT_FALSE(p.Get(&word));
}

TEST(HandedOut, TextsAndArraysComeInBlocksOfTheirOwn) {
    NIFExtProperty text;
    text.Set(L"caf\x00E9");
    wchar_t* copy = text.GetWideString();
    ASSERT_NE(nullptr, copy);
    EXPECT_EQ(std::wstring(L"caf\x00E9"), copy);
    NIFRelease(copy);

    NIFExtProperty texts;
    texts.SetVector(VT_LPWSTR, 3);
    for (size_t i = 0; i < 3; ++i) texts.GetElement(i)->Set(std::wstring(i + 1, L'x').c_str());
    NIFWideStringArray* array = texts.GetWideStringArray();
    ASSERT_NE(nullptr, array);
    ASSERT_EQ(3u, array->count);
    EXPECT_EQ(std::wstring(L"xxx"), array->strings[2]);
    NIFRelease(array);
    EXPECT_EQ(nullptr, text.GetWideStringArray());

    NIFExtProperty numbers;
    numbers.SetVector(VT_R4, 2);
    numbers.GetElement(0)->Set(0.5f);
    numbers.GetElement(1)->Set(-2.25f);
    uint32_t count = 9;
    float* values = numbers.GetFloatArray(&count);
    ASSERT_NE(nullptr, values);
    ASSERT_EQ(2u, count);
    EXPECT_EQ(-2.25f, values[1]);
    NIFRelease(values);
    EXPECT_EQ(nullptr, texts.GetFloatArray(&count));
    EXPECT_EQ(0u, count);
}

TEST(HandedOut, ExtensionListsRoundTripThroughTheirStoredForm) {
    wchar_t first[] = L"Audio", second[] = L"Script";
    NIFExtension extensions[2] = {{first, kFirst}, {second, kSecond}};
    NIFExtProperty list(VT_VECTOR | VT_VARIANT);
    list.SetExtensionList({2, extensions});
    NIFPropSection section(GUID{});
    *section.NewProperty(5, VT_VECTOR | VT_VARIANT) = list;
    const std::vector<uint8_t> bytes = section.Serialize();
    NIFPropSection read(GUID{});
    nif::ParseBudget budget;
    ASSERT_TRUE(read.Parse(bytes.data(), bytes.size(), budget));
    NIFExtensionList* out = read.GetProperty(5)->GetExtensionList();
    ASSERT_NE(nullptr, out);
    ASSERT_EQ(2u, out->count);
    EXPECT_EQ(std::wstring(L"Script"), out->extensions[1].name);
    EXPECT_TRUE(IsEqualCLSID(kSecond, out->extensions[1].classId));
    NIFRelease(out);
    NIFExtProperty odd;
    odd.SetVector(VT_VARIANT, 3);
    EXPECT_EQ(nullptr, odd.GetExtensionList());
}

// Objects the caller made with new go back through Release, which frees them where they were made.
TEST_F(RoundTrip, CallerMadeObjectsGoBackThroughRelease) {
    (new NIFExtProperty(VT_I4))->Release();
    (new NIFPropSection(GUID{}))->Release();
    NIFPropertySet* set = nullptr;
    ASSERT_EQ(0, created_->CreatePropertySet(L"\005SummaryInformation", &set));
    NIFSummaryInfoWrapper* wrapper = new NIFSummaryInfoWrapper(*set);
    NIFSummaryInformation info{};
    std::strcpy(info.title, "kept");
    EXPECT_EQ(0, wrapper->setInfo(info));
    wrapper->Release();
    set->Release();
}
