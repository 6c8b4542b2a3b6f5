// Transfers that the camera breaks off in the middle: the card pulled or the battery running out
// while a picture is on its way. The camera answers 0xE2 in place of the next packet, which is its
// final word (11): no recovery, and what arrived stays with the caller.
#include "CameraFixture.h"

#include <fstream>
#include <vector>

namespace {

constexpr DWORD kFileSize = 5 * 512 + 77;

// Changes the camera through the simulator's control channel from the progress callback, once the
// given number of bytes has arrived: the host has acknowledged that packet and waits for the next.
struct Interruption {
    pvtest::PeerClient* sim = nullptr;
    std::string command;
    DWORD at = 0;
    std::vector<DWORD> received;
    int changes = 0;
    std::string error;   // what the control channel answered when it refused
};

DWORD CALLBACK Interrupt(ULONG_PTR user, DWORD received, DWORD) {
    auto* i = reinterpret_cast<Interruption*>(user);
    i->received.push_back(received);
    if (received != i->at || i->changes++) return 0;
    try {
        i->sim->command(i->command);
    } catch (const std::exception& e) {
        i->error = e.what();
    }
    return 0;
}

}  // namespace

class InterruptedTransferTest : public CameraTest {
protected:
    void SetUp() override {
        CameraTest::SetUp();
        ASSERT_NE(nullptr, Open());
        PutCardFile("PCCARD/DCIMAGES/LONG.JPG", kFileSize);
        Sim("counters clear");
    }

    // Reads the long picture while `command` changes the camera after its first packet; the
    // partly filled buffer is compared with the file as far as the callback saw it arrive.
    DWORD ReadInterruptedBy(const std::string& command) {
        interruption.sim = sim.get();
        interruption.command = command;
        interruption.at = 512;
        BYTE* data = nullptr;
        DWORD size = 0;
        DWORD result = CameraReadPictureFile(camera, "\\PCCARD\\DCIMAGES\\LONG.JPG", &data, &size, Interrupt,
                                             reinterpret_cast<ULONG_PTR>(&interruption));
        EXPECT_EQ(1, interruption.changes);
        EXPECT_EQ("", interruption.error);
        EXPECT_NE(nullptr, data) << "the buffer allocated at the first packet stays with the caller";
        EXPECT_EQ(kFileSize, size);
        std::ifstream in(CardPath("PCCARD/DCIMAGES/LONG.JPG"), std::ios::binary);
        std::vector<BYTE> file((std::istreambuf_iterator<char>(in)), {});
        DWORD arrived = interruption.received.empty() ? 0 : interruption.received.back();
        EXPECT_GE(arrived, 512u);
        EXPECT_LT(arrived, kFileSize) << "the transfer ended early";
        if (data && file.size() == kFileSize) {
            EXPECT_EQ(std::vector<BYTE>(file.begin(), file.begin() + arrived), std::vector<BYTE>(data, data + arrived));
        }
        FreeCameraBuffer(data);
        return result;
    }

    // The camera's error was final: the listing that gives the size and the read itself, one each,
    // the read not completed; no reset and no second try.
    void ExpectNoRecovery() {
        std::string counters = Sim("counters");
        EXPECT_EQ(0u, counters.find("blocks=2 accepted=2 completed=1 ")) << counters;
        EXPECT_NE(std::string::npos, counters.find("resets=0")) << counters;
    }

    Interruption interruption;
};

TEST_F(InterruptedTransferTest, CardPulledInTheMiddleOfAPictureIsTheCamerasError) {
    EXPECT_EQ(11u, ReadInterruptedBy("card out"));
    ExpectNoRecovery();
    // Nothing is left hanging: with the card back the picture reads whole.
    Sim("card in");
    BYTE* data = nullptr;
    DWORD size = 0;
    EXPECT_EQ(0u, CameraReadPictureFile(camera, "\\PCCARD\\DCIMAGES\\LONG.JPG", &data, &size, nullptr, 0));
    EXPECT_EQ(kFileSize, size);
    FreeCameraBuffer(data);
}

TEST_F(InterruptedTransferTest, BatteryRunningOutInTheMiddleOfAPictureIsTheCamerasError) {
    Sim("mains off");
    EXPECT_EQ(11u, ReadInterruptedBy("battery exhausted"));
    ExpectNoRecovery();
    EXPECT_EQ(0u, CameraReadStatus(camera));
    EXPECT_EQ(2u, CameraGetStatusByte(camera, 8));
}

TEST_F(InterruptedTransferTest, CardPulledDuringAThumbnail) {
    Interruption i;
    i.sim = sim.get();
    i.command = "card out";
    i.at = 1024;
    BYTE* thumb = nullptr;
    EXPECT_EQ(11u, CameraReadThumbnail(camera, "\\PCCARD\\DCIMAGES\\PV000006.JPG", &thumb, Interrupt,
                                       reinterpret_cast<ULONG_PTR>(&i)));
    EXPECT_EQ(1, i.changes);
    EXPECT_EQ("", i.error);
    EXPECT_NE(nullptr, thumb);
    FreeCameraBuffer(thumb);
    EXPECT_NE(std::string::npos, Sim("counters").find("resets=0"));
}
