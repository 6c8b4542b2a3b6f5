// pvres.dll as the acquire module uses it: its module handle, its dialog templates with their
// controls and sizes, the bitmap buttons' faces, the small images and the three pictures.
#include "PvresIds.h"
#include "GdiObject.h"
#include "PvresTestSupport.h"

#include <gtest/gtest.h>
#include <commctrl.h>

#include <string>
#include <vector>

using pvrestest::HiddenDialog;
using pvrestest::Pvres;

namespace {

// The width and height of a dialog template, in dialog units.
SIZE TemplateSize(int id) {
    HRSRC found = FindResourceA(Pvres().get(), MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(5));
    auto words = static_cast<const WORD*>(LockResource(LoadResource(Pvres().get(), found)));
    if (!words) return {};
    bool extended = words[0] == 1 && words[1] == 0xFFFF;
    // DLGTEMPLATEEX: dlgVer, signature, helpID, exStyle, style, cDlgItems, x, y, cx, cy.
    // DLGTEMPLATE: style, exStyle, cdit, x, y, cx, cy.
    return extended ? SIZE{SHORT(words[11]), SHORT(words[12])} : SIZE{SHORT(words[7]), SHORT(words[8])};
}

struct ResourceBytes {
    const BYTE* data = nullptr;
    DWORD size = 0;
};

ResourceBytes Resource(int id, int type) {
    HRSRC found = FindResourceA(Pvres().get(), MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(type));
    if (!found) return {};
    return {static_cast<const BYTE*>(LockResource(LoadResource(Pvres().get(), found))),
            SizeofResource(Pvres().get(), found)};
}

DIBSECTION BitmapShape(const char* name) {
    DIBSECTION dib{};
    pv::GdiBitmap bitmap(static_cast<HBITMAP>(LoadImageA(Pvres().get(), name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (bitmap) GetObjectA(bitmap.get(), sizeof dib, &dib);
    return dib;
}

}  // namespace

TEST(ResourceLibrary, HandsOutItsOwnModuleEveryTime) {
    ASSERT_TRUE(Pvres());
    auto get = Pvres().proc<HINSTANCE (*)()>("GetPvsourceResourceHandle");
    ASSERT_NE(nullptr, get);
    EXPECT_EQ(Pvres().get(), get());
    EXPECT_EQ(get(), get());
    auto wep = Pvres().proc<int(WINAPI*)(int)>("WEP");
    ASSERT_NE(nullptr, wep);
    EXPECT_EQ(1, wep(0));
}

TEST(ResourceLibrary, AcquireDialogHasItsSizeButtonsAndFields) {
    EXPECT_EQ(399, TemplateSize(IDD_PV_ACQUIRE).cx);
    EXPECT_EQ(225, TemplateSize(IDD_PV_ACQUIRE).cy);
    HiddenDialog dialog(IDD_PV_ACQUIRE);
    ASSERT_TRUE(dialog.get());
    EXPECT_EQ("ORVIK Photo Portal (TWAIN Acquire)", dialog.Caption());
    const std::vector<std::pair<int, std::string>> buttons = {
        {IDC_CAMERA_BUTTON, "CAMERA"}, {IDC_DISK_BUTTON, "DISK"}, {IDC_TRANSFER_BUTTON, "TRANSM"},
        {IDC_HELP_BUTTON, "HELP"}, {IDC_PREF_BUTTON, "PREF"}, {IDCANCEL, "CLOSE"}};
    for (auto& [id, caption] : buttons) {
        EXPECT_EQ(caption, dialog.Text(id)) << id;
        EXPECT_EQ(BS_OWNERDRAW, GetWindowLongA(GetDlgItem(dialog.get(), id), GWL_STYLE) & BS_TYPEMASK) << id;
    }
    const std::vector<std::pair<int, std::string>> labels = {
        {IDC_CAMERA_LABEL, "Get Pictures\nfrom Camera"}, {IDC_DISK_LABEL, "Get Pictures \nfrom Computer"},
        {IDC_TRANSFER_LABEL, "Transfer"}, {IDC_HELP_LABEL, "Help"}, {IDC_PREF_LABEL, "Preferences..."},
        {IDC_CLOSE_LABEL, "Close"}};
    for (auto& [id, text] : labels) EXPECT_EQ(text, dialog.Text(id)) << id;
    EXPECT_EQ(320, dialog.UnitsOf(IDC_PICTURE_FRAME).cx);
    EXPECT_EQ(155, dialog.UnitsOf(IDC_PICTURE_FRAME).cy);
    EXPECT_EQ(320, dialog.UnitsOf(IDC_THUMBNAIL_AREA).cx);
    EXPECT_EQ(136, dialog.UnitsOf(IDC_THUMBNAIL_AREA).cy);
    EXPECT_EQ("ScrollBar", dialog.ClassOf(IDC_THUMBNAIL_SCROLL));
    EXPECT_TRUE(GetWindowLongA(GetDlgItem(dialog.get(), IDC_THUMBNAIL_SCROLL), GWL_STYLE) & SBS_VERT);
    for (int id : {IDC_PORT_FIELD, IDC_SPEED_FIELD, IDC_RETRIEVED_FIELD, IDC_SELECTED_FIELD, IDC_STATUS_LINE,
                   IDC_BOTTOM_SEPARATOR})
        EXPECT_EQ("Static", dialog.ClassOf(id)) << id;
}

TEST(ResourceLibrary, SmallDialogsCarryTheirTexts) {
    struct Expected {
        int dialog;
        std::string caption;
        std::vector<std::pair<int, std::string>> controls;
    };
    const std::vector<Expected> dialogs = {
        {IDD_PV_ABOUT, "", {{IDC_ABOUT_VERSION, "Version 2.0.1  "}}},
        {IDD_PV_PROGRESS, "Getting Picture", {{IDC_PROGRESS_PERCENT, " 0 %"}, {IDCANCEL, "Cancel"}}},
        {IDD_PV_PREFERENCES, "Preferences", {{IDOK, "OK"}, {IDC_PREF_RESET, "Reset"}, {IDCANCEL, "Cancel"}}},
        {IDD_PV_WARNING, "Warning", {{IDOK, "Continue"}, {IDCANCEL, "Cancel"}}},
        {IDD_PV_COMM_ERROR, "Communication Error", {{IDC_COMM_HELP, "Help"}, {IDOK, "OK"}}},
        {IDD_PV_PICTURE_INFO, "Picture Information",
         {{200, "Name:"}, {201, "Quality:"}, {202, "Resolution (pixels):"}, {203, "Size (bytes):"},
          {204, "File Format:"}, {205, "Flash Used?"}, {206, "Date/Time Taken:"}, {207, "Aperture (f-stop):"},
          {208, "Exposure Time (sec):"}, {209, "Focus Length(mm):"}, {IDCANCEL, "Close"}}},
    };
    for (const auto& expected : dialogs) {
        HiddenDialog dialog(expected.dialog);
        ASSERT_TRUE(dialog.get()) << expected.dialog;
        EXPECT_EQ(expected.caption, dialog.Caption()) << expected.dialog;
        for (auto& [id, text] : expected.controls) EXPECT_EQ(text, dialog.Text(id)) << expected.dialog << "/" << id;
    }
    HiddenDialog info(IDD_PV_PICTURE_INFO);
    for (int i = 0; i < IDC_INFO_FIELD_COUNT; ++i) EXPECT_TRUE(GetDlgItem(info.get(), IDC_INFO_VALUE_FIRST + i)) << i;
    HiddenDialog about(IDD_PV_ABOUT);
    EXPECT_EQ(BS_OWNERDRAW, GetWindowLongA(GetDlgItem(about.get(), IDC_ABOUT_PICTURE), GWL_STYLE) & BS_TYPEMASK);
    HiddenDialog progress(IDD_PV_PROGRESS);
    EXPECT_EQ(PROGRESS_CLASSA, progress.ClassOf(IDC_PROGRESS_BAR));
    EXPECT_TRUE(GetDlgItem(progress.get(), IDC_PROGRESS_MESSAGE));
    EXPECT_TRUE(GetDlgItem(progress.get(), IDC_PROGRESS_PICTURE));
}

TEST(ResourceLibrary, ChoosersAndConnectingBox) {
    HiddenDialog connecting(IDD_PV_CONNECTING);
    ASSERT_TRUE(connecting.get());
    EXPECT_EQ("Connecting", connecting.Caption());
    char text[128] = {};
    GetWindowTextA(GetWindow(connecting.get(), GW_CHILD), text, sizeof text);
    EXPECT_STREQ("\n   Connecting to the camera.\n   Please wait...", text);

    for (int id : {IDD_PV_CAMERA_PICTURES, IDD_PV_DISK_PICTURES}) {
        HiddenDialog chooser(id);
        ASSERT_TRUE(chooser.get()) << id;
        EXPECT_EQ(id == IDD_PV_CAMERA_PICTURES ? "Get Camera Pictures" : "Get Disk Pictures", chooser.Caption());
        EXPECT_EQ("&Add to List ->", chooser.Text(IDC_CHOOSER_ADD));
        EXPECT_EQ("&Remove from List", chooser.Text(IDC_CHOOSER_REMOVE));
        EXPECT_EQ("Remove A&ll from List", chooser.Text(IDC_CHOOSER_REMOVE_ALL));
        EXPECT_EQ("Sho&w Thumbnail", chooser.Text(IDC_CHOOSER_SHOW_THUMBNAIL));
        EXPECT_EQ("&OK", chooser.Text(IDOK));
        EXPECT_EQ("&Cancel", chooser.Text(IDCANCEL));
        EXPECT_EQ("&Help", chooser.Text(IDC_CHOOSER_HELP));
        EXPECT_EQ("ListBox", chooser.ClassOf(IDC_CHOOSER_FILES));
        EXPECT_EQ("ListBox", chooser.ClassOf(IDC_CHOOSER_TRANSFER_LIST));
        EXPECT_TRUE(GetWindowLongA(GetDlgItem(chooser.get(), IDC_CHOOSER_FILES), GWL_STYLE) & LBS_EXTENDEDSEL);
        EXPECT_TRUE(GetDlgItem(chooser.get(), IDC_CHOOSER_THUMBNAIL));
        HWND tree = GetDlgItem(chooser.get(), IDC_CHOOSER_TREE);
        EXPECT_EQ(WC_TREEVIEWA, chooser.ClassOf(IDC_CHOOSER_TREE));
        // The camera chooser keeps its tree tiny and hidden; the disk chooser shows its folders.
        bool visible = GetWindowLongA(tree, GWL_STYLE) & WS_VISIBLE;
        EXPECT_EQ(id == IDD_PV_DISK_PICTURES, visible);
        if (id == IDD_PV_CAMERA_PICTURES) {
            EXPECT_GE(2, chooser.UnitsOf(IDC_CHOOSER_TREE).cx);
        }
    }
}

TEST(ResourceLibrary, SpeedComboItemsComeWithThePreferencesTemplate) {
    ResourceBytes init = Resource(IDD_PV_PREFERENCES, RT_PV_DLGINIT);
    ASSERT_TRUE(init.data);
    std::vector<std::string> items;
    DWORD at = 0;
    while (at + 2 <= init.size) {
        WORD control = *reinterpret_cast<const WORD*>(init.data + at);
        if (control == 0) break;
        ASSERT_LE(at + 8, init.size);
        EXPECT_EQ(IDC_PREF_SPEED, control);
        EXPECT_EQ(CB_ADDSTRING, *reinterpret_cast<const WORD*>(init.data + at + 2));
        DWORD length = *reinterpret_cast<const DWORD*>(init.data + at + 4);
        ASSERT_LE(at + 8 + length, init.size);
        ASSERT_GT(length, 0u);
        EXPECT_EQ(0, init.data[at + 8 + length - 1]);
        items.emplace_back(reinterpret_cast<const char*>(init.data + at + 8));
        at += 8 + length;
    }
    EXPECT_EQ((std::vector<std::string>{"Auto Search", "9600", "19200", "38400", "57600", "115200"}), items);
}

TEST(ResourceLibrary, ButtonFacesAreFourPerCaption) {
    for (const char* caption : {"CAMERA", "DISK", "TRANSM", "HELP", "PREF", "CLOSE"}) {
        for (char state : {'U', 'D', 'F', 'X'}) {
            std::string name = std::string(caption) + state;
            DIBSECTION dib = BitmapShape(name.c_str());
            EXPECT_EQ(38, dib.dsBm.bmWidth) << name;
            EXPECT_EQ(38, dib.dsBm.bmHeight) << name;
            EXPECT_EQ(8, dib.dsBmih.biBitCount) << name;
        }
    }
}

TEST(ResourceLibrary, SmallImagesAndStrip) {
    for (int id = IDB_PV_SMALL_FIRST; id <= IDB_PV_SMALL_LAST; ++id) {
        DIBSECTION dib = BitmapShape(MAKEINTRESOURCEA(id));
        EXPECT_EQ(16, dib.dsBm.bmWidth) << id;
        EXPECT_EQ(16, dib.dsBm.bmHeight) << id;
        EXPECT_EQ(4, dib.dsBmih.biBitCount) << id;
    }
    DIBSECTION strip = BitmapShape(MAKEINTRESOURCEA(IDB_PV_SMALL_STRIP));
    EXPECT_EQ(32, strip.dsBm.bmWidth);
    EXPECT_EQ(16, strip.dsBm.bmHeight);
    EXPECT_EQ(4, strip.dsBmih.biBitCount);
    EXPECT_TRUE(LoadImageA(Pvres().get(), MAKEINTRESOURCEA(IDI_PV_ACQUIRE), IMAGE_ICON, 32, 32, 0));
}

TEST(ResourceLibrary, PicturesAreWholeBitmapFiles) {
    struct Picture {
        int id, width, height;
    };
    for (Picture p : {Picture{IDP_PV_BACKGROUND, 480, 240}, Picture{IDP_PV_ABOUT, 480, 240},
                      Picture{IDP_PV_PLACEHOLDER, 96, 72}}) {
        ResourceBytes bytes = Resource(p.id, RT_PV_PICTURE);
        ASSERT_TRUE(bytes.data) << p.id;
        ASSERT_GE(bytes.size, sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER));
        auto file = reinterpret_cast<const BITMAPFILEHEADER*>(bytes.data);
        auto info = reinterpret_cast<const BITMAPINFOHEADER*>(bytes.data + sizeof(BITMAPFILEHEADER));
        EXPECT_EQ(0x4D42, file->bfType);
        EXPECT_EQ(bytes.size, file->bfSize) << p.id;
        EXPECT_EQ(p.width, info->biWidth) << p.id;
        EXPECT_EQ(p.height, info->biHeight) << p.id;
        EXPECT_EQ(24, info->biBitCount) << p.id;
        EXPECT_EQ(DWORD(p.width * 3 * p.height), bytes.size - file->bfOffBits) << p.id;
    }
}
