// The camera's picture acquired without a dialog through the test source manager and application,
// by native, buffered memory and file transfer: what the source says of the picture first, the
// pictures delivered against the stored file's own decode, the states, a cancel from the progress
// dialog and a picture that cannot be had.
#include "BmpFileCheck.h"
#include "CameraSourceFixture.h"
#include "GdiObject.h"
#include "GlobalMemory.h"
#include "SimulatedCamera.h"
#include "SourceFixture.h"
#include "TransferPictures.h"
#include "WindowAnswerer.h"

#include <cstring>

namespace {

constexpr char kProgressCaption[] = "Transferring Picture  [ 1 / 1 ]";

std::vector<BYTE> Bytes(HGLOBAL block) {
    pv::LockedGlobal locked(block);
    return locked ? std::vector<BYTE>(locked.as<BYTE>(), locked.as<BYTE>() + locked.size()) : std::vector<BYTE>();
}

class TransferTest : public CameraSourceTest {
protected:
    TW_UINT16 ConditionCode() { return session->app.ConditionCode(); }
    // Opened and enabled without a dialog: the camera's picture 1 is ready.
    void Ready() {
        ASSERT_TRUE(session->Open());
        TW_USERINTERFACE ui{FALSE, FALSE, session->app.window()};
        ASSERT_EQ(TWRC_SUCCESS, Send(DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, &ui));
        ASSERT_EQ(std::vector<TW_UINT16>{MSG_XFERREADY}, Messages(session->app.TakeNotifications()));
    }
    TW_UINT16 EndTransfer() {
        TW_PENDINGXFERS pending{0xFFFF, 0};
        EXPECT_EQ(TWRC_SUCCESS, Send(DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, &pending));
        return pending.Count;
    }
    TW_IMAGEINFO Info() {
        TW_IMAGEINFO info{};
        EXPECT_EQ(TWRC_SUCCESS, Send(DG_IMAGE, DAT_IMAGEINFO, MSG_GET, &info));
        return info;
    }
    sourcetest::RgbPicture Reference(int n) { return sourcetest::DecodeJpeg(CardFile(PicturePath(n))); }
};

}  // namespace

TEST_F(TransferTest, NativeTransferHandsTheDecodedPictureToTheApplication) {
    const sourcetest::RgbPicture reference = Reference(1);
    ASSERT_GT(reference.width, 0);
    Ready();
    const TW_IMAGEINFO info = Info();
    EXPECT_EQ(reference.width, info.ImageWidth);
    EXPECT_EQ(reference.height, info.ImageLength);
    EXPECT_EQ(120, info.XResolution.Whole);
    EXPECT_EQ(0, info.XResolution.Frac);
    EXPECT_EQ(120, info.YResolution.Whole);
    EXPECT_EQ(TWPT_RGB, info.PixelType);
    EXPECT_EQ(3, info.SamplesPerPixel);
    EXPECT_EQ(8, info.BitsPerSample[0]);
    EXPECT_EQ(8, info.BitsPerSample[2]);
    EXPECT_EQ(0, info.BitsPerSample[3]);
    EXPECT_EQ(24, info.BitsPerPixel);
    EXPECT_EQ(FALSE, info.Planar);
    EXPECT_EQ(TWCP_NONE, info.Compression);
    TW_IMAGELAYOUT layout{};
    ASSERT_EQ(TWRC_SUCCESS, Send(DG_IMAGE, DAT_IMAGELAYOUT, MSG_GET, &layout));
    EXPECT_EQ(0, layout.Frame.Left.Whole + layout.Frame.Top.Whole);
    EXPECT_EQ(reference.width, layout.Frame.Right.Whole);
    EXPECT_EQ(reference.height, layout.Frame.Bottom.Whole);
    EXPECT_EQ(1u, layout.DocumentNumber * layout.PageNumber * layout.FrameNumber);
    TW_SETUPMEMXFER setup{};
    ASSERT_EQ(TWRC_SUCCESS, Send(DG_CONTROL, DAT_SETUPMEMXFER, MSG_GET, &setup));
    EXPECT_EQ(TW_UINT32(reference.width * 3), setup.MinBufSize);
    EXPECT_EQ(TW_UINT32(reference.width * 3 * reference.height), setup.MaxBufSize);
    EXPECT_EQ(setup.MaxBufSize, setup.Preferred);

    TW_HANDLE handle = nullptr;
    ASSERT_EQ(TWRC_XFERDONE, Send(DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET, &handle));
    pv::GlobalBlock bitmap(handle);
    ASSERT_TRUE(bitmap);
    const std::vector<BYTE> bytes = Bytes(bitmap.get());
    EXPECT_EQ(0, sourcetest::DifferingPixels(bytes.data(), bytes.size(), reference));
    // Transferring: a second native transfer is out of turn until the transfer is ended.
    EXPECT_EQ(4, session->Probe());
    EXPECT_EQ(TWRC_FAILURE, Send(DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET, &handle));
    EXPECT_EQ(TWCC_SEQERROR, ConditionCode());
    EXPECT_EQ(0, EndTransfer());
    EXPECT_EQ(std::vector<TW_UINT16>{MSG_CLOSEDSREQ}, Messages(session->app.TakeNotifications()));
    EXPECT_EQ(2, session->Probe());
}

