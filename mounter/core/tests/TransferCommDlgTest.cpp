// The data object that a view gives the common file dialog for its selection, over a fake view.
#include "CommDlgDataObj.h"
#include "DragFormats.h"
#include "TransferSupport.h"

#include <gtest/gtest.h>

using namespace transfertest;

namespace {

class FakeSelection : public CMounterViewSelection {
public:
    LPCITEMIDLIST FolderIdList() const override { return folder.get(); }
    UINT SelectedCount() const override { return static_cast<UINT>(items.size()); }
    LPCITEMIDLIST SelectedItem(UINT index) const override { return index == gone ? nullptr : items.at(index).get(); }

    Item folder{itemid::MakeMemory(MntMemoryCard)};
    std::vector<Item> items;
    UINT gone = 0xFFFFFFFF;   // the index of an item that disappears
};

class TransferCommDlgDataTest : public testing::Test {
protected:
    void SetUp() override {
        view.items.push_back(MakeItem("PV000006.JPG", MntPictureFile, 29824));
        view.items.push_back(MakeItem("ALBUM001", MntAlbum, 0));
        view.items.push_back(MakeItem("README.TXT", MntOtherFile, 43));
        data = Owned<CCommDlgDataObj>::attach(CCommDlgDataObj::Create(&view));
        ASSERT_TRUE(data);
    }

    HRESULT Get(FORMATETC request, Global* block) {
        STGMEDIUM medium = {};
        HRESULT hr = data->GetData(&request, &medium);
        block->reset(hr == S_OK ? medium.hGlobal : nullptr);
        return hr;
    }

    FakeSelection view;
    Owned<CCommDlgDataObj> data;
};

std::vector<BYTE> ListBytes(LPCITEMIDLIST list) {
    auto* bytes = reinterpret_cast<const BYTE*>(list);
    return std::vector<BYTE>(bytes, bytes + itemid::ListSize(list));
}

}  // namespace

TEST_F(TransferCommDlgDataTest, GivesTheFolderAndTheSelectedItemsInOrder) {
    Global block;
    ASSERT_EQ(S_OK, Get(GlobalFormat(dragformat::ShellIdList()), &block));
    pv::LockedGlobal locked(block.get());
    auto* base = locked.as<const BYTE>();
    EXPECT_NE(static_cast<const void*>(base), block.get()) << "a movable block";
    auto* ids = reinterpret_cast<const CIDA*>(base);
    ASSERT_EQ(3u, ids->cidl);
    EXPECT_EQ(ListBytes(view.folder.get()), ListBytes(reinterpret_cast<LPCITEMIDLIST>(base + ids->aoffset[0])));
    for (UINT i = 0; i < 3; ++i)
        EXPECT_EQ(ListBytes(view.items[i].get()), ListBytes(reinterpret_cast<LPCITEMIDLIST>(base + ids->aoffset[i + 1])));

    view.items.pop_back();
    Global again;
    ASSERT_EQ(S_OK, Get(GlobalFormat(dragformat::ShellIdList()), &again));
    EXPECT_EQ(2u, pv::LockedGlobal(again.get()).as<const CIDA>()->cidl) << "made afresh for each request";
}

TEST_F(TransferCommDlgDataTest, RefusesOtherFormatsMediaAndLostItems) {
    Global block;
    EXPECT_EQ(DV_E_FORMATETC, Get(GlobalFormat(CF_HDROP), &block));
    FORMATETC stream = GlobalFormat(dragformat::ShellIdList());
    stream.tymed = TYMED_ISTREAM;
    EXPECT_EQ(DV_E_TYMED, Get(stream, &block));
    view.gone = 1;
    EXPECT_EQ(E_UNEXPECTED, Get(GlobalFormat(dragformat::ShellIdList()), &block));

    auto withoutView = Owned<CCommDlgDataObj>::attach(CCommDlgDataObj::Create(nullptr));
    STGMEDIUM medium = {};
    FORMATETC request = GlobalFormat(dragformat::ShellIdList());
    EXPECT_EQ(E_UNEXPECTED, withoutView->GetData(&request, &medium));
    request.cfFormat = CF_HDROP;
    EXPECT_EQ(DV_E_FORMATETC, withoutView->GetData(&request, &medium)) << "the format is checked first";
}

TEST_F(TransferCommDlgDataTest, AnswersItsOwnInterfacesAndNothingElse) {
    EXPECT_EQ(E_INVALIDARG, data->QueryInterface(IID_IUnknown, nullptr));
    void* out = &out;
    EXPECT_EQ(E_NOINTERFACE, data->QueryInterface(IID_IEnumIDList, &out));
    EXPECT_EQ(nullptr, out);
    ASSERT_EQ(S_OK, data->QueryInterface(IID_IUnknown, &out));
    EXPECT_EQ(static_cast<IUnknown*>(data.get()), out);
    EXPECT_EQ(1u, static_cast<IUnknown*>(out)->Release());
    ASSERT_EQ(S_OK, data->QueryInterface(IID_IDataObject, &out));
    EXPECT_EQ(1u, static_cast<IUnknown*>(out)->Release());
    EXPECT_EQ(2u, data->AddRef());
    EXPECT_EQ(1u, data->Release());

    FORMATETC request = GlobalFormat(dragformat::ShellIdList());
    STGMEDIUM medium = {};
    EXPECT_EQ(E_NOTIMPL, data->GetDataHere(&request, &medium));
    EXPECT_EQ(E_NOTIMPL, data->QueryGetData(&request));
    EXPECT_EQ(E_NOTIMPL, data->GetCanonicalFormatEtc(&request, &request));
    EXPECT_EQ(E_NOTIMPL, data->SetData(&request, &medium, FALSE));
    IEnumFORMATETC* formats = nullptr;
    EXPECT_EQ(E_NOTIMPL, data->EnumFormatEtc(DATADIR_GET, &formats));
    DWORD connection = 0;
    EXPECT_EQ(E_NOTIMPL, data->DAdvise(&request, 0, nullptr, &connection));
    EXPECT_EQ(E_NOTIMPL, data->DUnadvise(0));
    IEnumSTATDATA* advises = nullptr;
    EXPECT_EQ(E_NOTIMPL, data->EnumDAdvise(&advises));
}
