// Every picture of the simulated camera's card acquired by each transfer mode, once through the
// acquire dialog (chosen in "Get Camera Pictures", selected as thumbnails, Transfer) and once
// without it (the camera's first picture, then the card without it): JPEG pictures equal libjpeg's
// decode, FlashPix pictures the toolkit's and lie near the generator's source, memory strips make
// up the native picture, and a stored file that cannot be decoded fails alone.
#include "AcquisitionFixture.h"
#include "ChooserDriving.h"
#include "PvresIds.h"
#include "WindowAnswerer.h"

using sourcetest::Mode;

namespace {

class CameraPicturesTest : public AcquisitionTest {
protected:
    // What the source told the manager while it was enabled without its dialog.
    std::vector<TW_UINT16> EnableWithoutDialog() {
        TW_USERINTERFACE ui{FALSE, FALSE, session->app.window()};
        EXPECT_EQ(TWRC_SUCCESS, Send(DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, &ui));
        return Messages(session->app.TakeNotifications());
    }
    bool Disable() {
        TW_USERINTERFACE ui{};
        return Send(DG_CONTROL, DAT_USERINTERFACE, MSG_DISABLEDS, &ui) == TWRC_SUCCESS;
    }
    Stored StoredPicture(int number) {
        return MakeStored(CardPictures().at(size_t(number - 1)), CardFile(PicturePath(number)));
    }
};

}  // namespace

TEST_F(CameraPicturesTest, EveryPictureThroughTheDialogByEachMode) {
    HWND dialog = EnableWithDialog();
    ASSERT_TRUE(dialog);
    std::vector<std::string> listed;
    acquiretest::WindowDriver chooser("Get Camera Pictures", acquiretest::ChooseEveryFile(&listed));
    acquiretest::Press(dialog, IDC_CAMERA_BUTTON);
    ASSERT_TRUE(chooser.Drove());
    // The camera's own list, which the card's files make.
    ASSERT_EQ(CardPictures(), listed);
    ASSERT_EQ(" Number retrieved: " + std::to_string(listed.size()), acquiretest::DialogText(dialog, IDC_RETRIEVED_FIELD));

    std::vector<Stored> stored;
    for (int n = 1; n <= int(listed.size()); ++n) stored.push_back(StoredPicture(n));
    const size_t damaged = TransferThroughDialog(dialog, stored, "dialog");
    std::printf("%zu pictures by each of 3 modes through the dialog, %zu that cannot be decoded\n", stored.size() - damaged,
                damaged);
}

TEST_F(CameraPicturesTest, EveryPictureWithoutTheDialogByEachMode) {
    const size_t onCard = CardPictures().size();
    size_t acquired = 0, failed = 0;
    // Each round takes the camera's first picture by each mode, then the card loses it.
    for (size_t round = 0; round < onCard; ++round) {
        const Stored first = StoredPicture(1);
        for (Mode mode : sourcetest::kModes) {
            ASSERT_EQ(std::vector<TW_UINT16>{MSG_XFERREADY}, EnableWithoutDialog()) << first.name;
            if (first.expected.pixels.empty()) {
                ExpectFailure(first, mode);
            } else {
                Acquire(first, mode, "nodialog", 0);
            }
            EXPECT_EQ(std::vector<TW_UINT16>{MSG_CLOSEDSREQ}, Messages(session->app.TakeNotifications())) << first.name;
            ASSERT_TRUE(Disable());
        }
        (first.expected.pixels.empty() ? failed : acquired) += 1;
        std::printf("%s by each mode without the dialog\n", first.name.c_str());
        std::fflush(stdout);
        ASSERT_TRUE(DeleteFileA(CardPath(PicturePath(1)).c_str()));
    }
    // The camera has no picture left: the source asks to be closed.
    EXPECT_EQ(std::vector<TW_UINT16>{MSG_CLOSEDSREQ}, EnableWithoutDialog());
    EXPECT_GT(acquired, 0u);
    std::printf("%zu pictures by each of 3 modes without the dialog, %zu that cannot be decoded\n", acquired, failed);
}
