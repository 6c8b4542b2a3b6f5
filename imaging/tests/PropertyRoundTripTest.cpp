// Storage, streams and property sets both ways: what is created, written and committed in
// memory reads back the same after the bytes are opened again; failures name their cause.
#include "NIFError.h"
#include "NIFSummaryInfoWrapper.h"
#include "StorageRoundTrip.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace {

constexpr GUID kSection = {0x11223344, 0x5566, 0x7788, {1, 2, 3, 4, 5, 6, 7, 8}};
constexpr CLSID kClass = {0xCAFE0001, 0x1, 0x2, {9, 8, 7, 6, 5, 4, 3, 2}};

std::string LastMessage() {
    const char* m = nullptr;
    NIFGetLastError(&m);
    return m;
}

void FillSection(NIFPropSection& s) {
    s.NewProperty(1, VT_I2)->Set(int16_t(1252));
    s.NewProperty(2, VT_I1)->Set(int8_t(-5));
    s.NewProperty(3, VT_UI2)->Set(uint16_t(65000));
    s.NewProperty(4, VT_I4)->Set(int32_t(-123456));
    s.NewProperty(5, VT_R4)->Set(2.5f);
    s.NewProperty(6, VT_R8)->Set(-1.0e100);
    s.NewProperty(7, VT_LPSTR)->Set("narrow text");
    s.NewProperty(8, VT_LPWSTR)->Set(L"wide \x263A text");
    const uint8_t blob[5] = {1, 2, 3, 4, 5};
    s.NewProperty(9, VT_BLOB)->SetBlob(blob, sizeof blob);
    s.NewProperty(10, VT_CLSID)->SetClsid(kClass);
    s.NewProperty(11, VT_FILETIME)->SetFileTime(0x01C2D7B917528200ull);
    NIFExtProperty* v = s.NewProperty(12, VT_VECTOR | VT_UI2);
    v->SetVector(VT_UI2, 3);
    for (uint16_t i = 0; i < 3; ++i) v->GetElement(i)->Set(uint16_t(i * 1000 + 7));
    NIFExtProperty* any = s.NewProperty(13, VT_VECTOR | VT_VARIANT);
    any->SetVector(VT_VARIANT, 2);
    any->GetElement(0)->Set("in a variant");
    any->GetElement(1)->Set(uint32_t(42));
    NIFExtProperty* texts = s.NewProperty(14, VT_VECTOR | VT_LPSTR);
    texts->SetVector(VT_LPSTR, 2);
    texts->GetElement(0)->Set("a");
    texts->GetElement(1)->Set("bcdef");
}

}  // namespace

TEST_F(RoundTrip, StoragesStreamsAndClassesReadBack) {
    NIFStorage* sub = nullptr;
    ASSERT_EQ(0, created_->CreateStorage(L"Inner", &sub));
    ASSERT_EQ(0, sub->SetClassId(kClass));
    NIFExtFpxStream* s = nullptr;
    ASSERT_EQ(0, sub->CreateFpxStream(L"Numbers", &s));
    const uint32_t values[3] = {7, 0xDEADBEEF, 0};
    ASSERT_EQ(0, s->WriteU32s(values, 3));
    s->Release();
    ASSERT_EQ(0, sub->Commit());
    sub->Release();
    NIFExtStream* doomed = nullptr;
    ASSERT_EQ(0, created_->CreateStream(L"Doomed", &doomed));
    doomed->Release();
    ASSERT_EQ(0, created_->DestroyElement(L"Doomed"));

    auto root = Reopen();
    ASSERT_EQ(0, root->OpenStorage(L"Inner", &sub));
    std::unique_ptr<NIFStorage> inner(sub);
    CLSID clsid{};
    ASSERT_EQ(0, inner->GetClassId(&clsid));
    EXPECT_TRUE(IsEqualCLSID(kClass, clsid));
    ASSERT_EQ(0, inner->OpenFpxStream(L"Numbers", &s));
    std::unique_ptr<NIFExtFpxStream> numbers(s);
    uint64_t size = 0;
    ASSERT_EQ(0, numbers->GetEndOfFile(&size));
    EXPECT_EQ(12u, size);
    uint32_t back[3] = {};
    ASSERT_EQ(0, numbers->ReadU32s(back, 3));
    EXPECT_EQ(0xDEADBEEFu, back[1]);
    EXPECT_EQ(NIF_BAD_FILE, numbers->ReadU32(back));
    EXPECT_EQ("Read from an OLE SS Stream is short. I.e. EOF.", LastMessage());
    ASSERT_EQ(0, numbers->Seek(4));
    ASSERT_EQ(0, numbers->ReadU32(back));
    EXPECT_EQ(0xDEADBEEFu, back[0]);
    EXPECT_EQ(NIF_STORAGE_FAILED, root->OpenStream(L"Doomed", &doomed));
    EXPECT_EQ("STG_E_FILENOTFOUND in NIFStorage::OpenStream.", LastMessage());
}

