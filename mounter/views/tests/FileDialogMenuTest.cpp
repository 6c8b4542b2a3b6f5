// The context menus of the views inside a common file dialog keep only their Properties entry (the
// camera's menu its communications settings): every menu on its own, and the menus that the
// camera, memory and album views really track in a file dialog's browser.
#include "ThumbViewFixture.h"

#include "MenuReader.h"

#include "FileDialogMenus.h"
#include "MounterGlobals.h"
#include "MounterResources.h"
#include "UserObject.h"
#include "ViewResources.h"

#include <commctrl.h>

using namespace viewtest;
using menutest::Entries;
using menutest::EntriesOf;
using menutest::TrackedMenuReader;

namespace {

class FileDialogMenuTest : public ThumbViewTest {
protected:
    // A right click on a row of a list view (-1: its background), answered by the list's container.
    Entries ListMenu(HWND list, int row) {
        for (int i = 0; i < ListCount(list); ++i) SelectRow(list, i, i == row);
        TrackedMenuReader reader;
        NMHDR header = {list, static_cast<UINT_PTR>(GetDlgCtrlID(list)), static_cast<UINT>(NM_RCLICK)};
        SendMessageA(GetParent(list), WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
        return reader.Read();
    }
    Entries CellMenu(POINT client) {
        TrackedMenuReader reader;
        SendMessageA(thumbs, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(client.x, client.y));
        SendMessageA(thumbs, WM_RBUTTONUP, 0, MAKELPARAM(client.x, client.y));
        return reader.Read();
    }
    POINT Background() const { return ToClient({CellOrigin(0).x, CellOrigin(0).y + CellHeight() + 7}); }
    // The folder's view in a file dialog's browser; its list view, when it shows one.
    HWND OpenInFileDialog(IShellFolder* folder) {
        browser = &NewBrowser(TestBrowser::FileDialog());
        EXPECT_EQ(S_OK, OpenView(folder, *browser));
        return ListOf(browser->Frame());
    }
};

}  // namespace

TEST(FileDialogMenuTableTest, EveryContextMenuKeepsOnlyItsPropertiesEntry) {
    const std::pair<UINT, UINT> kept[] = {{IDM_CTX_MEMORY, 2002},     {IDM_CTX_CAMERA_WND, 1900},
                                          {IDM_CTX_MEMORY_WND, 1901}, {IDM_CTX_ALBUM, 2006},
                                          {IDM_CTX_IMGFILE, 2008},    {IDM_CAMERA_CTX, 2010},
                                          {IDM_CTX_ALBUM_WND, 1902}};
    for (auto [menuId, command] : kept) {
        pv::UniqueMenu menu(LoadMenuA(mounter::ModuleInstance(), MAKEINTRESOURCEA(menuId)));
        HMENU popup = menu ? GetSubMenu(menu.get(), 0) : nullptr;
        ASSERT_TRUE(popup) << menuId;
        ASSERT_GT(GetMenuItemCount(popup), 1) << menuId;
        StripForFileDialog(menuId, popup);
        Entries entries = EntriesOf(popup);
        ASSERT_EQ(1u, entries.size()) << menuId;
        EXPECT_EQ(command, entries[0].id) << menuId;
    }
    pv::UniqueMenu other(LoadMenuA(mounter::ModuleInstance(), MAKEINTRESOURCEA(IDM_CAMERA_VIEW)));
    HMENU popup = GetSubMenu(other.get(), 0);
    Entries before = EntriesOf(popup);
    StripForFileDialog(IDM_CAMERA_VIEW, popup);
    EXPECT_EQ(before, EntriesOf(popup)) << "a menu that is no context menu stays whole";
}

TEST_F(FileDialogMenuTest, ThePictureAndTheCardsBackgroundKeepOnlyTheirProperties) {
    OpenInFileDialog(CardFolder());
    thumbs = ThumbnailsOf(browser->Frame());
    ASSERT_TRUE(thumbs && IsWindowVisible(thumbs));
    EXPECT_EQ((Entries{{"P&roperties", ID_PICTURE_PROPERTIES}}), CellMenu(ToClient(PictureMiddle(2))));
    EXPECT_EQ((Entries{{"P&roperties", ID_MEMORY_FOLDER_PROPERTIES}}), CellMenu(Background()));
}

TEST_F(FileDialogMenuTest, TheCameraViewsMemoryAndBackgroundKeepOnlyTheirProperties) {
    HWND list = OpenInFileDialog(CameraFolder());
    ASSERT_TRUE(list);
    std::vector<std::string> names = ListColumn(list, 0);
    auto cardRow = std::find(names.begin(), names.end(), "Memory Card");
    ASSERT_NE(names.end(), cardRow);
    EXPECT_EQ((Entries{{"P&roperties", ID_MEMORY_PROPERTIES}}), ListMenu(list, int(cardRow - names.begin())));
    EXPECT_EQ((Entries{{"P&roperties", ID_CAMERA_FOLDER_PROPERTIES}}), ListMenu(list, -1));
}

TEST_F(FileDialogMenuTest, TheAlbumsPictureAndBackgroundKeepOnlyTheirProperties) {
    HWND list = OpenInFileDialog(AlbumFolder());
    ASSERT_TRUE(list);
    ASSERT_GT(ListCount(list), 0);
    EXPECT_EQ((Entries{{"P&roperties", ID_PICTURE_PROPERTIES}}), ListMenu(list, 0));
    EXPECT_EQ((Entries{{"P&roperties", ID_ALBUM_FOLDER_PROPERTIES}}), ListMenu(list, -1));
}

TEST_F(FileDialogMenuTest, OutsideAFileDialogThePictureMenuIsWhole) {
    ASSERT_NO_FATAL_FAILURE(OpenThumbnails(CardFolder()));
    Entries entries = CellMenu(ToClient(PictureMiddle(2)));
    ASSERT_EQ(5u, entries.size());
    EXPECT_EQ(ID_PICTURE_OPEN, entries[0].id);
    EXPECT_EQ("Se&nd To >", entries[2].text);
    EXPECT_EQ(ID_PICTURE_PROPERTIES, entries[4].id);
}
