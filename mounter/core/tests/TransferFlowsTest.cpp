// Deleting pictures through the "Delete Selected Files From Camera" dialog and formatting the card,
// against the simulator, with the dialogs and message boxes answered from watcher threads.
#include "CameraFileFlows.h"
#include "DialogDriver.h"
#include "MessageBoxAnswerer.h"
#include "MounterFixture.h"
#include "TransferSupport.h"

#include <atomic>

using namespace transfertest;

namespace {

constexpr char kDeleteTitle[] = "Delete Selected Files From Camera";
constexpr char kConfirmCaption[] = "Delete Picture Files";
constexpr int kFileNameCombo = 0x47c;   // cmb13
constexpr int kFileNameEdit = 0x480;    // edt1

struct DeleteDialogLook {
    int shown = 0;
    std::string okText;
};

// Answers every delete dialog until finished: names typed into the file name box and the dialog's
// OK pressed, or Cancel when names is empty (or when OK does not close it).
class DeleteDialogDriver {
public:
    explicit DeleteDialogDriver(std::string names) : m_names(std::move(names)), m_thread([this] { Run(); }) {}
    ~DeleteDialogDriver() { Finish(); }

    DeleteDialogLook Finish() {
        m_stop = true;
        if (m_thread.joinable()) m_thread.join();
        return m_look;
    }

private:
    void Run() {
        while (!m_stop) {
            HWND dialog = FindWindowA("#32770", kDeleteTitle);
            if (dialog && IsWindowVisible(dialog)) Answer(dialog);
            else Sleep(20);
        }
    }

    void Answer(HWND dialog) {
        for (int poll = 0; poll < 250 && dialogtest::ControlText(dialog, IDOK) != "Delete"; ++poll) Sleep(20);
        m_look.okText = dialogtest::ControlText(dialog, IDOK);
        ++m_look.shown;
        if (!m_names.empty()) {
            SetDlgItemTextA(dialog, kFileNameCombo, m_names.c_str());
            SetDlgItemTextA(dialog, kFileNameEdit, m_names.c_str());
            dialogtest::ClickButton(dialog, IDOK);
            if (dialogtest::WaitUntilGone(dialog, 5000)) return;
        }
        dialogtest::ClickButton(dialog, IDCANCEL);
        dialogtest::WaitUntilGone(dialog);
    }

    std::string m_names;
    std::atomic<bool> m_stop{false};
    DeleteDialogLook m_look;
    std::thread m_thread;
};

class TransferFlowTest : public MounterCameraTest {
protected:
    void SetUp() override {
        MounterCameraTest::SetUp();
        folder = MakeCardFolder();
    }

    void Connect() { ASSERT_EQ(0, folder->ConnectCamera(1, nullptr)); }
    bool OnCard(const std::string& name) { return Exists(CardPath("PCCARD/DCIMAGES/" + name)); }

    FolderPtr folder;
};

using TransferDeleteFlowTest = TransferFlowTest;
using TransferFormatFlowTest = TransferFlowTest;

}  // namespace

TEST_F(TransferDeleteFlowTest, WithoutTheCardShows9014AndNoDialog) {
    Connect();
    Sim("card out");
    DeleteDialogDriver driver("");
    dialogtest::MessageBoxAnswerer boxes({dialogtest::kMounterCaption, kConfirmCaption});
    EXPECT_EQ(0, DeletePicturesFromCard(folder.get(), nullptr, 0));
    EXPECT_EQ(0, driver.Finish().shown);
    std::vector<dialogtest::MessageBoxSeen> seen = boxes.Seen();
    ASSERT_EQ(1u, seen.size());
    EXPECT_EQ("The Memory Card has been removed from the camera.\nPlease insert the card and try again.", seen[0].text);
    EXPECT_EQ(UINT(MB_ICONSTOP), seen[0].icon);
}

TEST_F(TransferDeleteFlowTest, ConfirmedChoiceIsDeletedFromTheCard) {
    Connect();
    DeleteDialogDriver driver("\"PV000006.JPG\" \"PV000008.JPG\"");
    dialogtest::MessageBoxAnswerer boxes({dialogtest::kMounterCaption, kConfirmCaption}, IDYES);
    EXPECT_EQ(2, DeletePicturesFromCard(folder.get(), nullptr, 0));
    DeleteDialogLook look = driver.Finish();
    EXPECT_EQ(1, look.shown);
    EXPECT_EQ("Delete", look.okText);
    std::vector<dialogtest::MessageBoxSeen> seen = boxes.Seen();
    ASSERT_EQ(1u, seen.size());
    EXPECT_EQ(kConfirmCaption, seen[0].caption);
    EXPECT_EQ("Picture files will be permanently deleted!\n Do you wish to continue?", seen[0].text);
    EXPECT_TRUE(seen[0].yesNo);
    EXPECT_EQ(UINT(MB_ICONQUESTION), seen[0].icon);
    EXPECT_FALSE(OnCard("PV000006.JPG"));
    EXPECT_FALSE(OnCard("PV000008.JPG"));
    EXPECT_TRUE(OnCard("PV000007.FPX"));
}

