// The camera library's export table: its ordinals, no names, and each ordinal reaching the
// operation it stands for (called by ordinal, so that two swapped entries cannot pass).
#include "CameraFixture.h"
#include "ExportTable.h"

#include <typeinfo>

namespace {

HMODULE Host() { return GetModuleHandleA("pvhost.dll"); }

template <typename Function>
Function ByOrdinal(WORD ordinal) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(Host(), MAKEINTRESOURCEA(ordinal))));
}

}  // namespace

TEST(HostExports, OrdinalsOnly) {
    ASSERT_NE(nullptr, Host());
    pvtest::ExportTable table = pvtest::ReadExportTable(Host());
    std::set<WORD> expected = {1, 2, 3, 4, 5, 6, 10, 11, 12, 13, 200, 201, 202, 203, 204, 205, 206, 400, 401, 402, 404};
    for (WORD ordinal = 100; ordinal <= 122; ++ordinal) expected.insert(ordinal);
    EXPECT_EQ(expected, table.ordinals);
    EXPECT_EQ(0u, table.names);
    // Both buffer-freeing ordinals are the same function.
    EXPECT_EQ(GetProcAddress(Host(), MAKEINTRESOURCEA(3)), GetProcAddress(Host(), MAKEINTRESOURCEA(4)));
}

// 402 builds a MounterException in place (its table pointer set to 404's table), 401 copies one.
TEST(HostExports, ExceptionBaseConstructorsAndTable) {
#ifdef __i386__
    using Construct = void*(__thiscall*)(void*);
    using Copy = void*(__thiscall*)(void*, const void*);
#else
    using Construct = void* (*)(void*);
    using Copy = void* (*)(void*, const void*);
#endif
    auto table = reinterpret_cast<void* const*>(GetProcAddress(Host(), MAKEINTRESOURCEA(404)));
    ASSERT_NE(nullptr, table);
    EXPECT_STREQ(typeid(MounterException).name(), static_cast<const std::type_info*>(table[1])->name());
    void* object[2] = {nullptr, nullptr};
    ByOrdinal<Construct>(402)(object);
    EXPECT_EQ(table + 2, object[0]);
    void* copy[2] = {nullptr, nullptr};
    ByOrdinal<Copy>(401)(copy, object);
    EXPECT_EQ(table + 2, copy[0]);
}

class ExportOrdinalTest : public CameraTest {};

