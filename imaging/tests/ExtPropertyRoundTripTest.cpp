// The property classes beyond plain sets and sections, both ways: sections that keep property
// names, a section reached through its set, and the blob, class identifier, vector and variant
// property classes. Each is created, written and committed, and reads back the same from the
// reopened bytes.
#include "NIFExtTypedProperty.h"
#include "NIFOLEPropSectionWrapper.h"
#include "StorageRoundTrip.h"

#include <cstring>

namespace {

constexpr GUID kNamed = {0xA1B2C3D4, 0x0001, 0x0002, {1, 1, 2, 3, 5, 8, 13, 21}};
constexpr GUID kNarrowNamed = {0xA1B2C3D4, 0x0001, 0x0003, {1, 1, 2, 3, 5, 8, 13, 21}};
constexpr GUID kOther = {0xA1B2C3D4, 0x0001, 0x0004, {1, 1, 2, 3, 5, 8, 13, 21}};
constexpr CLSID kClass = {0xCAFE0002, 0x3, 0x4, {1, 2, 3, 4, 5, 6, 7, 8}};
constexpr int16_t kUnicodeCodePage = 1200;
constexpr int16_t kWesternCodePage = 1252;

// Names and values in a section of the given code page.
void FillNamed(NIFExtPropSection& s, int16_t codePage) {
    s.NewProperty(1, VT_I2)->Set(codePage);
    s.NewProperty(2, VT_LPWSTR)->Set(L"first value");
    s.NewProperty(7, VT_UI4)->Set(uint32_t(77));
    s.NewProperty(0x1000, VT_R8)->Set(0.125);
    ASSERT_TRUE(s.SetPropertyName(2, L"Title"));
    ASSERT_TRUE(s.SetPropertyName(7, codePage == kUnicodeCodePage ? L"Caf\x00E9 \x263A count" : L"Caf\x00E9 count"));
    ASSERT_TRUE(s.SetPropertyName(0x1000, L"Ratio"));
}

void ExpectSameNamesAndValues(const NIFExtPropSection& expected, const NIFExtPropSection& got) {
    ASSERT_EQ(expected.GetNumberOfNames(), got.GetNumberOfNames());
    ASSERT_EQ(expected.GetNumberOfProperties(), got.GetNumberOfProperties());
    uint32_t* ids = expected.GetPropertyIDTable();
    for (size_t i = 0; i < expected.GetNumberOfProperties(); ++i) {
        EXPECT_TRUE(*expected.GetProperty(ids[i]) == *got.GetProperty(ids[i])) << "property " << ids[i];
        const wchar_t* name = expected.GetPropertyName(ids[i]);
        if (name) EXPECT_STREQ(name, got.GetPropertyName(ids[i])) << "property " << ids[i];
        else EXPECT_EQ(nullptr, got.GetPropertyName(ids[i])) << "property " << ids[i];
    }
    NIFRelease(ids);
}

}  // namespace

TEST_F(RoundTrip, NamedSectionsReadBackInEitherCodePage) {
    NIFExtPropertySet* set = nullptr;
    ASSERT_EQ(0, created_->CreateExtPropertySet(L"\005Named", &set));
    FillNamed(*set->NewSection(kNamed), kUnicodeCodePage);
    FillNamed(*set->NewSection(kNarrowNamed), kWesternCodePage);
    NIFExtPropertySet expected(*set);
    ASSERT_EQ(0, set->Commit());
    set->Release();

    auto root = Reopen();
    ASSERT_EQ(0, root->OpenExtPropertySet(L"\005Named", &set));
    std::unique_ptr<NIFExtPropertySet> owned(set);
    for (const GUID& id : {kNamed, kNarrowNamed}) {
        ASSERT_NE(nullptr, set->GetSection(id));
        ExpectSameNamesAndValues(*expected.GetSection(id), *set->GetSection(id));
    }
    uint32_t id = 0;
    EXPECT_TRUE(set->GetSection(kNamed)->GetPropertyID(L"RATIO", &id));
    EXPECT_EQ(0x1000u, id);
    EXPECT_FALSE(set->GetSection(kNamed)->GetPropertyID(L"Missing", &id));
    owned.reset();   // the stream is opened exclusively
    // A plain set reads the same values and passes over the names.
    NIFPropertySet* plain = nullptr;
    ASSERT_EQ(0, root->OpenPropertySet(L"\005Named", &plain));
    std::unique_ptr<NIFPropertySet> ownedPlain(plain);
    ASSERT_EQ(4u, plain->GetSection(kNamed)->GetNumberOfProperties());
    std::wstring text;
    EXPECT_TRUE(plain->GetSection(kNamed)->GetProperty(2)->Get(&text));
    EXPECT_EQ(L"first value", text);
}

