// The enumerators' contract as the shell relies on it: counts, interfaces, what they leave out, and
// that a call that fails hands out nothing.
#include "MemorySpies.h"
#include "MounterFixture.h"
#include "TransferSupport.h"

namespace {

class EnumeratorTest : public MounterCameraTest {
protected:
    void SetUp() override {
        MounterCameraTest::SetUp();
        folder = transfertest::MakeCardFolder();
    }
    ComPtr<IEnumIDList> Files() {
        ComPtr<IEnumIDList> enumerator;
        EXPECT_EQ(S_OK, folder->ShellFolder()->EnumObjects(nullptr, SHCONTF_NONFOLDERS, enumerator.put()));
        return enumerator;
    }

    transfertest::FolderPtr folder;
};

}  // namespace

TEST_F(EnumeratorTest, CountsInterfacesAndTheCallsItDoesNotServe) {
    ComPtr<IEnumIDList> enumerator = Files();
    ASSERT_TRUE(enumerator);
    LPITEMIDLIST items[3] = {};
    EXPECT_EQ(E_INVALIDARG, enumerator->Next(3, items, nullptr)) << "more than one item needs a count";
    EXPECT_EQ(nullptr, items[0]);
    ASSERT_EQ(S_OK, enumerator->Next(1, items, nullptr));
    Pidl first(items[0]);
    ULONG fetched = 99;
    ASSERT_EQ(S_OK, enumerator->Next(3, items, &fetched));
    EXPECT_EQ(3u, fetched);
    for (LPITEMIDLIST item : items) Pidl(item).reset();
    EXPECT_EQ(E_INVALIDARG, enumerator->Next(0, items, &fetched));
    EXPECT_EQ(0u, fetched);
    EXPECT_EQ(E_NOTIMPL, enumerator->Skip(1));
    ComPtr<IEnumIDList> clone;
    EXPECT_EQ(E_NOTIMPL, enumerator->Clone(clone.put()));

    ComPtr<IUnknown> unknown;
    EXPECT_EQ(S_OK, enumerator->QueryInterface(IID_IUnknown, unknown.putVoid()));
    EXPECT_EQ(static_cast<IUnknown*>(enumerator.get()), unknown.get());
    ComPtr<IEnumIDList> again;
    EXPECT_EQ(S_OK, enumerator->QueryInterface(IID_IEnumIDList, again.putVoid()));
    ComPtr<IShellFolder> other;
    EXPECT_EQ(E_NOINTERFACE, enumerator->QueryInterface(IID_IShellFolder, other.putVoid()));
    EXPECT_FALSE(other);
    EXPECT_EQ(E_INVALIDARG, enumerator->QueryInterface(IID_IUnknown, nullptr));
}

TEST_F(EnumeratorTest, AFailingCallHandsOutNothingItMade) {
    memoryspies::ScopedAllocatorSpy allocator;
    {
        ComPtr<IEnumIDList> enumerator = Files();
        ASSERT_TRUE(enumerator);
        allocator.RefuseAfter(1);   // the second item of the call cannot be made
        LPITEMIDLIST items[3] = {};
        ULONG fetched = 99;
        EXPECT_EQ(E_OUTOFMEMORY, enumerator->Next(3, items, &fetched));
        EXPECT_EQ(0u, fetched);
        EXPECT_EQ(nullptr, items[0]) << "no item is handed out by a failing call";
        EXPECT_EQ(0u, allocator.Held());
        ASSERT_EQ(S_OK, enumerator->Next(1, items, &fetched)) << "the next call goes on";
        EXPECT_EQ(1u, fetched);
        itemid::OwnedList(items[0]).reset();
    }
    EXPECT_EQ(0u, allocator.Held());
}
