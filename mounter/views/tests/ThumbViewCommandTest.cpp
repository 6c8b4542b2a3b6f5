// What the thumbnail view does with its cells: dragging the selection out through the drag of the
// shell view, the context menus of a picture and of the background, and the double-click and the
// selection notifications in a file dialog.
#include "ThumbViewFixture.h"

#include "DropTargetWindow.h"

#include <atomic>
#include <thread>

using namespace viewtest;

namespace {

using Names = std::vector<std::string>;

const Names kCardPictures = {"PV000010.JPG", "PV000009.FPX", "PV000008.JPG", "PV000007.FPX", "PV000006.JPG"};

std::string BaseName(const std::string& path) { return path.substr(path.find_last_of('\\') + 1); }

// Watches for the popup menu that the test's thread tracks, notes its first entry and closes it.
class MenuWatcher {
public:
    MenuWatcher()
        : m_thread([this] {
              HWND popup = nullptr;
              for (int poll = 0; poll < 250 && !popup; ++poll) {
                  HWND found = FindWindowA("#32768", nullptr);
                  if (found && IsWindowVisible(found)) popup = found;
                  else Sleep(20);
              }
              if (!popup) return;
              HMENU menu = reinterpret_cast<HMENU>(SendMessageA(popup, MN_GETHMENU, 0, 0));
              char text[128] = "";
              GetMenuStringA(menu, 0, text, sizeof text, MF_BYPOSITION);
              m_firstEntry = text;
              m_firstId = GetMenuItemID(menu, 0);
              m_shown = true;
              PostMessageA(popup, WM_KEYDOWN, VK_ESCAPE, 0);
          }) {}
    ~MenuWatcher() { Join(); }
    void Join() {
        if (m_thread.joinable()) m_thread.join();
    }
    bool Shown() {
        Join();
        return m_shown;
    }
    std::string FirstEntry() {
        Join();
        return m_firstEntry;
    }
    UINT FirstId() {
        Join();
        return m_firstId;
    }

private:
    std::atomic<bool> m_shown{false};
    std::string m_firstEntry;
    UINT m_firstId = 0;
    std::thread m_thread;
};

class ThumbViewCommandTest : public ThumbViewTest {
protected:
    void RightClick(POINT point) {
        SendMessageA(thumbs, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(point.x, point.y));
        SendMessageA(thumbs, WM_RBUTTONUP, 0, MAKELPARAM(point.x, point.y));
    }
};

}  // namespace

TEST_F(ThumbViewCommandTest, DraggingASelectedCellDragsTheWholeSelection) {
    ASSERT_NO_FATAL_FAILURE(OpenThumbnails(CardFolder()));
    ClickCell(1);
    ClickCell(3, MK_CONTROL);
    transfertest::RecordingDropTarget target;
    transfertest::TargetWindow screen(&target);
    ASSERT_EQ(S_OK, screen.Registered());
    POINT middle = ToClient(PictureMiddle(3));
    SendMessageA(thumbs, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(middle.x, middle.y));
    SendMessageA(thumbs, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(middle.x + 9, middle.y + 40));
    EXPECT_FALSE(target.dropped) << "9 pixels sideways are no drag yet";
    SendMessageA(thumbs, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(middle.x + 10, middle.y));
    ASSERT_TRUE(target.dropped) << "the drag ran and dropped on the screen's target";
    Names dropped;
    for (const std::string& path : *target.dropped) dropped.push_back(BaseName(path));
    EXPECT_EQ((Names{kCardPictures[1], kCardPictures[3]}), dropped);
    SendMessageA(thumbs, WM_LBUTTONUP, 0, MAKELPARAM(middle.x + 10, middle.y));
    EXPECT_EQ((Names{kCardPictures[1], kCardPictures[3]}), SelectedNames()) << "the drag keeps the selection";
}

TEST_F(ThumbViewCommandTest, TheContextMenusOfAPictureAndOfTheBackground) {
    ASSERT_NO_FATAL_FAILURE(OpenThumbnails(CardFolder()));
    {
        MenuWatcher watcher;
        RightClick(ToClient(PictureMiddle(2)));
        ASSERT_TRUE(watcher.Shown());
        EXPECT_EQ(2007u, watcher.FirstId()) << "Ctx ImgFile: " << watcher.FirstEntry();
    }
    EXPECT_EQ(Names{kCardPictures[2]}, SelectedNames()) << "the right click selected the cell";
    {
        MenuWatcher watcher;
        RightClick(ToClient({CellOrigin(0).x, CellOrigin(0).y + CellHeight() + 7}));
        ASSERT_TRUE(watcher.Shown());
        EXPECT_EQ("&View", watcher.FirstEntry()) << "Ctx Memory Wnd";
    }
    EXPECT_EQ(Names{}, SelectedNames());
    EXPECT_EQ(nullptr, GetCapture()) << "no rubber band for the right button";
}

TEST_F(ThumbViewCommandTest, ARightClickOnASelectedCellKeepsTheSelectionForItsMenu) {
    ASSERT_NO_FATAL_FAILURE(OpenThumbnails(CardFolder()));
    ClickCell(1);
    ClickCell(3, MK_CONTROL);
    {
        MenuWatcher watcher;
        RightClick(ToClient(PictureMiddle(1)));
        ASSERT_TRUE(watcher.Shown());
        EXPECT_EQ(2007u, watcher.FirstId()) << "Ctx ImgFile: " << watcher.FirstEntry();
    }
    EXPECT_EQ((Names{kCardPictures[1], kCardPictures[3]}), SelectedNames()) << "the selection stays";
    {
        MenuWatcher watcher;
        RightClick(ToClient(PictureMiddle(4)));
        ASSERT_TRUE(watcher.Shown());
    }
    EXPECT_EQ(Names{kCardPictures[4]}, SelectedNames()) << "an unselected cell is selected alone";
    ClickCell(2, MK_CONTROL);
    ClickCell(4);
    EXPECT_EQ(Names{kCardPictures[4]}, SelectedNames()) << "a left click on a selected cell still selects it alone";
}

TEST_F(ThumbViewCommandTest, InAFileDialogTheMemoryOpensInThumbnailsAndDoubleClickIsTheDialogs) {
    browser = &NewBrowser(TestBrowser::FileDialog());
    browser->defaultCommandAnswer = S_OK;   // the dialog takes the picture
    ASSERT_EQ(S_OK, OpenView(CardFolder(), *browser));
    thumbs = ThumbnailsOf(browser->Frame());
    ASSERT_TRUE(thumbs);
    EXPECT_TRUE(IsWindowVisible(thumbs));
    EXPECT_EQ(kCardPictures, AllNames());
    size_t changes = browser->StateChanges().size();
    ClickCell(4);
    ASSERT_GT(browser->StateChanges().size(), changes);
    EXPECT_EQ(ULONG(CDBOSC_SELCHANGE), browser->StateChanges().back());
    POINT middle = ToClient(PictureMiddle(4));
    SendMessageA(thumbs, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(middle.x, middle.y));
    EXPECT_EQ(1, browser->DefaultCommands()) << "the dialog is offered the remembered picture";
    EXPECT_EQ(Names{kCardPictures[4]}, SelectedNames());
}