TEST(NamedSection, NamesAreUniqueAndLeaveWithTheirProperty) {
    NIFExtPropSection s(kNamed);
    s.NewProperty(2, VT_I4)->Set(int32_t(1));
    s.NewProperty(3, VT_I4)->Set(int32_t(2));
    EXPECT_FALSE(s.SetPropertyName(0, L"Dictionary"));
    EXPECT_FALSE(s.SetPropertyName(1, L"Code page"));
    EXPECT_FALSE(s.SetPropertyName(2, L""));
    EXPECT_FALSE(s.SetPropertyName(2, nullptr));
    EXPECT_FALSE(s.SetPropertyName(2, std::wstring(NIFExtPropSection::kMaxNameLength + 1, L'x').c_str()));
    EXPECT_TRUE(s.SetPropertyName(2, std::wstring(NIFExtPropSection::kMaxNameLength, L'x').c_str()));
    EXPECT_TRUE(s.SetPropertyName(2, L"Width"));
    EXPECT_FALSE(s.SetPropertyName(3, L"WIDTH"));
    EXPECT_TRUE(s.SetPropertyName(2, L"width"));   // its own name, in other letters
    EXPECT_TRUE(s.SetPropertyName(3, L"Height"));
    const NIFExtPropSection copy(s);
    EXPECT_TRUE(s.DestroyProperty(2));
    EXPECT_EQ(nullptr, s.GetPropertyName(2));
    EXPECT_EQ(1u, s.GetNumberOfNames());
    EXPECT_STREQ(L"width", copy.GetPropertyName(2));
    std::unique_ptr<NIFPropSection> clone = copy.Clone();
    EXPECT_STREQ(L"Height", static_cast<NIFExtPropSection&>(*clone).GetPropertyName(3));
}

TEST_F(RoundTrip, ASectionReachedThroughItsSetReadsBack) {
    NIFPropertySet* set = nullptr;
    ASSERT_EQ(0, created_->CreatePropertySet(L"\005Wrapped", &set));
    std::unique_ptr<NIFPropertySet> owned(set);
    NIFOLEPropSectionWrapper wrapper(*set, kNamed);
    EXPECT_FALSE(wrapper.Exists());
    EXPECT_EQ(nullptr, wrapper.GetProperty(2));
    EXPECT_EQ(0u, wrapper.GetNumberOfProperties());
    EXPECT_FALSE(wrapper.DestroyProperty(2));
    wrapper.NewProperty(2, VT_LPSTR)->Set("wrapped");
    wrapper.NewProperty(3, VT_UI2)->Set(uint16_t(3));
    wrapper.NewProperty(4, VT_UI2)->Set(uint16_t(4));
    EXPECT_TRUE(wrapper.DestroyProperty(4));
    // The wrapper follows its section while the set changes around it.
    set->NewSection(kOther)->NewProperty(2, VT_I4)->Set(int32_t(9));
    EXPECT_TRUE(set->DestroySection(kOther));
    ASSERT_EQ(2u, wrapper.GetNumberOfProperties());
    NIFOLEPropSectionWrapper* copy = new NIFOLEPropSectionWrapper(wrapper);
    ASSERT_EQ(0, copy->Commit());
    copy->Release();

    auto root = Reopen();
    NIFPropertySet* back = nullptr;
    ASSERT_EQ(0, root->OpenPropertySet(L"\005Wrapped", &back));
    std::unique_ptr<NIFPropertySet> ownedBack(back);
    NIFOLEPropSectionWrapper read(*back, GUID_NULL);
    read = NIFOLEPropSectionWrapper(*back, kNamed);
    ASSERT_TRUE(read.Exists());
    uint32_t* ids = read.GetPropertyIDTable();
    ASSERT_EQ(2u, read.GetNumberOfProperties());
    EXPECT_EQ(2u, ids[0]);
    EXPECT_EQ(3u, ids[1]);
    NIFRelease(ids);
    std::string text;
    EXPECT_TRUE(read.GetProperty(2)->Get(&text));
    EXPECT_EQ("wrapped", text);
    int32_t three = 0;
    EXPECT_TRUE(read.GetProperty(3)->Get(&three));
    EXPECT_EQ(3, three);
}