TEST_F(TransferTest, MemoryStripsReassembleToTheNativePicture) {
    const sourcetest::RgbPicture reference = Reference(1);
    Ready();
    const TW_UINT32 row = TW_UINT32(reference.width) * 3;
    std::vector<BYTE> strip(row * 100 + 7);
    TW_IMAGEMEMXFER transfer{};
    transfer.Memory = {TWMF_APPOWNS | TWMF_POINTER, row - 1, strip.data()};
    // Less than a row: refused before the picture is fetched.
    EXPECT_EQ(TWRC_FAILURE, Send(DG_IMAGE, DAT_IMAGEMEMXFER, MSG_GET, &transfer));
    EXPECT_EQ(TWCC_BADVALUE, ConditionCode());
    EXPECT_EQ(3, session->Probe());

    std::vector<BYTE> topDown;
    TW_UINT16 rc = TWRC_SUCCESS;
    int strips = 0;
    while (rc == TWRC_SUCCESS && strips < 100) {
        transfer.Memory.Length = TW_UINT32(strip.size());
        rc = Send(DG_IMAGE, DAT_IMAGEMEMXFER, MSG_GET, &transfer);
        ASSERT_TRUE(rc == TWRC_SUCCESS || rc == TWRC_XFERDONE) << rc << " strip " << strips;
        EXPECT_EQ(TWCP_NONE, transfer.Compression);
        EXPECT_EQ(row, transfer.BytesPerRow);
        EXPECT_EQ(TW_UINT32(reference.width), transfer.Columns);
        EXPECT_EQ(0u, transfer.XOffset);
        EXPECT_EQ(topDown.size() / row, transfer.YOffset);
        EXPECT_EQ(transfer.Rows * row, transfer.BytesWritten);
        topDown.insert(topDown.end(), strip.begin(), strip.begin() + transfer.BytesWritten);
        ++strips;
        if (strips == 1) {
            EXPECT_EQ(100u, transfer.Rows);
            EXPECT_EQ(4, session->Probe());
            // A later strip smaller than a row is refused and the transfer goes on.
            transfer.Memory.Length = row - 1;
            EXPECT_EQ(TWRC_FAILURE, Send(DG_IMAGE, DAT_IMAGEMEMXFER, MSG_GET, &transfer));
            EXPECT_EQ(TWCC_BADVALUE, ConditionCode());
        }
    }
    ASSERT_EQ(TWRC_XFERDONE, rc);
    EXPECT_EQ((reference.height + 99) / 100, strips);
    EXPECT_EQ(TW_UINT32(reference.height % 100 ? reference.height % 100 : 100), transfer.Rows);
    ASSERT_EQ(size_t(row) * reference.height, topDown.size());
    // Top row first, red-green-blue: the stored file's own decode.
    EXPECT_TRUE(topDown == reference.pixels);
    EXPECT_EQ(4, session->Probe());
    EXPECT_EQ(0, EndTransfer());
}