// Each camera operation by its ordinal: the command block it puts on the wire.
TEST_F(ExportOrdinalTest, EachCommandOrdinalSendsItsCommand) {
    using Open = CSerialCamera* (*)(DWORD, DWORD, DWORD, OpenProgressCallback, ULONG_PTR);
    camera = ByOrdinal<Open>(1)(kPort, 115200, 1, nullptr, 0);
    ASSERT_NE(nullptr, camera);
    HostBytes();
    using Plain = DWORD (*)(CSerialCamera*);
    using Value = DWORD (*)(CSerialCamera*, DWORD);
    using Buffer = DWORD (*)(CSerialCamera*, const char*, BYTE**, DWORD*);
    using File = DWORD (*)(CSerialCamera*, const char*, BYTE**, DWORD*, TransferProgressCallback, ULONG_PTR);
    using Head = DWORD (*)(CSerialCamera*, const char*, DWORD, BYTE**, DWORD*);
    using ThumbNumber = DWORD (*)(CSerialCamera*, DWORD, BYTE**, TransferProgressCallback, ULONG_PTR);
    using ThumbPath = DWORD (*)(CSerialCamera*, const char*, BYTE**, TransferProgressCallback, ULONG_PTR);
    using InfoPath = DWORD (*)(CSerialCamera*, const char*, CPictureInfo**);
    using InfoNumber = DWORD (*)(CSerialCamera*, DWORD, CPictureInfo**);
    using FreeBuffer = void (*)(BYTE*);
    using FreeInfo = void (*)(CPictureInfo*);
    const char* picture = "\\PCCARD\\DCIMAGES\\PV000006.JPG";
    struct Case {
        WORD ordinal;
        const char* block;   // the first command block on the wire
        DWORD (*run)(CSerialCamera*, WORD, const char*);
    };
    const Case cases[] = {
        {100, "410011520000001A", [](CSerialCamera* c, WORD o, const char*) { return ByOrdinal<Plain>(o)(c); }},
        {101, "7F0000000000001A", [](CSerialCamera* c, WORD o, const char*) { return ByOrdinal<Plain>(o)(c); }},
        {102, "960000000000001A", [](CSerialCamera* c, WORD o, const char*) { return ByOrdinal<Plain>(o)(c); }},
        {103, "970000000000001A", [](CSerialCamera* c, WORD o, const char*) { return ByOrdinal<Plain>(o)(c); }},
        {104, "990000000000001A", [](CSerialCamera* c, WORD o, const char* p) {
             BYTE* b = nullptr; DWORD n = 0; DWORD r = ByOrdinal<Buffer>(o)(c, p, &b, &n); ByOrdinal<FreeBuffer>(4)(b); return r; }},
        {105, "990000000000001A", [](CSerialCamera* c, WORD o, const char* p) {
             BYTE* b = nullptr; DWORD n = 0; DWORD r = ByOrdinal<File>(o)(c, p, &b, &n, nullptr, 0); ByOrdinal<FreeBuffer>(3)(b); return r; }},
        {106, "9A0000000000001A", [](CSerialCamera* c, WORD o, const char* p) {
             BYTE* b = nullptr; DWORD n = 0; DWORD r = ByOrdinal<Head>(o)(c, p, 100, &b, &n); ByOrdinal<FreeBuffer>(3)(b); return r; }},
        {110, "660000000000001A", [](CSerialCamera* c, WORD o, const char*) {
             BYTE* b = nullptr; DWORD r = ByOrdinal<ThumbNumber>(o)(c, 0, &b, nullptr, 0); ByOrdinal<FreeBuffer>(3)(b); return r; }},
        {111, "930000000000001A", [](CSerialCamera* c, WORD o, const char* p) {
             BYTE* b = nullptr; DWORD r = ByOrdinal<ThumbPath>(o)(c, p, &b, nullptr, 0); ByOrdinal<FreeBuffer>(3)(b); return r; }},
        {112, "750000000002001A", [](CSerialCamera* c, WORD o, const char*) { return ByOrdinal<Value>(o)(c, 2); }},
        {113, "800081000000001A", [](CSerialCamera* c, WORD o, const char*) { return ByOrdinal<Value>(o)(c, 0x81); }},
        {114, "370004000000001A", [](CSerialCamera* c, WORD o, const char*) { return ByOrdinal<Value>(o)(c, 4); }},
        {115, "720002000000001A", [](CSerialCamera* c, WORD o, const char*) { return ByOrdinal<Value>(o)(c, 2); }},
        {116, "710003000000001A", [](CSerialCamera* c, WORD o, const char*) { return ByOrdinal<Value>(o)(c, 3); }},
        {117, "360001000000001A", [](CSerialCamera* c, WORD o, const char*) { return ByOrdinal<Value>(o)(c, 1); }},
        {118, "740001000000001A", [](CSerialCamera* c, WORD o, const char*) { return ByOrdinal<Value>(o)(c, 1); }},
        {119, "780004000000001A", [](CSerialCamera* c, WORD o, const char*) { return ByOrdinal<Value>(o)(c, 4); }},
        {120, "7C0000000000001A", [](CSerialCamera* c, WORD o, const char*) { return ByOrdinal<Plain>(o)(c); }},
        {121, "910000000000001A", [](CSerialCamera* c, WORD o, const char* p) {
             CPictureInfo* i = nullptr; DWORD r = ByOrdinal<InfoPath>(o)(c, p, &i); ByOrdinal<FreeInfo>(5)(i); return r; }},
        {122, "650000010000001A", [](CSerialCamera* c, WORD o, const char*) {
             CPictureInfo* i = nullptr; DWORD r = ByOrdinal<InfoNumber>(o)(c, 1, &i); ByOrdinal<FreeInfo>(5)(i); return r; }},
        {107, "7B0000000000001A", [](CSerialCamera* c, WORD o, const char*) { return ByOrdinal<Value>(o)(c, 0); }},
        {108, "9D0000000000001A", [](CSerialCamera* c, WORD o, const char* p) {
             return DWORD(ByOrdinal<DWORD (*)(CSerialCamera*, const char*)>(o)(c, p)); }},
        {109, "950000000000001A", [](CSerialCamera* c, WORD o, const char*) { return ByOrdinal<Plain>(o)(c); }},
    };
    for (const Case& c : cases) {
        DWORD r = c.run(camera, c.ordinal, picture);
        EXPECT_TRUE(r == 0 || c.ordinal == 106) << "ordinal " << c.ordinal << " result " << r;
        EXPECT_EQ(c.block, HostBytes().substr(0, 16)) << "ordinal " << c.ordinal;
    }
    // The accessors by ordinal read the status record that 101 fetches.
    ASSERT_EQ(0u, ByOrdinal<Plain>(101)(camera));
    std::string status = Sim("status");
    EXPECT_EQ(1u, ByOrdinal<Plain>(203)(camera));
    EXPECT_EQ(std::stoul(status.substr(2, 2), nullptr, 16), ByOrdinal<Value>(204)(camera, 1));
    EXPECT_EQ(std::stoul(status.substr(68 * 2, 8), nullptr, 16), ByOrdinal<Value>(205)(camera, 68));
    EXPECT_EQ(std::stoul(status.substr(56 * 2, 4), nullptr, 16), ByOrdinal<Value>(206)(camera, 56));
    EXPECT_EQ(0u, ByOrdinal<Plain>(201)(camera));
    EXPECT_EQ(18u, ByOrdinal<Plain>(10)(camera));
    EXPECT_EQ(0u, ByOrdinal<Plain>(11)(camera));
    EXPECT_EQ(0u, ByOrdinal<Plain>(203)(camera));
    ByOrdinal<void (*)(CSerialCamera*)>(2)(camera);
    camera = nullptr;
}
