// The camera in Wine's own explorer.exe, as a user reaches it: the address bar to the camera, a
// double-click to its memory card, the folder tree to an album; each level shown in each of its
// view modes, read back from the explorer's controls, and screenshots of the explorer window for a
// person to look at.
#include "MounterFixture.h"
#include "Screenshot.h"
#include "ThumbViewFixture.h"
#include "TransferSupport.h"
#include "UniqueHandle.h"
#include "WineExplorer.h"

#include <commctrl.h>

#include <algorithm>
#include <set>

using namespace viewtest;

namespace {

constexpr wchar_t kCameraPath[] =
    L"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\::{A84C0500-B187-11D0-8AE7-00C04FD28D85}";
constexpr DWORD kNavigationMs = 30000;
constexpr DWORD kCommandMs = 30000;
constexpr UINT kLargeIcons = 1028, kDetails = 1031, kThumbnails = 1032, kByDate = 1038;
const std::vector<std::string> kCardPicturesNewestFirst = {"PV000010.JPG", "PV000009.FPX", "PV000008.JPG",
                                                           "PV000007.FPX", "PV000006.JPG"};

struct ListMode {
    UINT command;
    DWORD listType;
};
constexpr ListMode kListModes[] = {{1028, LVS_ICON}, {1029, LVS_SMALLICON}, {1030, LVS_LIST}, {1031, LVS_REPORT}};

std::string DisplayNameOf(LPCITEMIDLIST absolute) {
    ComPtr<IShellFolder> desktop;
    SHGetDesktopFolder(desktop.put());
    return desktop ? DisplayName(desktop.get(), absolute, SHGDN_NORMAL) : "";
}

// The directories in a directory of the disk (the card image's albums).
std::vector<std::string> Subdirectories(const std::string& directory) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found = {};
    pv::UniqueFind search(FindFirstFileA((directory + "\\*").c_str(), &found));
    if (!search) return names;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && found.cFileName[0] != '.') names.push_back(found.cFileName);
    } while (FindNextFileA(search.get(), &found));
    return names;
}

std::set<std::string> AsSet(const std::vector<std::string>& names) { return {names.begin(), names.end()}; }

class WineExplorerTest : public MounterCameraTest {
protected:
    HWND Container() const { return explorer.WaitForChild("PV360_Mounter_View", 0); }
    HWND List() const {
        HWND container = Container();
        return container ? FindViewChild(container, WC_LISTVIEWA) : nullptr;
    }
    // A command of the view's menus, sent as the explorer's menu would send it to the view.
    void Command(UINT command) {
        DWORD_PTR result = 0;
        SendMessageTimeoutA(Container(), WM_COMMAND, MAKEWPARAM(command, 0), 0, SMTO_NORMAL, kCommandMs, &result);
        PumpMessages(100);
    }
    // The four list modes of the level, each showing the same items, then thumbnails where the
    // level has them.
    void CheckEachMode(const std::string& level, const std::set<std::string>& items, bool thumbnails) {
        for (const ListMode& mode : kListModes) {
            Command(mode.command);
            HWND list = List();
            ASSERT_TRUE(list) << level << " " << mode.command;
            EXPECT_TRUE(IsWindowVisible(list)) << level << " " << mode.command;
            EXPECT_EQ(mode.listType, DWORD(GetWindowLongPtrA(list, GWL_STYLE) & LVS_TYPEMASK)) << level << " " << mode.command;
            EXPECT_EQ(items, AsSet(explorer.ListColumn(list, 0))) << level << " " << mode.command;
        }
        if (!thumbnails) return;
        Command(kThumbnails);
        HWND thumbs = ThumbnailsOf(Container());
        ASSERT_TRUE(thumbs) << level;
        EXPECT_TRUE(IsWindowVisible(thumbs)) << level;
        EXPECT_FALSE(IsWindowVisible(List())) << level;
    }
    // How many of the first cells of the thumbnail view show a picture rather than the background.
    int CellsShowingPictures(int cells) {
        HWND thumbs = ThumbnailsOf(Container());
        ClientPixels screen = CaptureClient(thumbs);
        LOGFONTA font = {};
        SystemParametersInfoA(SPI_GETICONTITLELOGFONT, sizeof font, &font, 0);
        int height = font.lfHeight < 0 ? -font.lfHeight : font.lfHeight;
        int columns = std::max(1, screen.width / 154);
        DWORD window = Rgb(GetSysColor(COLOR_WINDOW));
        int showing = 0;
        for (int n = 0; n < cells; ++n) {
            int x = (n % columns) * 154 + 20 + 19, y = (n / columns) * 3 * (height + 41) + 20 + 8 + 36;
            if (y >= screen.height) break;
            int differing = 0;
            for (int dx = 0; dx < 96; dx += 4) differing += screen.At(x + dx, y) != window ? 1 : 0;
            showing += differing > 12 ? 1 : 0;
        }
        return showing;
    }
    std::string Screenshot(const std::string& name) { return dialogtest::SaveScreenshot(explorer.Window(), name); }