TEST_F(TransferDeleteFlowTest, DeclinedConfirmationDeletesNothing) {
    Connect();
    DeleteDialogDriver driver("PV000006.JPG");
    dialogtest::MessageBoxAnswerer boxes({dialogtest::kMounterCaption, kConfirmCaption}, IDNO);
    EXPECT_EQ(0, DeletePicturesFromCard(folder.get(), nullptr, 0));
    EXPECT_EQ(1, driver.Finish().shown);
    EXPECT_EQ(1u, boxes.Seen().size());
    EXPECT_TRUE(OnCard("PV000006.JPG"));
}

TEST_F(TransferDeleteFlowTest, CancelledDialogAsksNothing) {
    Connect();
    DeleteDialogDriver driver("");
    dialogtest::MessageBoxAnswerer boxes({dialogtest::kMounterCaption, kConfirmCaption});
    EXPECT_EQ(0, DeletePicturesFromCard(folder.get(), nullptr, 0));
    EXPECT_EQ(1, driver.Finish().shown);
    EXPECT_TRUE(boxes.Seen().empty());
}

TEST_F(TransferDeleteFlowTest, FailedDeletionIsToldWithTheFileName) {
    Connect();
    DeleteDialogDriver driver("NOSUCH.JPG");
    dialogtest::MessageBoxAnswerer boxes({dialogtest::kMounterCaption, kConfirmCaption}, IDYES);
    EXPECT_EQ(0, DeletePicturesFromCard(folder.get(), nullptr));   // with the product's pause
    std::vector<dialogtest::MessageBoxSeen> seen = boxes.Seen();
    ASSERT_EQ(2u, seen.size());
    EXPECT_EQ(dialogtest::kMounterCaption, seen[1].caption);
    EXPECT_EQ("A camera error occured while deleting picture file NOSUCH.JPG.\nThe file may not be deleted from the camera.",
              seen[1].text);
    EXPECT_EQ(UINT(MB_ICONINFORMATION), seen[1].icon);
}

TEST_F(TransferFormatFlowTest, ConfirmedFormatOpensTheSessionAndReportsCompletion) {
    ASSERT_FALSE(folder->IsSessionOpen());
    dialogtest::MessageBoxAnswerer boxes({dialogtest::kMounterCaption}, IDYES);
    EXPECT_EQ(0, FormatCardWithConfirmation(folder.get(), nullptr));
    std::vector<dialogtest::MessageBoxSeen> seen = boxes.Seen();
    ASSERT_EQ(2u, seen.size());
    EXPECT_EQ("Formatting the memory card will permanently destroy all pictures on the card.\nDo you wish to continue?",
              seen[0].text);
    EXPECT_TRUE(seen[0].yesNo);
    EXPECT_EQ(UINT(MB_ICONQUESTION), seen[0].icon);
    EXPECT_EQ(IDNO, seen[0].defaultButton);
    EXPECT_EQ("The memory card format is complete.", seen[1].text);
    EXPECT_EQ(UINT(MB_ICONINFORMATION), seen[1].icon);
    EXPECT_TRUE(FilesIn(CardPath("PCCARD/DCIMAGES")).empty());
    EXPECT_FALSE(OnCard("ALBUM001"));
}

TEST_F(TransferFormatFlowTest, DeclinedFormatLeavesTheCard) {
    dialogtest::MessageBoxAnswerer boxes({dialogtest::kMounterCaption}, IDNO);
    EXPECT_EQ(-1, FormatCardWithConfirmation(folder.get(), nullptr));
    EXPECT_EQ(1u, boxes.Seen().size());
    EXPECT_FALSE(folder->IsSessionOpen());
    EXPECT_TRUE(OnCard("PV000006.JPG"));
}

TEST_F(TransferFormatFlowTest, FailedFormatShows9042) {
    Connect();
    Sim("card out");
    dialogtest::MessageBoxAnswerer boxes({dialogtest::kMounterCaption}, IDYES);
    EXPECT_NE(0, FormatCardWithConfirmation(folder.get(), nullptr));
    std::vector<dialogtest::MessageBoxSeen> seen = boxes.Seen();
    ASSERT_EQ(2u, seen.size());
    EXPECT_EQ("An error occurred trying to format the card. Make sure the card is inserted in the camera. ", seen[1].text);
    EXPECT_EQ(UINT(MB_ICONSTOP), seen[1].icon);
    Sim("card in");
    EXPECT_TRUE(OnCard("PV000006.JPG"));
}
