// Every command answered as the camera's command table says, checked from the host's side.
#include "SimClient.h"

#include "Jpeg.h"
#include "Mosaic.h"

#include <algorithm>
#include <fstream>

namespace pvsim::test {
namespace {

constexpr uint32_t kAll = 0xFFFFFFFF;

class Command : public SimTest {
protected:
    Bytes status() {
        start(block(0x7F));
        Bytes s = packet(256);
        EXPECT_EQ(receive(1), Bytes{0x00});
        return s;
    }
    std::vector<std::string> list(const std::string& path) {
        start(block(0x99), pathPacket(path, 0, 0));
        Bytes first = packet(256);
        size_t count = getBe16(first.data());
        Bytes data(first.begin() + 2, first.end());
        while (data.size() < count * 20) {
            Bytes more = packet(256);
            data.insert(data.end(), more.begin(), more.end());
        }
        EXPECT_EQ(receive(1), Bytes{0x00});
        std::vector<std::string> names;
        for (size_t i = 0; i < count; ++i)
            names.push_back(std::string(data.begin() + static_cast<long>(i * 20), data.begin() + static_cast<long>(i * 20 + 12)));
        return names;
    }
    void simple(const Bytes& b, uint8_t answer) {
        send(b);
        EXPECT_EQ(receive(1), Bytes{answer});
        if (answer == 0xD1) {
            EXPECT_EQ(receive(1), Bytes{0x00});
        }
    }
};

TEST_F(Command, ListingShowsDotsAlbumsFilesAndAttributes) {
    auto names = list("\\pccard\\dcimages");
    std::vector<std::string> want = {
        ".          \x10", "..         \x10", "ALBUM001   \x10", "ALBUM002   \x10", "ALBUM003   \x10",
        "ALBUM   CTL\x00", std::string("HIDDEN  DAT\x02"), "NODATE  TXT\x00", "PV000006JPG\x00",
        "PV000007FPX\x00", "PV000008JPG\x00", "PV000009FPX\x00", "PV000010JPG\x00", "README  TXT\x00",
        std::string("SYSTEM  SYS\x04")};
    for (auto& w : want) w.resize(12);
    EXPECT_EQ(names, want);   // 15 entries: 254 bytes in the first packet, 48 in the second
}

TEST_F(Command, EntryCarriesDosDateAndSize) {
    start(block(0x99), pathPacket("\\PCCARD\\DCIMAGES\\NODATE.TXT", 0, 0));
    Bytes p = packet(256);
    EXPECT_EQ(receive(1), Bytes{0x00});
    EXPECT_EQ(getBe16(p.data()), 1u);
    EXPECT_EQ(Bytes(p.begin() + 14, p.begin() + 22), hex("0000 0000 00000017"));   // no date, 23 bytes
}

TEST_F(Command, PatternListing) {
    auto names = list("\\PCCARD\\DCIMAGES\\*.FPX");
    ASSERT_EQ(names.size(), 2u);
    EXPECT_EQ(names[0].substr(0, 11), "PV000007FPX");
    // The album pictures: two in the first album, none in the third.
    auto album = list("\\PCCARD\\DCIMAGES\\ALBUM001\\*.ODC");
    ASSERT_EQ(album.size(), 2u);
    EXPECT_EQ(album[0].substr(0, 11), "ALB00001ODC");
    EXPECT_EQ(album[1].substr(0, 11), "ALB00002ODC");
    EXPECT_TRUE(list("\\PCCARD\\DCIMAGES\\ALBUM003\\*.ODC").empty());
}

TEST_F(Command, MissingPathGetsErrorInPlaceOfData) {
    start(block(0x99), pathPacket("\\PCCARD\\DCIMAGES\\NOSUCH", 0, 0));
    EXPECT_EQ(receive(1), Bytes{0xE2});
    start(block(0x99), pathPacket("\\PCCARD\\..\\..", 0, 0));
    EXPECT_EQ(receive(1), Bytes{0xE2});
}

TEST_F(Command, FileReadInPacketsOf512) {
    Bytes content(513);
    for (size_t i = 0; i < content.size(); ++i) content[i] = static_cast<uint8_t>(i * 7);
    std::ofstream(card_ / "PCCARD/DCIMAGES/ODD.BIN", std::ios::binary)
        .write(reinterpret_cast<const char*>(content.data()), 513);
    start(block(0x9A), pathPacket("\\PCCARD\\DCIMAGES\\ODD.BIN", kAll, kAll));
    Bytes got = packets(512, 2);
    EXPECT_EQ(receive(1), Bytes{0x00});
    EXPECT_EQ(Bytes(got.begin(), got.begin() + 513), content);
    EXPECT_EQ(Bytes(got.begin() + 513, got.end()), Bytes(511, 0));
}

TEST_F(Command, FileHeadIsCancelledWithoutCompletion) {
    start(block(0x9A), pathPacket("\\PCCARD\\DCIMAGES\\PV000008.JPG", kAll, kAll));
    Bytes first = packet(512);
    EXPECT_EQ(Bytes(first.begin(), first.begin() + 4), hex("FFD8FFE1"));
    Bytes second = receive(513);
    ASSERT_EQ(second.size(), 513u);
    send({0xE4});
    EXPECT_EQ(drain(), Bytes{xorOf(&second[1], 512)});   // only the checksum in flight; no completion byte
    EXPECT_NE(control("counters").find("cancels=1"), std::string::npos);
}

TEST_F(Command, SettingsChangeTheStatusAndBadValuesAreRejected) {
    simple(block(0x71, 3), 0xD1);
    simple(block(0x36, 1), 0xD1);
    simple(block(0x37, 4), 0xD1);
    simple(block(0x80, 0x82), 0xD1);
    simple(block(0x78, 5), 0xD1);
    simple(block(0x72, 4), 0xD1);
    simple(block(0x74, 1), 0xD1);
    for (auto bad : {block(0x71, 0), block(0x71, 4), block(0x36, 2), block(0x37, 5), block(0x80, 0x85),
                     block(0x80, 0x80), block(0x72, 5), block(0x74, 2), block(0x78, 6)})
        simple(bad, 0xE1);
    Bytes s = status();
    EXPECT_EQ(hex("05 00 00 03 04 82 01 04"), Bytes({s[16], s[17], s[18], s[19], s[20], s[21], s[22], s[23]}));
    EXPECT_EQ(s[29], 1);
}

TEST_F(Command, ClockAndRemainingCounts) {
    simple(block(0x75, 0, 0, 0, 2), 0xD1);
    Bytes s = status();
    EXPECT_LE(getBe32(&s[32]), 3u);
    EXPECT_EQ(getBe16(&s[56]), 11u);   // pictures on the generated card, damaged one included
    EXPECT_GT(getBe16(&s[72]), getBe16(&s[70]));
    EXPECT_GT(getBe16(&s[70]), getBe16(&s[68]));
    ASSERT_EQ(control("card full"), "OK");
    s = status();
    EXPECT_EQ(Bytes(s.begin() + 68, s.begin() + 74), Bytes(6, 0));
    simple(block(0x7C), 0xE2);   // a full card takes no picture
}

TEST_F(Command, TakePictureAddsTheNewestPicture) {
    simple(block(0x37, 4), 0xD1);
    simple(block(0x7C), 0xD1);
    Bytes s = status();
    ASSERT_EQ(getBe16(&s[56]), 12u);
    start(block(0x65, 0, 11));
    Bytes info = packet(256);
    EXPECT_EQ(receive(1), Bytes{0x00});
    EXPECT_EQ(std::string(reinterpret_cast<char*>(&info[32])), "PV000011.FPX");
    EXPECT_EQ(info[2], 4);
    EXPECT_EQ(info[4], 2);   // quality better, the default
    EXPECT_TRUE(fs::exists(card_ / "PCCARD/DCIMAGES/PV000011.FPX"));
}

TEST_F(Command, PictureNumbersCountFromZeroAndOutOfRangeIsRejected) {
    start(block(0x65, 0, 0));
    Bytes info = packet(256);
    EXPECT_EQ(receive(1), Bytes{0x00});
    EXPECT_EQ(std::string(reinterpret_cast<char*>(&info[32])), "PV000001.JPG");
    EXPECT_EQ(info[2], 3);
    send(block(0x65, 0, 11));
    EXPECT_EQ(receive(1), Bytes{0xE1});
}

TEST_F(Command, ThumbnailIsTheMosaicOfThePicture) {
    // A picture taken and an album picture alike.
    for (std::string relative : {"PV000006.JPG", "ALBUM001/ALB00002.ODC"}) {
        std::string path = "\\PCCARD\\DCIMAGES\\" + relative;
        std::replace(path.begin(), path.end(), '/', '\\');
        start(block(0x93), pathPacket(path, kAll, kAll));
        Bytes thumb = packets(1024, 4);
        EXPECT_EQ(receive(1), Bytes{0x00});
        std::ifstream in(card_ / "PCCARD/DCIMAGES" / relative, std::ios::binary);
        Bytes file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        auto picture = decodeJpeg(file.data(), file.size(), 96);
        ASSERT_TRUE(picture) << relative;
        EXPECT_EQ(Bytes(thumb.begin(), thumb.begin() + 3456), mosaicOf(*picture)) << relative;
        EXPECT_EQ(Bytes(thumb.begin() + 3456, thumb.end()), Bytes(640, 0));
    }
}

TEST_F(Command, DamagedPictureGivesAGreyThumbnail) {
    start(block(0x66, 0, 5));
    Bytes thumb = packets(1024, 4);
    EXPECT_EQ(Bytes(thumb.begin(), thumb.begin() + 3456), Bytes(3456, 0x88));
}

TEST_F(Command, EraseFileAndErasePictures) {
    start(block(0x9D), pathPacket("\\PCCARD\\DCIMAGES\\HIDDEN.DAT", 0, kAll));
    EXPECT_EQ(receive(1), Bytes{0x00});
    EXPECT_FALSE(fs::exists(card_ / "PCCARD/DCIMAGES/HIDDEN.DAT"));
    start(block(0x9D), pathPacket("\\PCCARD\\DCIMAGES\\HIDDEN.DAT", 0, kAll));
    EXPECT_EQ(receive(1), Bytes{0xE2});
    simple(block(0x7B, 0, 0), 0xD1);
    EXPECT_FALSE(fs::exists(card_ / "PCCARD/DCIMAGES/ALBUM001/PV000001.JPG"));
    simple(block(0x7B, 0xFF, 0xFF), 0xD1);
    EXPECT_EQ(getBe16(&status()[56]), 0u);
    EXPECT_TRUE(fs::exists(card_ / "PCCARD/DCIMAGES/ALBUM.CTL"));
    EXPECT_TRUE(fs::exists(card_ / "PCCARD/DCIMAGES/ALBUM001/ALB00001.ODC")) << "album pictures are not pictures taken";
}

TEST_F(Command, FormatEmptiesTheCard) {
    ASSERT_EQ(control("card unformatted"), "OK");
    EXPECT_EQ(status()[30], 0xC0);
    start(block(0x95), pathPacket("", 0, 0));
    Bytes answer = packet(16);
    EXPECT_EQ(receive(1), Bytes{0x00});
    EXPECT_EQ(getBe32(answer.data()), 8u << 20);
    EXPECT_EQ(status()[30], 0x80);
    auto names = list("\\PCCARD\\DCIMAGES");
    EXPECT_EQ(names.size(), 2u);
}

TEST_F(Command, CardOutRefusesCardWork) {
    ASSERT_EQ(control("card out"), "OK");
    EXPECT_EQ(status()[30], 0x00);
    start(block(0x99), pathPacket("\\PCCARD\\DCIMAGES", 0, 0));
    EXPECT_EQ(receive(1), Bytes{0xE2});
    simple(block(0x7C), 0xE2);
    simple(block(0x66, 0, 0), 0xE2);
    ASSERT_EQ(control("card in"), "OK");
    EXPECT_EQ(status()[30], 0x80);
}

TEST_F(Command, PowerStatesShowInTheStatus) {
    control("battery exhausted");
    control("mains off");
    Bytes s = status();
    EXPECT_EQ(s[8], 2);
    EXPECT_EQ(s[9], 0);
    simple(block(0x7C), 0xE2);
    control("mains on");
    EXPECT_EQ(status()[9], 1);
    EXPECT_EQ(control("battery flat"), "ERR bad battery value: flat");
}

TEST_F(Command, PathPacketFieldsAreChecked) {
    start(block(0x9A), pathPacket("\\PCCARD\\DCIMAGES\\README.TXT", 0, 0));
    packet(512);
    EXPECT_EQ(receive(1), Bytes{0x00});
    EXPECT_EQ(control("violations"), "OK 1 | path packet fields 00000000 00000000, expected FFFFFFFF FFFFFFFF");
}

}  // namespace
}  // namespace pvsim::test
