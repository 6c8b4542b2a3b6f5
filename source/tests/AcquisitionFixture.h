// Acquiring pictures as a TWAIN application does, through the test source manager, with the
// simulated camera on COM1: the source open, its acquire dialog, what each picture must be
// (the stored file's own decode), and the files of the file transfers kept for an outside reader.
#pragma once

#include "CameraSourceFixture.h"
#include "ModeTransfer.h"
#include "TestFiles.h"

#include <map>
#include <string>
#include <vector>

class AcquisitionTest : public CameraSourceTest {
protected:
    struct Stored {
        std::string name, bytes;
        sourcetest::RgbPicture expected;   // empty: the file cannot be decoded
    };
    static Stored MakeStored(const std::string& name, const std::string& bytes);

    void SetUp() override;

    // Enabled with the acquire dialog shown; null when it did not come.
    HWND EnableWithDialog();
    // The picture a stored file must give: libjpeg's or the image toolkit's decode; empty when
    // the file cannot be decoded.
    static sourcetest::RgbPicture Expected(const std::string& name, const std::string& bytes);
    // Checks what a transfer delivered against the expected picture.
    static void ExpectPicture(const sourcetest::Delivered& delivered, const sourcetest::RgbPicture& expected,
                              const std::string& what);
    // A picture of the card generator lies near the source it was painted from, and nearer to it
    // than to any other.
    static ::testing::AssertionResult NearItsSource(const std::string& name, const sourcetest::RgbPicture& picture);
    static bool IsFlashPix(const std::string& name);

    // The pending picture by the mode, checked against the stored file; the transfer is ended.
    void Acquire(const Stored& stored, sourcetest::Mode mode, const std::string& flow, int stillPending);
    // A picture whose stored file cannot be decoded: the transfer fails and nothing stays pending.
    void ExpectFailure(const Stored& stored, sourcetest::Mode mode);
    // With the pictures in the acquire dialog (in its order): the decodable ones selected and
    // transferred by each mode in turn, then each other one alone. Answers how many failed.
    size_t TransferThroughDialog(HWND dialog, const std::vector<Stored>& pictures, const std::string& flow);

    // Where the file transfers write: the folder of PV_ACQUIRED_DIR, listed in its manifest with
    // the stored file (kept beside it) that each was made from.
    static std::string BmpPath(const std::string& flow, const std::string& name);
    static void NoteBmp(const std::string& flow, const std::string& name, const std::string& stored,
                        const sourcetest::RgbPicture& picture);

private:
    std::map<std::string, sourcetest::RgbPicture> native_;   // by flow and name
};

std::string ReadWholeFile(const std::string& path);