    WineExplorer explorer;
};

}  // namespace

TEST_F(WineExplorerTest, TheCameraItsCardAndAnAlbumInEachModeOfWinesExplorer) {
    ASSERT_TRUE(explorer.Window()) << "explorer.exe shows its window";
    SetWindowPos(explorer.Window(), HWND_TOP, 0, 0, 960, 700, SWP_SHOWWINDOW);
    ASSERT_TRUE(explorer.Navigate(kCameraPath));
    HWND list = explorer.WaitForListItem("Memory Card", kNavigationMs);
    ASSERT_TRUE(list) << "the camera's view in the explorer";
    ASSERT_NO_FATAL_FAILURE(CheckEachMode("camera", {"Memory Card"}, false));
    Command(kLargeIcons);
    EXPECT_NE("", Screenshot("wine_explorer_camera_large_icons"));

    std::vector<std::string> memories = explorer.ListColumn(List(), 0);
    int card = static_cast<int>(std::find(memories.begin(), memories.end(), "Memory Card") - memories.begin());
    explorer.DoubleClickListItem(List(), card);
    ASSERT_TRUE(explorer.WaitForListItem(kCardPicturesNewestFirst[0], kNavigationMs)) << "the card's view";
    std::vector<std::string> cardItems = explorer.ListColumn(List(), 0), types = explorer.ListColumn(List(), 2);
    for (const std::string& picture : kCardPicturesNewestFirst)
        EXPECT_EQ(1, std::count(cardItems.begin(), cardItems.end(), picture)) << picture;
    std::string albumTitle;   // the card's last album
    for (size_t i = 0; i < cardItems.size(); ++i)
        if (types[i] == "Photo Album") albumTitle = cardItems[i];
    ASSERT_NE("", albumTitle) << "the card shows its albums";
    ASSERT_NO_FATAL_FAILURE(CheckEachMode("card", AsSet(cardItems), true));
    EXPECT_EQ(5, CellsShowingPictures(5));
    EXPECT_NE("", Screenshot("wine_explorer_card_thumbnails"));
    Command(kDetails);
    Command(kByDate);
    std::vector<std::string> byDate;
    for (const std::string& name : explorer.ListColumn(List(), 0))
        if (std::count(kCardPicturesNewestFirst.begin(), kCardPicturesNewestFirst.end(), name)) byDate.push_back(name);
    EXPECT_EQ(kCardPicturesNewestFirst, byDate) << "By Date: the newest first";
    EXPECT_NE("", Screenshot("wine_explorer_card_details_by_date"));

    ComPtr<IShellFolder> camera;
    Pidl cameraPidl;
    BindCameraFolder(camera.put(), &cameraPidl);
    LPITEMIDLIST drives = nullptr;
    ASSERT_EQ(S_OK, SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &drives));
    Pidl myComputer(drives);
    std::vector<std::string> treePath = {DisplayNameOf(myComputer.get()), DisplayNameOf(cameraPidl.get()), "Memory Card",
                                         albumTitle};
    if (!explorer.SelectTreePath(treePath)) {
        LPITEMIDLIST desktopPidl = nullptr;
        SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, &desktopPidl);
        Pidl desktop(desktopPidl);
        treePath.insert(treePath.begin(), DisplayNameOf(desktop.get()));
        ASSERT_TRUE(explorer.SelectTreePath(treePath)) << "the album in the folder tree: " << ::testing::PrintToString(treePath);
    }
    std::set<std::string> albumPictures;
    for (int poll = 0; poll < 600 && (albumPictures.empty() || albumPictures == AsSet(cardItems)); ++poll) {
        PumpMessages(50);
        if (HWND albumList = List()) albumPictures = AsSet(explorer.ListColumn(albumList, 0));
    }
    bool matchesAnAlbum = false;
    for (const std::string& directory : Subdirectories(CardPath("PCCARD/DCIMAGES")))
        matchesAnAlbum |= albumPictures == AsSet(transfertest::FilesIn(CardPath("PCCARD/DCIMAGES/" + directory)));
    EXPECT_TRUE(matchesAnAlbum) << ::testing::PrintToString(albumPictures);
    ASSERT_NO_FATAL_FAILURE(CheckEachMode("album", albumPictures, true));
    EXPECT_EQ(std::min<int>(5, static_cast<int>(albumPictures.size())),
              CellsShowingPictures(std::min<int>(5, static_cast<int>(albumPictures.size()))));
    EXPECT_NE("", Screenshot("wine_explorer_album_thumbnails"));
}