TEST_F(TransferTest, FileTransferWritesABitmapFileThatReadersOpen) {
    const sourcetest::RgbPicture reference = Reference(1);
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    const std::string path = std::string(folder) + "pvsource_transfer.bmp";
    DeleteFileA(path.c_str());
    Ready();
    TW_SETUPFILEXFER setup{};
    std::strcpy(setup.FileName, path.c_str());
    setup.Format = TWFF_TIFF;
    EXPECT_EQ(TWRC_FAILURE, Send(DG_CONTROL, DAT_SETUPFILEXFER, MSG_SET, &setup));
    EXPECT_EQ(TWCC_BADVALUE, ConditionCode());
    setup.Format = TWFF_BMP;
    ASSERT_EQ(TWRC_SUCCESS, Send(DG_CONTROL, DAT_SETUPFILEXFER, MSG_SET, &setup));
    TW_SETUPFILEXFER stored{};
    ASSERT_EQ(TWRC_SUCCESS, Send(DG_CONTROL, DAT_SETUPFILEXFER, MSG_GET, &stored));
    EXPECT_STREQ(path.c_str(), stored.FileName);

    ASSERT_EQ(TWRC_XFERDONE, Send(DG_IMAGE, DAT_IMAGEFILEXFER, MSG_GET, nullptr));
    EXPECT_EQ(4, session->Probe());
    EXPECT_EQ(0, EndTransfer());

    std::vector<BYTE> file;
    ASSERT_TRUE(sourcetest::ReadWholeBmp(path, &file));
    const size_t header = sizeof(BITMAPFILEHEADER);
    EXPECT_EQ(0, sourcetest::DifferingPixels(file.data() + header, file.size() - header, reference));
    // The system's own reader opens it with the picture's size.
    pv::GdiBitmap loaded(static_cast<HBITMAP>(
        LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
    ASSERT_TRUE(loaded);
    DIBSECTION dib{};
    ASSERT_EQ(int(sizeof dib), GetObjectA(loaded.get(), sizeof dib, &dib));
    EXPECT_EQ(reference.width, dib.dsBm.bmWidth);
    EXPECT_EQ(reference.height, dib.dsBm.bmHeight);
    EXPECT_EQ(24, dib.dsBm.bmBitsPixel);
    loaded.reset();
    EXPECT_TRUE(DeleteFileA(path.c_str()));
}

TEST_F(TransferTest, CancelInTheProgressDialogDropsThePendingTransfers) {
    // Paced at the line speed, the download lasts long enough to be cancelled.
    Sim("throttle on");
    Ready();
    {
        acquiretest::WindowAnswerer answer(kProgressCaption, IDCANCEL);
        TW_HANDLE handle = nullptr;
        EXPECT_EQ(TWRC_CANCEL, Send(DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET, &handle));
        EXPECT_EQ(nullptr, handle);
        ASSERT_TRUE(answer.Seen());
    }
    EXPECT_EQ(TWCC_SUCCESS, ConditionCode());
    EXPECT_EQ(3, session->Probe());
    EXPECT_EQ(0, EndTransfer());
    // A cancel is no reason to ask for closing.
    EXPECT_TRUE(session->app.TakeNotifications().empty());
    EXPECT_EQ(2, session->Probe());

    // In a file transfer the same cancel is an operation error.
    TW_USERINTERFACE ui{};
    ASSERT_EQ(TWRC_SUCCESS, Send(DG_CONTROL, DAT_USERINTERFACE, MSG_DISABLEDS, &ui));
    ui = {FALSE, FALSE, session->app.window()};
    ASSERT_EQ(TWRC_SUCCESS, Send(DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, &ui));
    session->app.TakeNotifications();
    {
        acquiretest::WindowAnswerer answer(kProgressCaption, IDCANCEL);
        EXPECT_EQ(TWRC_FAILURE, Send(DG_IMAGE, DAT_IMAGEFILEXFER, MSG_GET, nullptr));
        EXPECT_EQ(TWCC_OPERATIONERROR, ConditionCode());
        ASSERT_TRUE(answer.Seen());
    }
    EXPECT_EQ(0, EndTransfer());
    Sim("throttle off");
}

TEST_F(TransferTest, APictureThatCannotBeHadDropsTheRest) {
    Ready();
    // The card taken out after the picture was described.
    Sim("card out");
    TW_HANDLE handle = nullptr;
    EXPECT_EQ(TWRC_FAILURE, Send(DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET, &handle));
    EXPECT_EQ(TWCC_SEQERROR, ConditionCode());
    EXPECT_EQ(nullptr, handle);
    EXPECT_EQ(3, session->Probe());
    EXPECT_EQ(0, EndTransfer());
    EXPECT_EQ(std::vector<TW_UINT16>{MSG_CLOSEDSREQ}, Messages(session->app.TakeNotifications()));
}

// Without a camera: what the set-up triplets answer with no picture pending.
TEST_F(SourceTest, SetUpsAndLayoutWithoutAPicture) {
    TW_SETUPMEMXFER memory{};
    ASSERT_EQ(TWRC_SUCCESS, Send(DG_CONTROL, DAT_SETUPMEMXFER, MSG_GET, &memory));
    EXPECT_EQ(3456u, memory.MinBufSize);
    EXPECT_EQ(2985984u, memory.MaxBufSize);
    EXPECT_EQ(2985984u, memory.Preferred);

    TW_IMAGELAYOUT layout{};
    layout.Frame.Right.Whole = layout.Frame.Bottom.Whole = 1000;
    EXPECT_EQ(TWRC_CHECKSTATUS, Send(DG_IMAGE, DAT_IMAGELAYOUT, MSG_SET, &layout));
    layout.Frame.Right.Whole = 6000;
    EXPECT_EQ(TWRC_FAILURE, Send(DG_IMAGE, DAT_IMAGELAYOUT, MSG_SET, &layout));
    EXPECT_EQ(TWCC_BADVALUE, ConditionCode());
    layout.Frame.Right.Whole = 1000;
    layout.Frame.Bottom.Whole = 5001;
    EXPECT_EQ(TWRC_FAILURE, Send(DG_IMAGE, DAT_IMAGELAYOUT, MSG_SET, &layout));
    // Never stored: the default size, and a zero frame as the default.
    ASSERT_EQ(TWRC_SUCCESS, Send(DG_IMAGE, DAT_IMAGELAYOUT, MSG_GET, &layout));
    EXPECT_EQ(1152, layout.Frame.Right.Whole);
    EXPECT_EQ(864, layout.Frame.Bottom.Whole);
    ASSERT_EQ(TWRC_SUCCESS, Send(DG_IMAGE, DAT_IMAGELAYOUT, MSG_GETDEFAULT, &layout));
    EXPECT_EQ(0, layout.Frame.Right.Whole + layout.Frame.Bottom.Whole);
    EXPECT_EQ(1u, layout.FrameNumber);
    EXPECT_EQ(TWRC_SUCCESS, Send(DG_IMAGE, DAT_IMAGELAYOUT, MSG_RESET, &layout));

    // The palette: the acquire module has none, the record keeps its colours.
    TW_PALETTE8 palette{};
    palette.NumColors = 7;
    palette.PaletteType = 9;
    palette.Colors[0] = {1, 2, 3, 4};
    ASSERT_EQ(TWRC_SUCCESS, Send(DG_IMAGE, DAT_PALETTE8, MSG_GET, &palette));
    EXPECT_EQ(TWPA_RGB, palette.PaletteType);
    EXPECT_EQ(7, palette.NumColors);
    EXPECT_EQ(4, palette.Colors[0].Channel3);
    // Image information describes a pending picture only.
    TW_IMAGEINFO info{};
    EXPECT_EQ(TWRC_FAILURE, Send(DG_IMAGE, DAT_IMAGEINFO, MSG_GET, &info));
    EXPECT_EQ(TWCC_SEQERROR, ConditionCode());
}

TEST_F(SourceTest, FileSetUpIsStoredOnlyForABitmapFileName) {
    TW_SETUPFILEXFER setup{};
    ASSERT_EQ(TWRC_SUCCESS, Send(DG_CONTROL, DAT_SETUPFILEXFER, MSG_GETDEFAULT, &setup));
    EXPECT_STREQ("TWAIN.TMP", setup.FileName);
    EXPECT_EQ(TWFF_BMP, setup.Format);
    EXPECT_EQ(0, setup.VRefNum);
    const TW_SETUPFILEXFER refused[] = {
        {"C:\\picture.tif", TWFF_TIFF, 0},
        {"", TWFF_BMP, 0},
    };
    for (const TW_SETUPFILEXFER& r : refused) {
        TW_SETUPFILEXFER offered = r;
        EXPECT_EQ(TWRC_FAILURE, Send(DG_CONTROL, DAT_SETUPFILEXFER, MSG_SET, &offered)) << r.FileName;
        EXPECT_EQ(TWCC_BADVALUE, ConditionCode());
    }
    // A name that fills its field with no end.
    TW_SETUPFILEXFER unterminated{};
    std::memset(unterminated.FileName, 'A', sizeof unterminated.FileName);
    unterminated.Format = TWFF_BMP;
    EXPECT_EQ(TWRC_FAILURE, Send(DG_CONTROL, DAT_SETUPFILEXFER, MSG_SET, &unterminated));

    TW_SETUPFILEXFER named{"C:\\windows\\temp\\picture.bmp", TWFF_BMP, 0};
    ASSERT_EQ(TWRC_SUCCESS, Send(DG_CONTROL, DAT_SETUPFILEXFER, MSG_SET, &named));
    ASSERT_EQ(TWRC_SUCCESS, Send(DG_CONTROL, DAT_SETUPFILEXFER, MSG_GET, &setup));
    EXPECT_STREQ("C:\\windows\\temp\\picture.bmp", setup.FileName);
    ASSERT_EQ(TWRC_SUCCESS, Send(DG_CONTROL, DAT_SETUPFILEXFER, MSG_GETDEFAULT, &setup));
    EXPECT_STREQ("TWAIN.TMP", setup.FileName);
    ASSERT_EQ(TWRC_SUCCESS, Send(DG_CONTROL, DAT_SETUPFILEXFER, MSG_RESET, &setup));
    EXPECT_STREQ("TWAIN.TMP", setup.FileName);
    ASSERT_EQ(TWRC_SUCCESS, Send(DG_CONTROL, DAT_SETUPFILEXFER, MSG_GET, &setup));
    EXPECT_STREQ("TWAIN.TMP", setup.FileName);
}

// Last of the program: after a FlashPix decode the toolkit's thread pool may keep the acquire
// module loaded, and with it the acquire manager of this load.
TEST_F(TransferTest, FlashPixPictureOfTheCameraEqualsTheToolkitsDecode) {
    // The first album's three JPEG pictures go: the camera's picture 1 is then a FlashPix file.
    for (int n = 3; n >= 1; --n) ASSERT_TRUE(DeleteFileA(CardPath(PicturePath(n)).c_str()));
    ASSERT_NE(std::string::npos, PicturePath(1).find(".FPX")) << PicturePath(1);
    const sourcetest::RgbPicture reference = sourcetest::DecodeFlashPix(CardFile(PicturePath(1)));
    ASSERT_FALSE(reference.pixels.empty());
    Ready();
    TW_HANDLE handle = nullptr;
    ASSERT_EQ(TWRC_XFERDONE, Send(DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET, &handle));
    pv::GlobalBlock bitmap(handle);
    const std::vector<BYTE> bytes = Bytes(bitmap.get());
    EXPECT_EQ(0, sourcetest::DifferingPixels(bytes.data(), bytes.size(), reference));
    EXPECT_EQ(0, EndTransfer());
}
