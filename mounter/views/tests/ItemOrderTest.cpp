// The list view's column orders: sizes larger first, dates earlier first, names with memories
// before everything else, each turned by its direction flag, and results that survive being taken
// as 16-bit numbers.
#include "ItemCopy.h"
#include "ItemOrder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

ItemCopy Item(const std::string& name, DWORD type, DWORD size, DWORD day = 1) {
    SYSTEMTIME taken = {1999, 3, 0, static_cast<WORD>(day), 12, 0, 0, 0};
    FILETIME time = {};
    SystemTimeToFileTime(&taken, &time);
    return ItemCopy(itemid::Make(name, type, type == MntAlbum ? 0x10 : 0x20, size, time));
}

short Compare(DWORD column, DWORD ascending, const ItemCopy& a, const ItemCopy& b) {
    SortParameters sort = {nullptr, column, ascending};
    return CompareItems(sort, a.get(), b.get());
}

}  // namespace

TEST(ItemOrderTest, SizesThatDifferAboveSixteenBitsStillOrder) {
    ItemCopy big = Item("BIG.JPG", MntPictureFile, 0x10001), small = Item("SMALL.JPG", MntPictureFile, 1);
    ItemCopy huge = Item("HUGE.JPG", MntPictureFile, 0x7FFF0000), tiny = Item("TINY.JPG", MntPictureFile, 0);
    EXPECT_LT(Compare(1, 1, big, small), 0) << "By Size puts the larger first";
    EXPECT_GT(Compare(1, 1, small, big), 0);
    EXPECT_LT(Compare(1, 1, huge, tiny), 0);
    EXPECT_GT(Compare(1, 0, huge, tiny), 0) << "the flag turns the order";
    EXPECT_EQ(0, Compare(1, 1, big, big));
}

TEST(ItemOrderTest, DatesOrderEarlierFirstAndByDateNewestFirst) {
    ItemCopy early = Item("A.JPG", MntPictureFile, 5, 1), late = Item("B.JPG", MntPictureFile, 5, 20);
    EXPECT_LT(Compare(3, 1, early, late), 0);
    EXPECT_GT(Compare(3, 0, early, late), 0) << "By Date's flag 0: the newest first";
}

TEST(ItemOrderTest, MemoriesComeBeforeOtherItemsByName) {
    ItemCopy card = Item("PCCARD", MntMemoryCard, 0), memory = Item("MEMORY", MntCameraMemory, 0);
    ItemCopy file = Item("AAA.JPG", MntPictureFile, 1), album = Item("AAA", MntAlbum, 0);
    EXPECT_LT(Compare(0, 1, card, file), 0);
    EXPECT_GT(Compare(0, 1, album, memory), 0) << "a memory before an album whatever the names";
    EXPECT_GT(Compare(0, 0, card, file), 0) << "the flag turns the order";
}

TEST(ItemOrderTest, ListsOfOneLevelComeBeforeLongerOnes) {
    ItemCopy album = Item("ALBUM001", MntAlbum, 0);
    ItemCopy picture = Item("PV000001.JPG", MntPictureFile, 10);
    ItemCopy deeper(itemid::Append(album.get(), picture.get()));
    EXPECT_LT(Compare(1, 1, album, deeper), 0) << "equal first levels: the shorter list first";
    EXPECT_GT(Compare(1, 1, deeper, album), 0);
}

TEST(ItemOrderTest, TheListControlSortsWithTheComparison) {
    std::vector<ItemCopy> items;
    for (DWORD size : {70000u, 3u, 0x10002u, 65536u}) items.push_back(Item("F.JPG", MntPictureFile, size));
    std::vector<LPCITEMIDLIST> order;
    for (const ItemCopy& item : items) order.push_back(item.get());
    SortParameters sort = {nullptr, 1, 1};
    std::sort(order.begin(), order.end(), [&](LPCITEMIDLIST a, LPCITEMIDLIST b) {
        return CompareListItems(reinterpret_cast<LPARAM>(a), reinterpret_cast<LPARAM>(b), reinterpret_cast<LPARAM>(&sort)) < 0;
    });
    std::vector<DWORD> sizes;
    for (LPCITEMIDLIST item : order) sizes.push_back(itemid::FromIdList(item)->size);
    EXPECT_EQ((std::vector<DWORD>{70000, 0x10002, 65536, 3}), sizes);
}
