// The "Se&nd To" submenu of a picture in the thumbnail view, with real shortcuts in the user's Send
// To folder: which shortcuts become entries and in which order, and what choosing a folder or a
// program entry delivers, down to the bytes of the pictures.
#include "SendToFixture.h"

#include "MessageBoxAnswerer.h"
#include "TransferSupport.h"

using namespace viewtest;

namespace {

using Names = std::vector<std::string>;

const Names kCardPictures = {"PV000010.JPG", "PV000009.FPX", "PV000008.JPG", "PV000007.FPX", "PV000006.JPG"};

// The shell may show a shortcut's name with or without its extension.
std::string WithoutLinkExtension(std::string name) {
    if (name.size() > 4 && lstrcmpiA(name.c_str() + name.size() - 4, ".lnk") == 0) name.resize(name.size() - 4);
    return name;
}

void WriteFile(const std::string& path, const std::string& bytes) { transfertest::WriteLocalFile(path, bytes); }

}  // namespace

TEST_F(SendToTest, TheSubmenuListsFolderAndProgramShortcutsByNameAndNothingElse) {
    WriteFile(targetFolder + "notes.txt", "not a program");
    WriteFile(targetFolder + "gone.exe", ReadLocalFile(RecorderPath()));
    ASSERT_TRUE(shortcuts.Add("pvtest Zeta Recorder", RecorderPath()));
    ASSERT_TRUE(shortcuts.Add("pvtest alpha Pictures", targetFolder.substr(0, targetFolder.size() - 1)));
    ASSERT_TRUE(shortcuts.Add("pvtest Notes", targetFolder + "notes.txt"));
    ASSERT_TRUE(shortcuts.Add("pvtest Gone", targetFolder + "gone.exe"));
    ASSERT_TRUE(DeleteFileA((targetFolder + "gone.exe").c_str()));
    ASSERT_NO_FATAL_FAILURE(OpenThumbnails(CardFolder()));
    SendToMenuDriver driver("", "sendto_submenu");
    RightClickCell(2);
    ASSERT_TRUE(driver.SubmenuShown());
    std::vector<SendToEntry> ours;
    for (const SendToEntry& entry : driver.Entries()) {
        EXPECT_TRUE(entry.ownerDrawn) << entry.id;
        EXPECT_GE(entry.id, 5000u);
        if (entry.name.rfind("pvtest", 0) == 0) ours.push_back(entry);
    }
    ASSERT_EQ(2u, ours.size()) << "the text document and the shortcut to a lost program are left out";
    EXPECT_EQ("pvtest alpha Pictures", WithoutLinkExtension(ours[0].name)) << "sorted ignoring case";
    EXPECT_EQ(0, ours[0].type);
    EXPECT_EQ("pvtest Zeta Recorder", WithoutLinkExtension(ours[1].name));
    EXPECT_EQ(1, ours[1].type);
}

TEST_F(SendToTest, AFolderEntryReceivesTheSelectedPicturesByteForByte) {
    ASSERT_TRUE(shortcuts.Add("pvtest Pictures", targetFolder.substr(0, targetFolder.size() - 1)));
    ASSERT_NO_FATAL_FAILURE(OpenThumbnails(CardFolder()));
    ClickCell(2);
    ClickCell(4, MK_CONTROL);
    dialogtest::MessageBoxAnswerer answerer({dialogtest::kMounterCaption});
    {
        SendToMenuDriver driver("pvtest Pictures");
        MenuKey();
        ASSERT_TRUE(driver.SubmenuShown());
    }
    PumpMessages(200);
    EXPECT_EQ((Names{kCardPictures[4], kCardPictures[2]}), transfertest::FilesIn(targetFolder)) << "sorted";
    for (const std::string& name : {kCardPictures[2], kCardPictures[4]})
        EXPECT_TRUE(SameAsCard(name, targetFolder + name)) << name;
    EXPECT_EQ(Names{}, transfertest::FilesIn(area)) << "the copies were moved, not left behind";
    for (const dialogtest::MessageBoxSeen& box : answerer.Seen()) ADD_FAILURE() << box.text;
}

TEST_F(SendToTest, AProgramEntryGetsThreeCopiesEachFollowedByABlank) {
    ASSERT_TRUE(shortcuts.Add("pvtest Recorder", RecorderPath()));
    ASSERT_NO_FATAL_FAILURE(OpenThumbnails(CardFolder()));
    ClickCell(0);
    ClickCell(2, MK_CONTROL);
    ClickCell(4, MK_CONTROL);
    dialogtest::MessageBoxAnswerer answerer({dialogtest::kMounterCaption});
    {
        SendToMenuDriver driver("pvtest Recorder");
        MenuKey();
        ASSERT_TRUE(driver.SubmenuShown());
    }
    std::string line = AwaitRecordedCommandLine();
    ASSERT_FALSE(line.empty()) << "the program was started";
    std::string expected;
    for (int n : {0, 2, 4}) expected += area + kCardPictures[n] + " ";
    ASSERT_GE(line.size(), expected.size());
    EXPECT_EQ(expected, line.substr(line.size() - expected.size())) << line;
    for (int n : {0, 2, 4})
        EXPECT_TRUE(SameAsCard(kCardPictures[n], area + kCardPictures[n])) << kCardPictures[n];
    for (const dialogtest::MessageBoxSeen& box : answerer.Seen()) ADD_FAILURE() << box.text;
}

TEST_F(SendToTest, AProgramLostAfterTheMenuOpenedIsToldAndTheCardKeepsThePicture) {
    std::string program = targetFolder + "lost.exe";
    WriteFile(program, ReadLocalFile(RecorderPath()));
    ASSERT_TRUE(shortcuts.Add("pvtest Lost", program));
    ASSERT_NO_FATAL_FAILURE(OpenThumbnails(CardFolder()));
    dialogtest::MessageBoxAnswerer answerer({dialogtest::kMounterCaption});
    {
        SendToMenuDriver driver("pvtest Lost", "", [&] { DeleteFileA(program.c_str()); });
        RightClickCell(2);
        ASSERT_TRUE(driver.SubmenuShown());
    }
    PumpMessages(200);
    std::vector<dialogtest::MessageBoxSeen> seen = answerer.Seen();
    ASSERT_EQ(1u, seen.size());
    EXPECT_EQ("Could not execute the application from the Send To menu.\n Please verify that the item is valid.",
              seen[0].text);
    EXPECT_EQ(UINT(MB_ICONSTOP), seen[0].icon);
    EXPECT_EQ(kCardPictures, AllNames()) << "nothing left the card";
    EXPECT_EQ(Names{kCardPictures[2]}, transfertest::FilesIn(area));
    EXPECT_TRUE(SameAsCard(kCardPictures[2], area + kCardPictures[2]));
}
