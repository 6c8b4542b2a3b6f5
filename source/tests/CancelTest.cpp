// Cancelling through the TWAIN application's source: in the retrieval's progress box and in a
// transfer's, with the camera paced at its line speed. Nothing is handed over half done, and the
// process has as many handles, windows and global blocks of the source and the acquire module as
// before. And the camera pulled out in the middle of a retrieval.
#include "AcquisitionFixture.h"
#include "ChooserDriving.h"
#include "GlobalBlockCounter.h"
#include "ProcessCounts.h"
#include "PvresIds.h"
#include "WindowAnswerer.h"

#include <cstdio>

namespace {

struct Counts {
    int handles, windows;
    bool operator==(const Counts&) const = default;
};

Counts Now() {
    // Let closed windows finish going.
    acquiretest::PumpMessages(200);
    return {pvtest::LiveHandles(), pvtest::ProcessWindows()};
}

std::ostream& operator<<(std::ostream& out, const Counts& c) {
    return out << c.handles << " handles, " << c.windows << " windows";
}

class CancelTest : public AcquisitionTest {
protected:
    std::unique_ptr<pvtest::GlobalBlockCounter> CountBlocks() {
        auto counter = std::make_unique<pvtest::GlobalBlockCounter>(
                std::vector<HMODULE>{GetModuleHandleA("pvsource.ds"), GetModuleHandleA("pvacquire.dll")});
        EXPECT_TRUE(counter->attached());
        return counter;
    }
    // The camera button pressed, every picture chosen: the retrieval's progress box comes.
    size_t RetrieveEverything(HWND dialog) {
        std::vector<std::string> listed;
        acquiretest::WindowDriver chooser("Get Camera Pictures", acquiretest::ChooseEveryFile(&listed));
        acquiretest::Press(dialog, IDC_CAMERA_BUTTON);
        EXPECT_TRUE(chooser.Drove());
        return listed.size();
    }
    std::string Progress(const char* what, int step, size_t of) {
        return std::string(what) + " [ " + std::to_string(step) + " / " + std::to_string(of) + " ]";
    }
};

}  // namespace

TEST_F(CancelTest, CancelInTheRetrievalLeavesNothingBehind) {
    HWND dialog = EnableWithDialog();
    ASSERT_TRUE(dialog);
    // A first whole retrieval: what the camera connection keeps for the process is counted in.
    const size_t pictures = RetrieveEverything(dialog);
    ASSERT_GE(pictures, 3u);
    ASSERT_EQ(" Number retrieved: " + std::to_string(pictures), acquiretest::DialogText(dialog, IDC_RETRIEVED_FIELD));
    const Counts before = Now();
    auto blocks = CountBlocks();

    Sim("throttle on");
    {
        acquiretest::WindowAnswerer discard("Warning", IDOK);
        acquiretest::WindowAnswerer cancel(Progress("Getting Picture ", 2, pictures), IDCANCEL);
        RetrieveEverything(dialog);
        ASSERT_TRUE(discard.Seen());
        ASSERT_TRUE(cancel.Seen());
    }
    Sim("throttle off");
    // The pictures retrieved before the cancel stay, whole; the rest do not come.
    int retrieved = 0;
    std::sscanf(acquiretest::DialogText(dialog, IDC_RETRIEVED_FIELD).c_str(), " Number retrieved: %d", &retrieved);
    EXPECT_LT(size_t(retrieved), pictures);
    EXPECT_EQ(retrieved > 0, IsWindowEnabled(GetDlgItem(dialog, IDC_TRANSFER_BUTTON)) != FALSE);
    EXPECT_TRUE(IsWindowEnabled(dialog));
    std::printf("cancelled at picture 2 of %zu: %d retrieved\n", pictures, retrieved);
    EXPECT_EQ(before, Now());
    EXPECT_EQ(0, blocks->outstanding());
}

TEST_F(CancelTest, CancelInATransferHandsNothingOver) {
    HWND dialog = EnableWithDialog();
    ASSERT_TRUE(dialog);
    const size_t pictures = RetrieveEverything(dialog);
    ASSERT_GE(pictures, 2u);
    acquiretest::SelectThumbnails(dialog, {0, 1});
    for (sourcetest::Mode mode : {sourcetest::Mode::kNative, sourcetest::Mode::kMemory}) {
        const std::string what = sourcetest::ModeName(mode);
        // Counted from before the camera is connected for the transfer (it is let go after the
        // cancel) and after the selection is made (the dialog keeps it for the next Transfer).
        const Counts before = Now();
        acquiretest::Press(dialog, IDC_TRANSFER_BUTTON);
        ASSERT_EQ(std::vector<TW_UINT16>{MSG_XFERREADY}, Messages(session->app.TakeNotifications())) << what;
        auto blocks = CountBlocks();
        Sim("throttle on");
        {
            acquiretest::WindowAnswerer cancel(Progress("Transferring Picture ", 1, 2), IDCANCEL);
            const sourcetest::Delivered d = sourcetest::TransferPending(*session, mode, "");
            EXPECT_EQ(TWRC_CANCEL, d.result) << what;
            EXPECT_TRUE(d.picture.pixels.empty()) << what;
            ASSERT_TRUE(cancel.Seen()) << what;
        }
        Sim("throttle off");
        EXPECT_EQ("Transfer canceled...", acquiretest::DialogText(dialog, IDC_STATUS_LINE)) << what;
        // The second picture is dropped with the first.
        EXPECT_EQ(0, sourcetest::EndTransfer(*session)) << what;
        EXPECT_TRUE(session->app.TakeNotifications().empty()) << what;
        EXPECT_TRUE(IsWindowEnabled(dialog)) << what;
        EXPECT_EQ(before, Now()) << what;
        EXPECT_EQ(0, blocks->outstanding()) << what;
    }
}

TEST_F(CancelTest, CameraPulledOutDuringTheRetrieval) {
    HWND dialog = EnableWithDialog();
    ASSERT_TRUE(dialog);
    const size_t pictures = CardPictures().size();
    ASSERT_GE(pictures, 3u);
    Sim("throttle on");
    // The third picture's thumbnail is on its way when the camera goes.
    acquiretest::WindowDriver pull(Progress("Getting Picture ", 3, pictures), [this](HWND) { peer.stopSimulator(kCom); });
    acquiretest::WindowAnswerer message("Communication Error", IDOK, 60000);
    RetrieveEverything(dialog);
    ASSERT_TRUE(pull.Drove());
    auto seen = message.Seen();
    ASSERT_TRUE(seen);
    EXPECT_TRUE(seen->Shows("Cannot find the camera."));
    EXPECT_TRUE(IsWindowEnabled(dialog));
    const std::string retrieved = acquiretest::DialogText(dialog, IDC_RETRIEVED_FIELD);
    EXPECT_NE(" Number retrieved: " + std::to_string(pictures), retrieved);
    // A camera again for the end of the test.
    auto again = peer.startSimulator(kCom, 1, "--no-throttle");
    sim = std::make_unique<pvtest::PeerClient>(again.control);
    card = again.cardDir;
}
