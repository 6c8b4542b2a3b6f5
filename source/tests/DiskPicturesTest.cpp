// Pictures from a folder on disk through "Get Disk Pictures", acquired by each transfer mode: the
// card's pictures with damaged JPEG and FlashPix files among them, and the FlashPix files of other
// writers beside the project. Files that cannot be read are reported by name during retrieval and
// left out; the others are transferred.
#include "AcquisitionFixture.h"
#include "ChooserDriving.h"
#include "PvresIds.h"
#include "WindowAnswerer.h"

#include <algorithm>
#include <fstream>

namespace {

constexpr char kUnreadableTitle[] = "Unreadable File Type";

class DiskPicturesTest : public AcquisitionTest {
protected:
    void SetUp() override {
        AcquisitionTest::SetUp();
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        folder = std::string(temp) + "pvacquisition";
        CreateDirectoryA(folder.c_str(), nullptr);
        WIN32_FIND_DATAA found;
        pv::UniqueFind search(FindFirstFileA((folder + "\\*.*").c_str(), &found));
        for (bool more = search.valid(); more; more = FindNextFileA(search.get(), &found))
            DeleteFileA((folder + "\\" + found.cFileName).c_str());
    }
    void Put(const std::string& name, const std::string& bytes) {
        std::ofstream(folder + "\\" + name, std::ios::binary) << bytes;
    }
    // Every file of the folder chosen in the disk chooser and retrieved, the unreadable ones
    // answered; the pictures in the dialog's order and the names reported.
    std::vector<Stored> Retrieve(HWND dialog, std::vector<std::string>* reported) {
        WritePrivateProfileStringA("Preferences", "PreviousPath", folder.c_str(), "PVACQUIRE.INI");
        std::vector<std::string> listed;
        acquiretest::WindowDriver chooser("Get Disk Pictures", acquiretest::ChooseEveryFile(&listed));
        acquiretest::EveryWindowAnswerer unreadable(kUnreadableTitle, IDOK);
        acquiretest::Press(dialog, IDC_DISK_BUTTON);
        EXPECT_TRUE(chooser.Drove());
        std::vector<Stored> pictures;
        for (const acquiretest::SeenWindow& seen : unreadable.Seen())
            for (const std::string& name : listed)
                if (seen.Shows("Unable to read the file: " + folder + "\\" + name +
                               ".\nThe file may be opened by using File/Open in your host application."))
                    reported->push_back(name);
        for (const std::string& name : listed)
            if (std::find(reported->begin(), reported->end(), name) == reported->end())
                pictures.push_back(MakeStored(name, ReadWholeFile(folder + "\\" + name)));
        EXPECT_EQ(" Number retrieved: " + std::to_string(pictures.size()), acquiretest::DialogText(dialog, IDC_RETRIEVED_FIELD));
        return pictures;
    }
    bool Reported(const std::vector<std::string>& reported, const std::string& name) {
        return std::find(reported.begin(), reported.end(), name) != reported.end();
    }

    std::string folder;
};

}  // namespace

TEST_F(DiskPicturesTest, CardPicturesAndDamagedFilesByEachMode) {
    std::vector<std::string> names = CardPictures();
    std::string jpeg, flashPix;
    for (size_t i = 0; i < names.size(); ++i) {
        const std::string bytes = CardFile(PicturePath(int(i + 1)));
        Put(names[i], bytes);
        std::string& first = IsFlashPix(names[i]) ? flashPix : jpeg;
        if (first.empty() && !Expected(names[i], bytes).pixels.empty()) first = bytes;
    }
    ASSERT_FALSE(jpeg.empty());
    ASSERT_FALSE(flashPix.empty());
    // Cut short: the JPEG's header is whole, its scan is not; the FlashPix file loses its streams.
    Put("CUTSCAN.JPG", jpeg.substr(0, jpeg.size() * 2 / 3));
    Put("CUT.FPX", flashPix.substr(0, flashPix.size() / 3));
    Put("NOTJPEG.JPG", "no picture at all");
    HWND dialog = EnableWithDialog();
    ASSERT_TRUE(dialog);
    std::vector<std::string> reported;
    const std::vector<Stored> pictures = Retrieve(dialog, &reported);
    for (const char* damaged : {"CUT.FPX", "NOTJPEG.JPG"}) EXPECT_TRUE(Reported(reported, damaged)) << damaged;
    // Only what cannot be decoded is reported.
    for (const std::string& name : reported) EXPECT_TRUE(Expected(name, ReadWholeFile(folder + "\\" + name)).pixels.empty()) << name;
    const size_t failed = TransferThroughDialog(dialog, pictures, "disk");
    std::printf("%zu disk pictures by each of 3 modes, %zu reported at retrieval, %zu failing at transfer\n",
                pictures.size() - failed, reported.size(), failed);
}

TEST_F(DiskPicturesTest, FlashPixFilesOfOtherWriters) {
    const std::string data = DataFolder("PV_FLASHPIX_DIR");
    const char* const files[] = {"rose_rgb_raw.fpx", "rose_256_raw.fpx", "rose_gray_raw.fpx", "bw_one_band_raw.fpx",
                                 "bad_five_bands.fpx"};
    for (const char* file : files) {
        const std::string bytes = data.empty() ? std::string() : ReadWholeFile(data + file);
        if (bytes.empty()) GTEST_SKIP() << "not run: the third-party FlashPix files are not in '" << data << "'";
        Put(file, bytes);
    }
    HWND dialog = EnableWithDialog();
    ASSERT_TRUE(dialog);
    std::vector<std::string> reported;
    const std::vector<Stored> pictures = Retrieve(dialog, &reported);
    EXPECT_TRUE(Reported(reported, "bad_five_bands.fpx"));
    // The colour pictures are what their writer's references show, pixel for pixel.
    for (const char* colour : {"rose_rgb_raw", "rose_256_raw"}) {
        Picture reference;
        ASSERT_TRUE(ReadPnm(data + colour + ".level1.ppm", &reference)) << colour;
        auto stored = std::find_if(pictures.begin(), pictures.end(),
                                   [&](const Stored& s) { return s.name == std::string(colour) + ".fpx"; });
        ASSERT_NE(pictures.end(), stored) << colour;
        EXPECT_TRUE(reference.pixels == stored->expected.pixels) << colour;
    }
    const size_t failed = TransferThroughDialog(dialog, pictures, "thirdparty");
    std::printf("%zu third-party pictures by each of 3 modes, %zu reported at retrieval, %zu failing at transfer\n",
                pictures.size() - failed, reported.size(), failed);
}