TEST_F(RoundTrip, EveryPropertyTypeReadsBackEqual) {
    NIFPropertySet* set = nullptr;
    ASSERT_EQ(0, created_->CreatePropertySet(L"\005Test", &set));
    FillSection(*set->NewSection(kSection));
    NIFPropSection expected = *set->GetSection(kSection);
    ASSERT_EQ(0, set->Commit());
    set->Release();

    auto root = Reopen();
    ASSERT_EQ(0, root->OpenPropertySet(L"\005Test", &set));
    std::unique_ptr<NIFPropertySet> owned(set);
    NIFPropSection* s = set->GetSection(kSection);
    ASSERT_NE(nullptr, s);
    ASSERT_EQ(expected.GetNumberOfProperties(), s->GetNumberOfProperties());
    uint32_t* ids = s->GetPropertyIDTable();
    for (size_t i = 0; i < s->GetNumberOfProperties(); ++i)
        EXPECT_TRUE(*expected.GetProperty(ids[i]) == *s->GetProperty(ids[i])) << "property " << ids[i];
    NIFRelease(ids);
}

TEST_F(RoundTrip, TypedConversionsFollowTheStoredType) {
    NIFPropSection s(kSection);
    FillSection(s);
    int32_t i32 = 0;
    int16_t i16 = 0;
    int8_t i8 = 0;
    double d = 0;
    std::string narrow;
    std::wstring wide;
    EXPECT_TRUE(s.GetProperty(3)->Get(&i32));
    EXPECT_EQ(65000, i32);
    EXPECT_FALSE(s.GetProperty(3)->Get(&i16));   // out of range
    EXPECT_TRUE(s.GetProperty(2)->Get(&i8));
    EXPECT_EQ(-5, i8);
    EXPECT_TRUE(s.GetProperty(4)->Get(&d));
    EXPECT_EQ(-123456.0, d);
    EXPECT_FALSE(s.GetProperty(7)->Get(&i32));   // text is no number
    EXPECT_TRUE(s.GetProperty(7)->Get(&wide));
    EXPECT_EQ(L"narrow text", wide);
    EXPECT_TRUE(s.GetProperty(8)->Get(&narrow));
    EXPECT_EQ("wide ? text", narrow);
    EXPECT_EQ(nullptr, s.GetProperty(7)->GetBlob());
    EXPECT_EQ(nullptr, s.GetProperty(12)->GetElement(3));
    EXPECT_TRUE(s.DestroyProperty(7));
    EXPECT_FALSE(s.DestroyProperty(7));
}

TEST_F(RoundTrip, SummaryInformationReadsBack) {
    NIFPropertySet* set = nullptr;
    ASSERT_EQ(0, created_->CreatePropertySet(L"\005SummaryInformation", &set));
    NIFSummaryInformation in{};
    std::strcpy(in.title, "PV000001.FPX");
    std::strcpy(in.appName, "ORVIK PV360 Zoom");
    in.createTime = 0x01BD4A04392088C0ull;
    uint8_t dib[48] = {40};
    in.thumbnail = dib;
    in.thumbnailSize = sizeof dib;
    NIFSummaryInfoWrapper writer(*set);
    ASSERT_EQ(0, writer.setInfo(in));
    ASSERT_EQ(0, writer.commit());
    set->Release();

    auto root = Reopen();
    ASSERT_EQ(0, root->OpenPropertySet(L"\005SummaryInformation", &set));
    std::unique_ptr<NIFPropertySet> owned(set);
    NIFSummaryInformation out{};
    ASSERT_EQ(0, NIFSummaryInfoWrapper(*set).getInfo(&out));
    EXPECT_STREQ("PV000001.FPX", out.title);
    EXPECT_STREQ("ORVIK PV360 Zoom", out.appName);
    EXPECT_STREQ("", out.author);
    EXPECT_EQ(in.createTime, out.createTime);
    ASSERT_EQ(sizeof dib, out.thumbnailSize);
    EXPECT_EQ(0, std::memcmp(dib, out.thumbnail, sizeof dib));
    NIFRelease(out.thumbnail);
}

TEST(Storage, BytesThatAreNoStructuredStorageAreRefused) {
    std::vector<uint8_t> junk(4096, 0x5A);
    NIFStorage* root = nullptr;
    EXPECT_EQ(NIF_STORAGE_FAILED, NIFStorage::OpenOnMemory(junk.data(), junk.size(), &root));
    EXPECT_EQ(nullptr, root);
    EXPECT_NE(std::string::npos, LastMessage().find(" in NIFStorage::OpenOnMemory.")) << LastMessage();
    EXPECT_EQ(NIF_MISSING_ARGUMENT, NIFStorage::OpenOnMemory(nullptr, 10, &root));
    EXPECT_EQ("Missing argument in NIFStorage::OpenOnMemory.", LastMessage());
}