TEST_F(RoundTrip, BlobClassVectorAndVariantPropertiesReadBack) {
    const uint8_t bytes[6] = {0, 1, 0xFE, 0xFF, 7, 9};
    NIFExt_VECTOR_Property numbers(VT_I4, 2);
    ASSERT_TRUE(numbers.SetElement(0, NIFExtProperty(VT_I4)));
    numbers.GetElement(1)->Set(int32_t(-20));
    NIFExtProperty thirty;
    thirty.Set(int32_t(30));
    ASSERT_TRUE(numbers.SetElement(2, thirty));   // appended
    EXPECT_FALSE(numbers.SetElement(4, thirty));  // beyond the end
    NIFExtProperty word;
    word.Set("word");
    EXPECT_FALSE(numbers.SetElement(0, word));    // not an integer of the elements' type
    NIFExt_VECTOR_Property mixed;
    ASSERT_TRUE(mixed.SetElement(0, NIFExt_VARIANT_Property(word)));
    ASSERT_TRUE(mixed.SetElement(1, NIFExt_CLSID_Property(kClass)));
    ASSERT_TRUE(mixed.SetElement(2, numbers));
    EXPECT_FALSE(mixed.SetElement(3, mixed));     // variants hold no vector of variants
    mixed.Resize(4);
    EXPECT_EQ(uint32_t(VT_EMPTY), mixed.GetElement(3)->GetType());
    mixed.Resize(3);

    NIFPropertySet* set = nullptr;
    ASSERT_EQ(0, created_->CreatePropertySet(L"\005Typed", &set));
    NIFPropSection* s = set->NewSection(kNamed);
    *s->NewProperty(2, VT_BLOB) = NIFExt_BLOB_Property(bytes, sizeof bytes);
    *s->NewProperty(3, VT_CLSID) = NIFExt_CLSID_Property(kClass);
    *s->NewProperty(4, VT_VECTOR | VT_I4) = numbers;
    *s->NewProperty(5, VT_VECTOR | VT_VARIANT) = mixed;
    *s->NewProperty(6, VT_VARIANT) = NIFExt_VARIANT_Property(thirty);
    ASSERT_EQ(0, set->Commit());
    set->Release();

    auto root = Reopen();
    ASSERT_EQ(0, root->OpenPropertySet(L"\005Typed", &set));
    std::unique_ptr<NIFPropertySet> owned(set);
    s = set->GetSection(kNamed);
    ASSERT_NE(nullptr, s);
    NIFExt_BLOB_Property blob;
    ASSERT_TRUE(blob.Read(*s->GetProperty(2)));
    ASSERT_EQ(sizeof bytes, blob.GetSize());
    EXPECT_EQ(0, std::memcmp(bytes, blob.GetData(), sizeof bytes));
    NIFExt_CLSID_Property clsid;
    ASSERT_TRUE(clsid.Read(*s->GetProperty(3)));
    EXPECT_TRUE(IsEqualCLSID(kClass, clsid.GetValue()));
    NIFExt_VECTOR_Property vector;
    ASSERT_TRUE(vector.Read(*s->GetProperty(4)));
    EXPECT_TRUE(vector == numbers);
    EXPECT_EQ(uint32_t(VT_I4), vector.GetElementType());
    ASSERT_TRUE(vector.Read(*s->GetProperty(5)));
    EXPECT_TRUE(vector == mixed);
    ASSERT_EQ(3u, vector.GetCount());
    NIFExt_VARIANT_Property first;
    ASSERT_TRUE(first.Read(*vector.GetElement(0)));
    EXPECT_EQ(uint32_t(VT_LPSTR), first.GetValueType());
    EXPECT_TRUE(clsid.Read(*vector.GetElement(1)));
    EXPECT_TRUE(IsEqualCLSID(kClass, clsid.GetValue()));
    NIFExt_VARIANT_Property variant;
    ASSERT_TRUE(variant.Read(*s->GetProperty(6)));
    EXPECT_EQ(uint32_t(VT_I4), variant.GetValueType());
    EXPECT_FALSE(variant.IsEmpty());
    // Each class takes only its own kind.
    EXPECT_FALSE(blob.Read(*s->GetProperty(3)));
    EXPECT_FALSE(clsid.Read(*s->GetProperty(2)));
    EXPECT_FALSE(vector.Read(*s->GetProperty(2)));
    EXPECT_EQ(sizeof bytes, blob.GetSize());
}

// Every shortened copy of a named section is refused, and every copy with one byte changed
// parses or is refused, without reading outside its bytes.
TEST(NamedSection, DamagedDictionariesParseOrAreRefused) {
    for (int16_t codePage : {kUnicodeCodePage, kWesternCodePage}) {
        NIFExtPropSection s(kNamed);
        FillNamed(s, codePage);
        const std::vector<uint8_t> bytes = s.Serialize();
        size_t refused = 0;
        for (size_t length = 0; length < bytes.size(); ++length) {
            std::vector<uint8_t> shortened(bytes.begin(), bytes.begin() + length);
            nif::ParseBudget budget;
            refused += !NIFExtPropSection(kNamed).Parse(shortened.data(), shortened.size(), budget);
        }
        for (size_t at = 0; at < bytes.size(); ++at)
            for (uint8_t value : {uint8_t(0), uint8_t(0x7F), uint8_t(0xFF)}) {
                std::vector<uint8_t> changed = bytes;
                changed[at] = value;
                NIFExtPropSection parsed(kNamed);
                nif::ParseBudget budget;
                if (parsed.Parse(changed.data(), changed.size(), budget)) {
                    EXPECT_LE(parsed.GetNumberOfNames(), 3u) << "byte " << at;
                }
            }
        EXPECT_EQ(bytes.size(), refused) << "every shortened copy is refused";
        NIFExtPropSection whole(kNamed);
        nif::ParseBudget budget;
        EXPECT_TRUE(whole.Parse(bytes.data(), bytes.size(), budget));
        EXPECT_EQ(3u, whole.GetNumberOfNames());
    }
}
