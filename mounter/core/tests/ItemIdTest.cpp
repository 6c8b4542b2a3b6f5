// Item identifiers made from the camera's directory entries.
#include "MounterItemId.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

// A 20-byte directory entry: blank-padded 8.3 name, attribute, big-endian DOS time, date, size.
std::string Entry(const char* name, const char* ext, BYTE attributes, WORD time, WORD date, DWORD size) {
    std::string e(20, '\0');
    std::string n = std::string(name) + std::string(8 - std::strlen(name), ' ');
    std::string x = std::string(ext) + std::string(3 - std::strlen(ext), ' ');
    e.replace(0, 8, n);
    e.replace(8, 3, x);
    e[11] = static_cast<char>(attributes);
    e[12] = static_cast<char>(time >> 8);
    e[13] = static_cast<char>(time);
    e[14] = static_cast<char>(date >> 8);
    e[15] = static_cast<char>(date);
    for (int i = 0; i < 4; ++i) e[16 + i] = static_cast<char>(size >> (24 - 8 * i));
    return e;
}

using Item = itemid::OwnedList;

Item FromEntry(const std::string& entry) {
    return Item(itemid::FromDirectoryEntry(reinterpret_cast<const BYTE*>(entry.data())));
}

}  // namespace

TEST(ItemIdTest, EntryBecomesItemFieldByField) {
    WORD date = (17 << 9) | (3 << 5) | 9;       // 1997-03-09
    WORD time = (13 << 11) | (45 << 5) | 10;    // 13:45:20
    Item item = FromEntry(Entry("PV000001", "JPG", 0x20, time, date, 0x00012345));
    ASSERT_TRUE(item);
    const BYTE* bytes = reinterpret_cast<const BYTE*>(item.get());
    const auto* id = itemid::FromIdList(item.get());
    EXPECT_EQ(12u + 23u, id->cb);
    EXPECT_EQ(0x20u, id->attributes);
    EXPECT_EQ(0x12345u, id->size);
    EXPECT_EQ(DWORD(MntPictureFile), id->type);
    EXPECT_STREQ("PV000001.JPG", id->name);
    EXPECT_EQ(0, bytes[id->cb] | bytes[id->cb + 1]) << "one-item list ends with a zero word";
    FILETIME expected;
    DosDateTimeToFileTime(date, time, &expected);
    EXPECT_EQ(0, CompareFileTime(&expected, &id->time));
    EXPECT_EQ(0, std::memcmp(&id->time, bytes + 2, 8)) << "time at offset 2";
    EXPECT_EQ(0x12345u, *reinterpret_cast<const DWORD*>(bytes + 14)) << "size at offset 14";
    EXPECT_EQ(4u, *reinterpret_cast<const DWORD*>(bytes + 18)) << "type at offset 18";
}

TEST(ItemIdTest, TypesFollowAttributeAndExtension) {
    EXPECT_EQ(DWORD(MntPictureFile), itemid::TypeOf(FromEntry(Entry("A", "jpg", 0, 0, 0x2221, 1)).get()));
    EXPECT_EQ(DWORD(MntPictureFile), itemid::TypeOf(FromEntry(Entry("A", "Fpx", 0, 0, 0x2221, 1)).get()));
    EXPECT_EQ(DWORD(MntPictureFile), itemid::TypeOf(FromEntry(Entry("A", "ODC", 0, 0, 0x2221, 1)).get()));
    EXPECT_EQ(DWORD(MntOtherFile), itemid::TypeOf(FromEntry(Entry("README", "TXT", 0, 0, 0x2221, 1)).get()));
    EXPECT_EQ(DWORD(MntAlbum), itemid::TypeOf(FromEntry(Entry("PICS", "JPG", 0x10, 0, 0x2221, 0)).get()));
    EXPECT_EQ(DWORD(MntOtherFile), itemid::TypeOf(FromEntry(Entry("JPG", "", 0, 0, 0x2221, 1)).get()));
}

TEST(ItemIdTest, BlankExtensionGivesNoDot) {
    Item item = FromEntry(Entry("ALBUM001", "", 0x10, 0, 0x2221, 0));
    EXPECT_EQ("ALBUM001", itemid::NameOf(item.get()));
    EXPECT_EQ(8u + 23u, itemid::FromIdList(item.get())->cb);
}

TEST(ItemIdTest, DateZeroGivesTheTimeOfTheEnumeration) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    FILETIME before;
    SystemTimeToFileTime(&now, &before);
    Item item = FromEntry(Entry("NODATE", "TXT", 0, 0x1234, 0, 5));
    GetLocalTime(&now);
    FILETIME after;
    SystemTimeToFileTime(&now, &after);
    const FILETIME& stamped = itemid::FromIdList(item.get())->time;
    EXPECT_GE(CompareFileTime(&stamped, &before), 0);
    EXPECT_LE(CompareFileTime(&stamped, &after), 0);
}

TEST(ItemIdTest, MemoriesAndLongNames) {
    Item memory(itemid::MakeMemory(MntCameraMemory));
    Item card(itemid::MakeMemory(MntMemoryCard));
    EXPECT_EQ("MEMORY", itemid::NameOf(memory.get()));
    EXPECT_EQ("PCCARD", itemid::NameOf(card.get()));
    EXPECT_EQ(kMemoryAttributes, itemid::FromIdList(card.get())->attributes);
    EXPECT_EQ(0u, itemid::FromIdList(card.get())->size);

    FILETIME time = {};
    Item longName(itemid::Make(std::string(300, 'x'), MntOtherFile, 0, 1, time));
    EXPECT_EQ(260u, itemid::NameOf(longName.get()).size());
    EXPECT_EQ(260u + 23u, itemid::FromIdList(longName.get())->cb);
}

TEST(ItemIdTest, ListsCloneAppendAndWalk) {
    Item card(itemid::MakeMemory(MntMemoryCard));
    Item album(FromEntry(Entry("ALBUM001", "", 0x10, 0, 0x2221, 0)));
    Item both(itemid::Append(card.get(), album.get()));
    EXPECT_EQ(2, itemid::Count(both.get()));
    EXPECT_EQ(itemid::ListSize(card.get()) + itemid::ListSize(album.get()) - 2, itemid::ListSize(both.get()));
    EXPECT_EQ("ALBUM001", itemid::NameOf(itemid::Last(both.get())));
    Item copy(itemid::Clone(both.get()));
    EXPECT_EQ(0, std::memcmp(copy.get(), both.get(), itemid::ListSize(both.get())));
    EXPECT_EQ(itemid::kNoType, itemid::TypeOf(itemid::Next(itemid::Next(both.get()))));
}
