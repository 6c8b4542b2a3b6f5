// The thumbnail view in Wine's own explorer browser: shell32's ExplorerBrowser hosted in a window of
// the test's own, pointed at the camera's memory card, switched to thumbnails by the view's mode
// command.
#include "ThumbViewFixture.h"

#include "Screenshot.h"

using namespace viewtest;

namespace {

constexpr char kHostClass[] = "PvThumbViewExplorerHost";

class ExplorerHost {
public:
    ExplorerHost() {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        windowClass.lpszClassName = kHostClass;
        RegisterClassA(&windowClass);
        m_window.reset(CreateWindowExA(0, kHostClass, "Wine explorer browser", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 60, 60,
                                       820, 560, nullptr, nullptr, windowClass.hInstance, nullptr));
    }
    HWND Window() const { return m_window.get(); }

private:
    pv::UniqueWindow m_window;
};

class ThumbViewExplorerTest : public ThumbViewTest {
protected:
    void TearDown() override {
        if (explorer) explorer->Destroy();
        explorer.reset();
        ThumbViewTest::TearDown();
    }

    ExplorerHost host;
    ComPtr<IExplorerBrowser> explorer;
};

}  // namespace

TEST_F(ThumbViewExplorerTest, TheCardInWinesExplorerBrowserShowsItsThumbnails) {
    ASSERT_TRUE(host.Window());
    ASSERT_EQ(S_OK, CoCreateInstance(CLSID_ExplorerBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IExplorerBrowser,
                                     explorer.putVoid()));
    RECT area = {};
    GetClientRect(host.Window(), &area);
    FOLDERSETTINGS settings = {FVM_DETAILS, 0};
    ASSERT_EQ(S_OK, explorer->Initialize(host.Window(), &area, &settings));
    ASSERT_TRUE(CardFolder());
    Pidl card(ILCombine(cameraPidl.get(), cardItem.get()));
    ASSERT_EQ(S_OK, explorer->BrowseToIDList(card.get(), SBSP_ABSOLUTE));
    PumpMessages(200);
    HWND container = ContainerOf(host.Window());
    ASSERT_TRUE(container) << "the Mounter's view in the explorer browser";
    SendMessageA(container, WM_COMMAND, MAKEWPARAM(1032, 0), 0);
    thumbs = ThumbnailsOf(host.Window());
    ASSERT_TRUE(thumbs);
    EXPECT_TRUE(IsWindowVisible(thumbs));
    EXPECT_FALSE(IsWindowVisible(ListOf(host.Window())));
    PumpMessages(200);
    ClientPixels screen = CaptureClient(thumbs);
    ASSERT_GT(screen.width, 5 * 154);
    DWORD window = Rgb(GetSysColor(COLOR_WINDOW));
    for (int n = 0; n < 5; ++n) {
        int differing = 0;
        for (int x = 0; x < 96; x += 4)
            differing += screen.At(CellOrigin(n).x + 19 + x, CellOrigin(n).y + 8 + 36) != window ? 1 : 0;
        EXPECT_GT(differing, 12) << "cell " << n << " shows a picture";
    }
    EXPECT_NE("", dialogtest::SaveScreenshot(host.Window(), "thumbnail_view_wine_explorer_browser"));
}
