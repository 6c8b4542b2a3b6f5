// The camera layer of a folder object against the simulator: settings, connecting, copies to disk,
// picture texts, thumbnails, deletion, formatting and the camera settings.
#include "Album.h"
#include "CameraDouble.h"
#include "CopyProgressDialog.h"
#include "MemorySpies.h"
#include "Memory.h"
#include "MounterFixture.h"
#include "TempArea.h"
#include "TransferSupport.h"
#include "pvhost.h"

#include <sstream>

namespace {

using transfertest::Item;
using FolderRef = transfertest::FolderPtr;

Item FileItem(const std::string& name, DWORD type = MntPictureFile) { return transfertest::MakeItem(name, type, 0); }

// A directory of its own for the copies of one test.
std::string FreshDirectory(const std::string& name) {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string path = std::string(temp) + name + "\\";
    CreateDirectoryA(path.c_str(), nullptr);
    for (const std::string& file : transfertest::FilesIn(path)) DeleteFileA((path + file).c_str());
    return path;
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Status byte at offset of the simulator's current status record.
int StatusByte(const std::string& hexRecord, size_t offset) { return std::stoi(hexRecord.substr(offset * 2, 2), nullptr, 16); }

class FolderAccessTest : public MounterCameraTest {
protected:
    void SetUp() override {
        MounterCameraTest::SetUp();
        folder = transfertest::MakeCardFolder();
    }
    void Connect() { ASSERT_EQ(0, folder->ConnectCamera(1, nullptr)); }
    std::string SimStatus() {
        std::string reply = Sim("status");
        return reply.substr(reply.find_first_not_of(' '));
    }

    FolderRef folder;
};

}  // namespace

TEST_F(FolderAccessTest, SettingsDefaultToCom1At57600) {
    pvtest::deleteMachineKey(pvtest::kMounterKey);
    FolderRef noKey = transfertest::MakeCardFolder();
    EXPECT_EQ(0u, noKey->Port());
    EXPECT_EQ(57600u, noKey->Speed());
    pvtest::setMachineDword(pvtest::kMounterKey, "", 0);
    FolderRef noValues = transfertest::MakeCardFolder();
    EXPECT_EQ(0u, noValues->Port());
    EXPECT_EQ(57600u, noValues->Speed());
    EXPECT_EQ(0u, noValues->WriteCommPort(3));
    EXPECT_EQ(57600u, noValues->WriteSpeed(19200));
    FolderRef written = transfertest::MakeCardFolder();
    EXPECT_EQ(3u, written->Port());
    EXPECT_EQ(19200u, written->Speed());
}

TEST_F(FolderAccessTest, SecondConnectAnswers18WithoutTouchingTheCamera) {
    EXPECT_FALSE(folder->IsSessionOpen());
    EXPECT_EQ(3u, folder->GetCameraModelCode()) << "no session";
    Connect();
    EXPECT_TRUE(folder->IsSessionOpen());
    EXPECT_EQ(2u, folder->GetCameraModelCode());
    EXPECT_EQ(1, folder->GetConnectedFlag(FALSE));
    Sim("transcript clear");
    EXPECT_EQ(18, folder->ConnectCamera(1, nullptr));
    EXPECT_EQ(std::string::npos, Sim("transcript").find("H:"));
    EXPECT_EQ(1, folder->GetConnectedFlag(FALSE)) << "the session is still connected";
    EXPECT_EQ(0, folder->CloseCamera());
    EXPECT_FALSE(folder->IsSessionOpen());
    EXPECT_EQ(0, folder->GetConnectedFlag(FALSE));
}

TEST_F(FolderAccessTest, PictureCopiesAreByteIdentical) {
    Connect();
    std::string destination = FreshDirectory("pvcopy");
    for (const char* name : {"PV000007.FPX", "PV000006.JPG", "README.TXT"}) {
        CopyOutcome outcome;
        Item item = FileItem(name);
        ASSERT_EQ(1, folder->CopyPictureToDisk(item.get(), destination.c_str(), &outcome, nullptr)) << name;
        EXPECT_EQ(0u, outcome.status);
        EXPECT_EQ(CardFile(std::string("PCCARD/DCIMAGES/") + name), ReadLocalFile(destination + name)) << name;
    }
}

TEST_F(FolderAccessTest, NothingToCopyGives20) {
    CopyOutcome outcome;
    Item item = FileItem("PV000007.FPX");
    EXPECT_EQ(0, folder->CopyPictureToDisk(item.get(), "C:\\", &outcome, nullptr));
    EXPECT_EQ(20u, outcome.status) << "no session";
    Connect();
    EXPECT_EQ(0, folder->CopyPictureToDisk(nullptr, "C:\\", &outcome, nullptr));
    EXPECT_EQ(20u, outcome.status) << "no item";
    EXPECT_EQ(0, folder->CopyAlbumToDisk(nullptr, "C:\\", &outcome, nullptr));
    EXPECT_EQ(20u, outcome.status);
}

TEST_F(FolderAccessTest, FailedCopiesReportCameraAndLocalErrors) {
    Connect();
    std::string destination = FreshDirectory("pvfail");
    CopyOutcome outcome;
    Item missing = FileItem("NOSUCH.JPG");
    EXPECT_EQ(0, folder->CopyPictureToDisk(missing.get(), destination.c_str(), &outcome, nullptr));
    EXPECT_EQ(DWORD(kCamCameraError), outcome.status);
    EXPECT_FALSE(Exists(destination + "NOSUCH.JPG"));

    Item picture = FileItem("PV000006.JPG");
    std::string nowhere = destination + "no\\such\\directory\\";
    EXPECT_EQ(0, folder->CopyPictureToDisk(picture.get(), nowhere.c_str(), &outcome, nullptr));
    EXPECT_EQ(9u, outcome.status);
    EXPECT_EQ(DWORD(ERROR_PATH_NOT_FOUND), outcome.lastError);
}

TEST_F(FolderAccessTest, AlbumCopiesLandInADirectoryNamedByTheTitle) {
    Connect();
    std::string destination = FreshDirectory("pvalbum");
    Item album = FileItem("ALBUM001", MntAlbum);
    CopyOutcome outcome;
    ASSERT_EQ(1, folder->CopyAlbumToDisk(album.get(), destination.c_str(), &outcome, nullptr));
    std::string local = destination + folder->LocalAlbumName("ALBUM001");
    EXPECT_NE(std::string::npos, local.find("Summer Trip"));
    std::vector<std::string> files = transfertest::FilesIn(CardPath("PCCARD/DCIMAGES/ALBUM001"));
    ASSERT_FALSE(files.empty());
    EXPECT_EQ(files, transfertest::FilesIn(local));
    for (const std::string& name : files)
        EXPECT_EQ(CardFile("PCCARD/DCIMAGES/ALBUM001/" + name), ReadLocalFile(local + "\\" + name)) << name;
}

TEST_F(FolderAccessTest, AlbumCopyGoesOnPastAnUnreadableFile) {
    Connect();
    std::string destination = FreshDirectory("pvpartial");
    Item album = FileItem("ALBUM001", MntAlbum);
    Sim("fault error 9A 1");   // the camera refuses the first file
    CopyOutcome outcome;
    EXPECT_EQ(0, folder->CopyAlbumToDisk(album.get(), destination.c_str(), &outcome, nullptr));
    EXPECT_NE(0u, outcome.status);
    std::string local = destination + folder->LocalAlbumName("ALBUM001") + "\\";
    std::vector<std::string> files = transfertest::FilesIn(CardPath("PCCARD/DCIMAGES/ALBUM001"));
    ASSERT_GE(files.size(), 2u);
    files.erase(files.begin());   // the first in the listing's order, which the camera refused
    EXPECT_EQ(files, transfertest::FilesIn(local)) << Sim("transcript");
}

TEST_F(FolderAccessTest, CamerasWithoutAlbumFilesNameAlbumsByDirectory) {
    peer.stopSimulator(kCom);
    sim = std::make_unique<pvtest::PeerClient>(peer.startSimulator(kCom, 1, "--no-throttle --model PV350").control);
    Sim("timing resetquiet 200");
    Connect();
    EXPECT_EQ(3u, folder->GetCameraModelCode());
    EXPECT_EQ(nullptr, folder->AlbumNames());
    EXPECT_EQ("ALBUM001", folder->LocalAlbumName("ALBUM001"));
}

TEST_F(FolderAccessTest, PictureTextsAndInformation) {
    std::string text;
    Item picture = FileItem("PV000006.JPG");
    folder->GetPictureQualityText(&text, picture.get());
    EXPECT_EQ("N/A", text) << "no session";
    std::string name;
    EXPECT_EQ(-1, folder->GetPictureInfoAt(0, &name));

    Connect();
    ASSERT_EQ(1, folder->SetCameraQuality(2));
    ASSERT_EQ(1, folder->SetCameraResolution(1));
    ASSERT_EQ(1, folder->TakeCameraPicture());
    folder->RefreshCameraStatus();
    DWORD newest = CameraGetStatusWord(folder->Session(), 56) - 1;
    LONG taken = folder->GetPictureInfoAt(newest, &name);
    EXPECT_NE(-1, taken);
    ASSERT_EQ(0u, name.find("PV")) << name;
    Item created = FileItem(name);
    folder->GetPictureQualityText(&text, created.get());
    EXPECT_EQ("Better", text);
    folder->GetPictureResolutionText(&text, created.get());
    EXPECT_EQ("High (1152x864)", text);
    EXPECT_EQ(-1, folder->GetPictureInfoAt(newest + 1, &name));
    // An album counts its album pictures (.ODC), as many as the card image holds; none in the third.
    Item card(itemid::MakeMemory(MntMemoryCard));
    for (const auto& [album, holdsSome] : {std::pair{"ALBUM001", true}, std::pair{"ALBUM003", false}}) {
        size_t pictures = 0;
        for (const std::string& file : transfertest::FilesIn(CardPath(std::string("PCCARD/DCIMAGES/") + album)))
            pictures += file.ends_with(".ODC") ? 1 : 0;
        folder->CountAlbumPictures(&text, FileItem(album, MntAlbum).get(), card.get());
        EXPECT_EQ(std::to_string(pictures), text) << album;
        EXPECT_EQ(holdsSome, pictures > 0) << album;
    }
}

TEST_F(FolderAccessTest, ThumbnailsByNameAndNumber) {
    mounter::CameraBuffer thumbnail;
    EXPECT_EQ(0, folder->GetThumbnailByIndex(0, thumbnail.put())) << "no session";
    Connect();
    ASSERT_EQ(1, folder->GetThumbnailByName("\\PCCARD\\DCIMAGES\\PV000006.JPG", thumbnail.put()));
    std::string byName(reinterpret_cast<char*>(thumbnail.get()), 3456);
    ASSERT_EQ(1, folder->GetThumbnailByIndex(0, thumbnail.put()));
    EXPECT_EQ(0, folder->GetThumbnailByName("\\PCCARD\\DCIMAGES\\NOSUCH.JPG", thumbnail.put()));
    EXPECT_FALSE(thumbnail);
}

TEST_F(FolderAccessTest, DeletingAndFormatting) {
    EXPECT_EQ(17u, folder->FormatMemoryCard()) << "no session";
    EXPECT_EQ(0, folder->DeleteCameraFile("\\PCCARD\\DCIMAGES\\README.TXT"));
    Connect();
    ASSERT_TRUE(Exists(CardPath("PCCARD/DCIMAGES/README.TXT")));
    EXPECT_EQ(1, folder->DeleteCameraFile("\\PCCARD\\DCIMAGES\\README.TXT"));
    EXPECT_FALSE(Exists(CardPath("PCCARD/DCIMAGES/README.TXT")));
    EXPECT_EQ(0, folder->DeleteCameraFile("\\PCCARD\\DCIMAGES\\README.TXT"));
    EXPECT_EQ(0u, folder->FormatMemoryCard());
    mounter::CameraBuffer list;
    DWORD entries = folder->ListCameraFiles(list.put());
    for (DWORD i = 0; i < entries; ++i) EXPECT_TRUE(itemid::IsDotEntry(list.get() + 20 * i)) << "formatted card is empty";
}

TEST_F(FolderAccessTest, SettingsCommandsReachTheCamera) {
    EXPECT_EQ(0, folder->SetCameraFlash(2)) << "no session";
    Connect();
    EXPECT_EQ(1, folder->SetCameraFlash(2));
    EXPECT_EQ(1, folder->SetCameraSelfTimer(1));
    EXPECT_EQ(1, folder->SetCameraFileFormat(4));
    EXPECT_EQ(1, folder->SetCameraZoom(5));
    EXPECT_EQ(0, folder->SetCameraQuality(9)) << "refused by the camera";
    std::string status = SimStatus();
    EXPECT_EQ(2, StatusByte(status, 20));
    EXPECT_EQ(1, StatusByte(status, 29));
    EXPECT_EQ(4, StatusByte(status, 23));
    EXPECT_EQ(5, StatusByte(status, 16) & 0x0F);
    Sim("transcript clear");
    EXPECT_EQ(1, folder->SetCameraClock(0x01020304));
    std::string transcript = Sim("transcript");
    EXPECT_NE(std::string::npos, transcript.find("H:750001020304001A")) << transcript;
}

TEST_F(FolderAccessTest, CardRemovedMeansNoListAndNoCopy) {
    Connect();
    Sim("card out");
    EXPECT_EQ(0, folder->IsCardPresent(TRUE));
    mounter::CameraBuffer list;
    EXPECT_EQ(0u, folder->ListCameraFiles(list.put()));
    EXPECT_FALSE(list);
    CopyOutcome outcome;
    Item picture = FileItem("PV000006.JPG");
    EXPECT_EQ(0, folder->CopyPictureToDisk(picture.get(), "C:\\", &outcome, nullptr));
    EXPECT_NE(0u, outcome.status);
}

TEST_F(FolderAccessTest, ALostSessionIsOpenedAfresh) {
    Connect();
    ASSERT_EQ(0u, CameraDisconnect(folder->Session()));   // the link gave up on the camera
    EXPECT_FALSE(folder->IsSessionOpen());
    Sim("counters clear");
    EXPECT_EQ(0, folder->ConnectCamera(1, nullptr));
    EXPECT_TRUE(folder->IsSessionOpen());
    EXPECT_NE(std::string::npos, Sim("counters").find("resets=1"));
    CopyOutcome outcome;
    Item item = FileItem("README.TXT", MntOtherFile);
    EXPECT_EQ(1, folder->CopyPictureToDisk(item.get(), FreshDirectory("pvagain").c_str(), &outcome, nullptr));
}

TEST_F(FolderAccessTest, TheConnectedFlagFollowsTheLastStatusRefresh) {
    Connect();
    Sim("fault error 7F 1");
    EXPECT_NE(0, folder->RefreshCameraStatus());
    EXPECT_EQ(0, folder->GetConnectedFlag(FALSE));
    EXPECT_EQ(1, folder->GetConnectedFlag(TRUE)) << "the next refresh answers";
}

TEST_F(FolderAccessTest, PicturesCopyOutOfAnAlbumFolder) {
    auto album = FolderRef::attach(CAlbum::CreateObject());
    Item card(itemid::MakeMemory(MntMemoryCard));
    Item directory = FileItem("ALBUM001", MntAlbum);
    Item list(itemid::Append(card.get(), directory.get()));
    ASSERT_EQ(S_OK, album->PersistInitialize(list.get()));
    ASSERT_EQ(0, album->ConnectCamera(1, nullptr));
    std::string destination = FreshDirectory("pvfromalbum");
    CopyOutcome outcome;
    Item picture = FileItem("PV000002.JPG");
    ASSERT_EQ(1, album->CopyPictureToDisk(picture.get(), destination.c_str(), &outcome, nullptr));
    EXPECT_EQ(CardFile("PCCARD/DCIMAGES/ALBUM001/PV000002.JPG"), ReadLocalFile(destination + "PV000002.JPG"));
}

TEST_F(FolderAccessTest, CancelEndsTheWholeAlbumCopy) {
    cameradouble::Script script;
    cameradouble::ScopedCameraDouble double_(&script);
    Connect();
    CCopyProgressDialog progress;
    ASSERT_TRUE(progress.Create(nullptr));
    SendMessageA(progress.Window(), WM_COMMAND, IDCANCEL, 0);   // the user's Cancel
    ASSERT_TRUE(CopyCancelRequested());
    Item album = FileItem("ALBUM001", MntAlbum);
    CopyOutcome outcome;
    script.fileReads = 0;
    EXPECT_EQ(0, folder->CopyAlbumToDisk(album.get(), FreshDirectory("pvcancel").c_str(), &outcome, &progress));
    EXPECT_EQ(DWORD(kCamCancelled), outcome.status);
    EXPECT_EQ(1, script.fileReads) << "no file is read after Cancel";
}

TEST_F(FolderAccessTest, APartlyReceivedListIsGivenBack) {
    cameradouble::Script script;
    script.brokenDirectory = "\\PCCARD\\DCIMAGES\\ALBUM001";
    script.brokenResult = kCamCameraError;
    script.partBytes = 1 << 20;
    cameradouble::ScopedCameraDouble double_(&script);
    Connect();
    Item album = FileItem("ALBUM001", MntAlbum);
    CopyOutcome outcome;
    std::string destination = FreshDirectory("pvbroken");
    EXPECT_EQ(0, folder->CopyAlbumToDisk(album.get(), destination.c_str(), &outcome, nullptr));
    EXPECT_EQ(DWORD(kCamCameraError), outcome.status);
    size_t before = memoryspies::LiveHeapBytes();
    for (int i = 0; i < 8; ++i) folder->CopyAlbumToDisk(album.get(), destination.c_str(), &outcome, nullptr);
    EXPECT_LT(memoryspies::LiveHeapBytes(), before + script.partBytes) << "eight lists of 1 MiB kept";
}

TEST_F(FolderAccessTest, AThumbnailWhoseClosingBracketFailsLeavesNoBuffer) {
    Connect();
    mounter::CameraBuffer thumbnail;
    Sim("fault error 97 1");
    EXPECT_EQ(0, folder->GetThumbnailByName("\\PCCARD\\DCIMAGES\\PV000006.JPG", thumbnail.put()));
    EXPECT_FALSE(thumbnail) << "the read succeeded: its buffer would be lost";
    Sim("fault error 97 1");
    EXPECT_EQ(0, folder->GetThumbnailByIndex(0, thumbnail.put()));
    EXPECT_FALSE(thumbnail);
}
