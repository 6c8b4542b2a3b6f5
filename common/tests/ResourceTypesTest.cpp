// The RAII family: every way of handing a resource on keeps exactly one owner, and each type gives
// back what it holds, and only that.
#include "ComPtr.h"
#include "GlobalMemory.h"
#include "RegKey.h"
#include "UniqueHandle.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

// An object that counts its references and answers IUnknown only.
class Counted : public IUnknown {
public:
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
        *out = iid == IID_IUnknown ? static_cast<IUnknown*>(this) : nullptr;
        if (!*out) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs; }
    STDMETHODIMP_(ULONG) Release() override { return --refs; }
    ULONG refs = 1;   // the creator's
};

bool IsOpenHandle(HANDLE h) {
    DWORD flags = 0;
    return GetHandleInformation(h, &flags) != 0;
}

constexpr char kTestKey[] = "SOFTWARE\\Brisway Orvik Company\\RAII test";

}  // namespace

TEST(ComPtrTest, EveryHandOverKeepsTheCountBalanced) {
    Counted object;
    {
        auto owned = pv::ComPtr<IUnknown>::attach(&object);   // takes the creator's reference
        EXPECT_EQ(1u, object.refs);
        pv::ComPtr<IUnknown> copy = owned;
        EXPECT_EQ(2u, object.refs);
        pv::ComPtr<IUnknown> moved = std::move(copy);
        EXPECT_FALSE(copy);
        EXPECT_EQ(2u, object.refs);
        copy = moved;   // assignment over an empty pointer
        EXPECT_EQ(3u, object.refs);
        copy = owned;   // assignment over a pointer to the same object
        EXPECT_EQ(3u, object.refs);
        pv::ComPtr<IUnknown> asked = owned.as<IUnknown>();
        EXPECT_EQ(4u, object.refs);
        EXPECT_EQ(E_NOINTERFACE, owned->QueryInterface(IID_IClassFactory, asked.putVoid()));
        EXPECT_FALSE(asked);   // put() gave back what it held before the call
        EXPECT_EQ(3u, object.refs);
        IUnknown* handed = moved.detach();
        EXPECT_EQ(3u, object.refs);
        auto share = pv::ComPtr<IUnknown>::share(handed);
        EXPECT_EQ(4u, object.refs);
        handed->Release();
    }
    EXPECT_EQ(0u, object.refs);
}

TEST(UniqueHandleTest, ClosesWhatItHoldsOnceAndNeverTheNoneValues) {
    HANDLE event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    ASSERT_TRUE(event);
    {
        pv::UniqueHandle first(event);
        pv::UniqueHandle second = std::move(first);
        EXPECT_FALSE(first);
        EXPECT_EQ(event, second.get());
        first = std::move(second);   // back again: still one owner
        EXPECT_TRUE(IsOpenHandle(event));
    }
    EXPECT_FALSE(IsOpenHandle(event));

    pv::UniqueHandle invalid(INVALID_HANDLE_VALUE);
    EXPECT_FALSE(invalid.valid());
    invalid.reset();   // nothing to close: no error is left behind
    pv::UniqueFind none;
    EXPECT_EQ(INVALID_HANDLE_VALUE, none.get());
    EXPECT_FALSE(none);
    WIN32_FIND_DATAA found;
    pv::UniqueFind search(FindFirstFileA("C:\\windows\\*", &found));
    EXPECT_TRUE(search);
    HANDLE handed = search.release();   // release leaves the none value behind
    EXPECT_EQ(INVALID_HANDLE_VALUE, search.get());
    EXPECT_TRUE(FindClose(handed));
}

TEST(RegKeyTest, ValuesOfAnotherTypeOrSizeAreAbsent) {
    RegDeleteTreeA(HKEY_CURRENT_USER, kTestKey);
    EXPECT_FALSE(pv::RegKey::open(HKEY_CURRENT_USER, kTestKey));
    {
        pv::RegKey key = pv::RegKey::create(HKEY_CURRENT_USER, (std::string(kTestKey) + "\\child").c_str());
        ASSERT_TRUE(key);
        EXPECT_TRUE(key.setDword("number", 7));
        EXPECT_TRUE(key.setString("text", "seven"));
        const BYTE shortValue[2] = {7, 0};
        RegSetValueExA(key.get(), "short", 0, REG_DWORD, shortValue, sizeof shortValue);
        const char twice[] = "two\0\0";
        RegSetValueExA(key.get(), "padded", 0, REG_SZ, reinterpret_cast<const BYTE*>(twice), sizeof twice);
    }
    pv::RegKey key =
        pv::RegKey::open(HKEY_CURRENT_USER, (std::string(kTestKey) + "\\child").c_str(), KEY_READ | KEY_WRITE);
    ASSERT_TRUE(key);
    EXPECT_EQ(7u, key.dword("number").value_or(0));
    EXPECT_FALSE(key.dword("text"));
    EXPECT_FALSE(key.dword("short"));
    EXPECT_FALSE(key.dword("missing"));
    EXPECT_EQ("seven", key.string("text").value_or(""));
    EXPECT_EQ("two", key.string("padded").value_or(""));
    EXPECT_FALSE(key.string("number"));
    EXPECT_TRUE(key.removeValue("number"));
    EXPECT_FALSE(key.dword("number"));
    key.reset();
    EXPECT_EQ(ERROR_SUCCESS, RegDeleteTreeA(HKEY_CURRENT_USER, kTestKey));
}

TEST(GlobalMemoryTest, LocksAreUndoneAndReleasedBlocksSurvive) {
    HGLOBAL handed = nullptr;
    {
        pv::GlobalBlock block = pv::GlobalBlock::alloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 64);
        ASSERT_TRUE(block);
        {
            pv::LockedGlobal bytes(block.get());
            ASSERT_TRUE(bytes);
            EXPECT_EQ(64u, bytes.size());
            bytes.as<char>()[0] = 'x';
            EXPECT_EQ(1u, GlobalFlags(block.get()) & GMEM_LOCKCOUNT);
        }
        EXPECT_EQ(0u, GlobalFlags(block.get()) & GMEM_LOCKCOUNT);
        handed = block.release();
    }
    pv::LockedGlobal bytes(handed);
    ASSERT_TRUE(bytes);   // the block outlived its owner: it was handed on
    EXPECT_EQ('x', bytes.as<char>()[0]);
    pv::LockedGlobal none(nullptr);
    EXPECT_FALSE(none);
    EXPECT_EQ(0u, none.size());
    GlobalUnlock(handed);
    GlobalFree(handed);
}
