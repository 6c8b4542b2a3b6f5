// Filling the thumbnail view from the camera: more pictures than fit with both scroll bars in half
// cells, albums, the picture equal to the decode of the camera's mosaic, the stop flag of a failed
// fetch and the refresh that fetches again, closing the view while the fill waits on a message box,
// and deleting through the view.
#include "ThumbViewFixture.h"

#include "MessageBoxAnswerer.h"
#include "Screenshot.h"
#include "ThumbNailImage.h"
#include "TransferSupport.h"

#include <atomic>
#include <functional>
#include <thread>

using namespace viewtest;

namespace {

using Names = std::vector<std::string>;

const Names kCardPictures = {"PV000010.JPG", "PV000009.FPX", "PV000008.JPG", "PV000007.FPX", "PV000006.JPG"};

size_t ThumbnailReads(const std::string& transcript) {
    size_t reads = 0;
    for (size_t at = transcript.find("H:93"); at != std::string::npos; at = transcript.find("H:93", at + 1)) ++reads;
    return reads;
}

// Runs a function on the test's thread when another thread posts to it, also inside a modal loop.
class ThreadCall {
public:
    explicit ThreadCall(std::function<void()> call) : m_call(std::move(call)) {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = Procedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "PvThumbViewTestCall";
        RegisterClassA(&windowClass);
        m_window.reset(CreateWindowExA(0, windowClass.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                       windowClass.hInstance, nullptr));
        SetWindowLongPtrA(m_window.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    void Post() const { PostMessageA(m_window.get(), WM_APP, 0, 0); }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<ThreadCall*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (message != WM_APP || !self) return DefWindowProcA(window, message, wParam, lParam);
        self->m_call();
        return 0;
    }

    std::function<void()> m_call;
    pv::UniqueWindow m_window;
};

class ThumbViewFillTest : public ThumbViewTest {};

}  // namespace

TEST_F(ThumbViewFillTest, MorePicturesThanFitScrollInHalfCells) {
    Names added;
    for (int n = 11; n <= 30; ++n) added.push_back("PV0000" + std::to_string(n) + ".JPG");
    ASSERT_NO_FATAL_FAILURE(AddCardPictures(added));
    ASSERT_NO_FATAL_FAILURE(OpenThumbnails(CardFolder()));
    Names newestFirst(added.rbegin(), added.rend());
    newestFirst.insert(newestFirst.end(), kCardPictures.begin(), kCardPictures.end());
    ASSERT_EQ(newestFirst, AllNames());

    RECT client = {};
    GetClientRect(thumbs, &client);
    int columns = Columns(), rows = (25 + columns - 1) / columns;
    int visibleRows = client.bottom / (CellHeight() + 20) > 1 ? client.bottom / (CellHeight() + 20) : 1;
    ASSERT_GT(rows, visibleRows) << "the card needs the vertical bar";
    SCROLLINFO vertical = Bar(SB_VERT);
    EXPECT_EQ(0, vertical.nMin);
    EXPECT_EQ(2 * rows - 1, vertical.nMax);
    EXPECT_EQ(UINT(2 * visibleRows), vertical.nPage);
    EXPECT_EQ(0, vertical.nPos);
    EXPECT_EQ(0, Bar(SB_HORZ).nMax) << "every column fits";
    EXPECT_EQ(0u, Bar(SB_HORZ).nPage);

    SendMessageA(thumbs, WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(1, Bar(SB_VERT).nPos);
    ClickCell(columns);
    EXPECT_EQ(Names{newestFirst[columns]}, SelectedNames()) << "half a cell scrolled: the second row's first cell";
    POINT first = PictureMiddle(0);
    Click({first.x, first.y - CellHeight() / 2});
    EXPECT_EQ(Names{newestFirst[0]}, SelectedNames()) << "the first row half off the top";
    SendMessageA(thumbs, WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(std::min(1 + 2 * visibleRows, 2 * rows - 2 * visibleRows), Bar(SB_VERT).nPos);
    SendMessageA(thumbs, WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(2 * rows - 2 * visibleRows, Bar(SB_VERT).nPos) << "the bar keeps its thumb within the range less the page";
    ClickCell(24);
    EXPECT_EQ(Names{newestFirst[24]}, SelectedNames()) << "the last cell at the bottom";
    SendMessageA(thumbs, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 0), 0);
    SendMessageA(thumbs, WM_VSCROLL, SB_ENDSCROLL, 0);
    EXPECT_EQ(2 * rows - 2 * visibleRows, Bar(SB_VERT).nPos) << "tracking moves nothing";
    SendMessageA(thumbs, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 2), 0);
    EXPECT_EQ(2, Bar(SB_VERT).nPos);
    SendMessageA(thumbs, WM_VSCROLL, SB_LINEUP, 0);
    SendMessageA(thumbs, WM_VSCROLL, SB_LINEUP, 0);
    SendMessageA(thumbs, WM_VSCROLL, SB_LINEUP, 0);
    EXPECT_EQ(0, Bar(SB_VERT).nPos) << "clamped at the top";
    SendMessageA(thumbs, WM_VSCROLL, SB_TOP, 0);
    EXPECT_EQ(0, Bar(SB_VERT).nPos);

    // A narrower window keeps its columns and gets the horizontal bar.
    HWND container = ContainerOf(browser->Frame());
    RECT area = {};
    GetClientRect(container, &area);
    MoveWindow(container, 0, area.top, 2 * 154 + 40, area.bottom, TRUE);
    GetClientRect(thumbs, &client);
    int visibleColumns = client.right / 154 > 1 ? client.right / 154 : 1;
    ASSERT_LT(visibleColumns, columns);
    SCROLLINFO horizontal = Bar(SB_HORZ);
    EXPECT_EQ(2 * columns - 1, horizontal.nMax);
    EXPECT_EQ(UINT(2 * visibleColumns), horizontal.nPage);
    SendMessageA(thumbs, WM_HSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(1, Bar(SB_HORZ).nPos);
    ClickCell(1);
    EXPECT_EQ(Names{newestFirst[1]}, SelectedNames()) << "scrolled by half a cell width";
    SendMessageA(thumbs, WM_HSCROLL, SB_PAGEUP, 0);
    EXPECT_EQ(0, Bar(SB_HORZ).nPos);
}

TEST_F(ThumbViewFillTest, AnAlbumOnTheCardShowsItsPictures) {
    ASSERT_NO_FATAL_FAILURE(OpenThumbnails(AlbumFolder("ALBUM001")));
    // Newest first; the album pictures were made after the pictures taken.
    EXPECT_EQ((Names{"ALB00002.ODC", "ALB00001.ODC", "PV000003.JPG", "PV000002.JPG", "PV000001.JPG"}), AllNames());
}

TEST_F(ThumbViewFillTest, TheCellShowsTheDecodeOfTheCamerasMosaic) {
    mounter::CameraBuffer block;
    {
        transfertest::FolderPtr folder = transfertest::MakeCardFolder();
        ASSERT_EQ(0, folder->ConnectCamera(1, nullptr));
        ASSERT_EQ(1, folder->GetThumbnailByName("\\PCCARD\\DCIMAGES\\PV000010.JPG", block.put()));
        folder->CloseCamera();
    }
    CThumbNailImage expected(block.get(), CThumbNailImage::kMosaicBytes);
    ASSERT_NO_FATAL_FAILURE(OpenThumbnails(CardFolder()));
    ClientPixels screen = CaptureClient(thumbs);
    ASSERT_GT(screen.width, 20 + 19 + 96);
    pv::LockedGlobal bitmap(expected.Bitmap());
    const BYTE* rows = bitmap.as<BYTE>() + sizeof(BITMAPINFOHEADER);
    int mismatches = 0, distinct = 0;
    DWORD firstColour = 0;
    for (int y = 0; y < 72; ++y)
        for (int x = 0; x < 96; ++x) {
            const BYTE* p = rows + (71 - y) * 288 + x * 3;
            DWORD wanted = (DWORD(p[2]) << 16) | (DWORD(p[1]) << 8) | p[0];
            if (x == 0 && y == 0) firstColour = wanted;
            distinct += wanted != firstColour ? 1 : 0;
            mismatches += screen.At(20 + 19 + x, 20 + 8 + y) != wanted ? 1 : 0;
        }
    EXPECT_EQ(0, mismatches) << "of 6912 pixels";
    EXPECT_GT(distinct, 100) << "a picture, not a plain block";
    DWORD window = Rgb(GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(window, screen.At(20 + 19 + 96, 20 + 8 + 10)) << "the frame right of the picture";
    EXPECT_EQ(window, screen.At(20 + 19 + 10, 20 + 8 + 72)) << "the frame below the picture";
    EXPECT_NE("", dialogtest::SaveScreenshot(browser->Frame(), "thumbnail_view_card"));
}

TEST_F(ThumbViewFillTest, AFailedFetchStopsTheFillAndARefreshFetchesEveryThumbnailAgain) {
    TestBrowser& frame = NewBrowser();
    ASSERT_EQ(S_OK, OpenView(CardFolder(), frame));
    Sim("fault error 93 1");
    Sim("transcript clear");
    dialogtest::MessageBoxAnswerer answerer({dialogtest::kMounterCaption});
    browser = &frame;
    Command(frame, 1032);
    thumbs = ThumbnailsOf(frame.Frame());
    ASSERT_TRUE(thumbs);
    std::vector<dialogtest::MessageBoxSeen> seen = answerer.Seen();
    ASSERT_EQ(1u, seen.size()) << "one message for the fill";
    EXPECT_EQ(0u, seen[0].text.find("Cannot find the Camera.")) << seen[0].text;
    EXPECT_EQ(UINT(MB_ICONSTOP), seen[0].icon);
    EXPECT_EQ(Names{}, AllNames()) << "the first fetch failed: no cells";
    EXPECT_EQ(1u, ThumbnailReads(Sim("transcript"))) << "nothing fetched after the failure";
    Sim("transcript clear");
    Key(WM_KEYDOWN, VK_F5);
    EXPECT_EQ(kCardPictures, AllNames());
    EXPECT_EQ(5u, ThumbnailReads(Sim("transcript")));
    EXPECT_EQ(1u, answerer.Seen().size());
}

TEST_F(ThumbViewFillTest, ClosingTheViewWhileItsFillShowsAMessageEndsTheFill) {
    TestBrowser& frame = NewBrowser();
    ASSERT_EQ(S_OK, OpenView(CardFolder(), frame));
    Sim("fault error 93 1");
    Sim("transcript clear");
    HRESULT closed = E_PENDING;
    ThreadCall close([&] { closed = view->DestroyViewWindow(); });
    std::atomic<bool> boxShown{false}, goneWhileShown{false};
    std::thread watcher([&] {
        HWND box = nullptr;
        for (int poll = 0; poll < 500 && !box; ++poll) {
            box = FindWindowA("#32770", dialogtest::kMounterCaption);
            if (!box) Sleep(20);
        }
        if (!box) return;
        boxShown = true;
        close.Post();
        for (int poll = 0; poll < 500 && ContainerOf(frame.Frame()); ++poll) Sleep(20);
        goneWhileShown = ContainerOf(frame.Frame()) == nullptr;
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
    Command(frame, 1032);
    watcher.join();
    EXPECT_TRUE(boxShown);
    EXPECT_TRUE(goneWhileShown) << "the view's windows went while the message was up";
    EXPECT_EQ(S_OK, closed);
    EXPECT_EQ(nullptr, ThumbnailsOf(frame.Frame()));
    EXPECT_EQ(1u, ThumbnailReads(Sim("transcript"))) << "the fill ended with the view";
    view.reset();
    ASSERT_NO_FATAL_FAILURE(OpenThumbnails(CardFolder()));
    EXPECT_EQ(kCardPictures, AllNames()) << "a new view fetches every thumbnail";
}

TEST_F(ThumbViewFillTest, DeleteGoesThroughTheDeleteFlowAndRefills) {
    ASSERT_NO_FATAL_FAILURE(OpenThumbnails(CardFolder()));
    ClickCell(0);
    ClickCell(2, MK_CONTROL);
    {
        dialogtest::MessageBoxAnswerer answerer({"Delete Picture Files"}, IDNO);
        Key(WM_KEYUP, VK_DELETE, LPARAM(1) << 30);
        ASSERT_EQ(1u, answerer.Seen().size());
        EXPECT_TRUE(answerer.Seen()[0].yesNo);
    }
    EXPECT_TRUE(transfertest::Exists(CardPath("PCCARD/DCIMAGES/PV000010.JPG"))) << "No keeps the pictures";
    {
        dialogtest::MessageBoxAnswerer answerer({"Delete Picture Files"}, IDYES);
        Key(WM_KEYUP, VK_DELETE, LPARAM(1) << 30);
        EXPECT_EQ(1u, answerer.Seen().size());
    }
    EXPECT_FALSE(transfertest::Exists(CardPath("PCCARD/DCIMAGES/PV000010.JPG")));
    EXPECT_FALSE(transfertest::Exists(CardPath("PCCARD/DCIMAGES/PV000008.JPG")));
    EXPECT_EQ((Names{"PV000009.FPX", "PV000007.FPX", "PV000006.JPG"}), AllNames()) << "refilled from the camera";
    EXPECT_EQ(Names{}, SelectedNames());
}
