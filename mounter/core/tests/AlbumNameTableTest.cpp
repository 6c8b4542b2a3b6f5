// "ALBUM.CTL" parsing and the title lookups.
#include "AlbumNameTable.h"

#include <gtest/gtest.h>

#include <string>

namespace {

void Parse(CAlbumNameTable& table, const std::string& text, CAlbumNameTable::Memory memory = CAlbumNameTable::kCard) {
    table.Parse(memory, reinterpret_cast<const BYTE*>(text.data()), text.size());
}

}  // namespace

TEST(AlbumNameTableTest, ReadsEveryLineOfTheCameraFile) {
    CAlbumNameTable table;
    Parse(table, "ALBUM_FILE\r\n\"ALBUM001\",\"Summer Trip.alb\"\r\n\"ALBUM002\",\"Garden.alb\"\r\n");
    EXPECT_EQ(2u, table.Count(CAlbumNameTable::kCard));
    EXPECT_EQ(0u, table.Count(CAlbumNameTable::kInternal));
    EXPECT_EQ("ALBUM001", table.LookupAlbumDirectory(CAlbumNameTable::kCard, "summer trip.ALB"));
    EXPECT_EQ("ALBUM002", table.LookupAlbumDirectory(CAlbumNameTable::kCard,
                                                     table.LookupAlbumTitle(CAlbumNameTable::kCard, "ALBUM002")));
    EXPECT_EQ("", table.LookupAlbumTitle(CAlbumNameTable::kCard, "ALBUM009"));
    EXPECT_EQ("", table.LookupAlbumTitle(CAlbumNameTable::kInternal, "ALBUM001"));
}

TEST(AlbumNameTableTest, OtherFirstLineGivesAnEmptyTable) {
    CAlbumNameTable table;
    Parse(table, "ALBUM_FILES\r\n\"ALBUM001\",\"Summer Trip.alb\"\r\n");
    Parse(table, "\"ALBUM001\",\"Summer Trip.alb\"\r\n");
    Parse(table, "");
    EXPECT_EQ(0u, table.Count(CAlbumNameTable::kCard));
}

TEST(AlbumNameTableTest, DamagedLinesAreSkippedWithoutReadingPastTheData) {
    CAlbumNameTable table;
    const std::string good = "\"ALBUM003\",\"Kept.alb\"\r\n";
    const std::string text = "ALBUM_FILE\r\nno quotes here\r\n\"ALBUM001\" \"\r\n" + good + "\"ALBUM002\",\"Cut";
    // The buffer holds exactly the text: anything read beyond it would be outside the allocation.
    std::unique_ptr<BYTE[]> exact(new BYTE[text.size()]);
    std::copy(text.begin(), text.end(), exact.get());
    table.Parse(CAlbumNameTable::kInternal, exact.get(), text.size());
    EXPECT_EQ(1u, table.Count(CAlbumNameTable::kInternal));
    EXPECT_EQ("ALBUM003", table.LookupAlbumDirectory(CAlbumNameTable::kInternal, "KEPT.ALB"));
    for (size_t cut = 0; cut < text.size(); ++cut) {
        CAlbumNameTable partial;
        partial.Parse(CAlbumNameTable::kCard, exact.get(), cut);
        EXPECT_LE(partial.Count(CAlbumNameTable::kCard), 1u) << cut;
    }
}
