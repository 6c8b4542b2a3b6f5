// The memory, album and picture file sheets: opened from the folders' context menus as the shell
// does, or for a folder object directly, with and without the camera.
#include "DialogDriver.h"
#include "InfoSheets.h"
#include "InfoTexts.h"
#include "PageResources.h"
#include "Screenshot.h"
#include "SheetFixture.h"
#include "pvhost.h"

#include <commctrl.h>

#include <functional>
#include <map>

namespace sheettest {
namespace {

using dialogtest::ControlText;
using Fields = std::map<int, std::string>;

// The texts of the given controls of the sheet's page.
Fields ReadFields(HWND sheet, const std::vector<int>& ids) {
    HWND page = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    Fields fields;
    for (int id : ids) fields[id] = ControlText(page, id);
    return fields;
}

// Runs show while a watcher reads the fields of the sheet with the caption, saves its screenshot
// under the name when one is given, and cancels it.
Fields FieldsOfSheet(const char* caption, const std::vector<int>& ids, const std::function<void()>& show,
                     const std::string& screenshot = "") {
    Fields fields;
    {
        dialogtest::Watcher watcher([&] {
            HWND sheet = dialogtest::WaitForWindow(caption);
            EXPECT_NE(nullptr, sheet) << caption;
            if (!sheet) return;
            fields = ReadFields(sheet, ids);
            if (!screenshot.empty()) {
                EXPECT_NE("", dialogtest::SaveScreenshot(sheet, screenshot));
            }
            PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
        });
        show();
    }
    return fields;
}

void InvokeProperties(IShellFolder* parent, LPCITEMIDLIST item) {
    ComPtr<IContextMenu> menu;
    ASSERT_EQ(S_OK, parent->GetUIObjectOf(nullptr, 1, &item, IID_IContextMenu, nullptr, menu.putVoid()));
    CMINVOKECOMMANDINFO info = {};
    info.cbSize = sizeof info;
    info.lpVerb = MAKEINTRESOURCEA(0);
    EXPECT_EQ(S_OK, menu->InvokeCommand(&info));
}

const std::vector<int> kMemoryFields = {IDC_INFO_RESOLUTION, IDC_INFO_QUALITY, IDC_INFO_REMAINING, IDC_INFO_TOTAL};
const std::vector<int> kAlbumFields = {IDC_INFO_QUALITY, IDC_INFO_REMAINING, IDC_INFO_TOTAL};
const std::vector<int> kPictureFields = {IDC_FILE_RESOLUTION, IDC_FILE_QUALITY, IDC_FILE_SIZE, IDC_FILE_DATE,
                                         IDC_FILE_TIME, IDC_FILE_NAME};

class InfoSheetsTest : public CameraSheetTest {
protected:
    DWORD StatusWord(DWORD offset) { return CameraGetStatusWord(folder->Session(), offset); }
    DWORD Remaining() { return StatusWord(68 + 2 * (SimStatusByte(19) - 1)); }
    // The camera folder as the shell binds it, and its memory card item.
    void SetUp() override {
        CameraSheetTest::SetUp();
        BindCameraFolder(camera.put(), &cameraPidl);
        ASSERT_TRUE(camera);
        card = FindChild(camera.get(), "Memory Card", SHCONTF_FOLDERS);
        ASSERT_TRUE(card);
    }

    ComPtr<IShellFolder> camera;
    Pidl cameraPidl;
    Pidl card;
};

}  // namespace

TEST_F(InfoSheetsTest, MemoryCardSheetShowsTheCardsCounts) {
    Fields fields = FieldsOfSheet("Memory Card Properties", kMemoryFields,
                                  [&] { InvokeProperties(camera.get(), card.get()); }, "memory_card_sheet");
    ASSERT_EQ(0, folder->RefreshCameraStatus());
    EXPECT_EQ(ResolutionText(SimStatusByte(22)), fields[IDC_INFO_RESOLUTION]);
    EXPECT_EQ(QualityText(SimStatusByte(19)), fields[IDC_INFO_QUALITY]);
    EXPECT_NE("N/A", fields[IDC_INFO_QUALITY]);
    EXPECT_EQ(std::to_string(Remaining()), fields[IDC_INFO_REMAINING]);
    EXPECT_EQ(std::to_string(StatusWord(56)), fields[IDC_INFO_TOTAL]);
    EXPECT_NE("0", fields[IDC_INFO_TOTAL]);
}

TEST_F(InfoSheetsTest, InternalMemoryHasNoCountsAndNoCameraMeansNA) {
    folder->m_memorySheetAnswered = 1;
    Fields internal = FieldsOfSheet("Memory Properties", kMemoryFields,
                                    [&] { ShowMemoryPropertySheet(folder.get(), nullptr, MntCameraMemory); });
    EXPECT_EQ("0", internal[IDC_INFO_REMAINING]);
    EXPECT_EQ("0", internal[IDC_INFO_TOTAL]);
    EXPECT_NE("N/A", internal[IDC_INFO_QUALITY]);
    folder->m_memorySheetAnswered = 0;
    Fields unanswered = FieldsOfSheet("Memory Card Properties", kMemoryFields,
                                      [&] { ShowMemoryPropertySheet(folder.get(), nullptr, MntMemoryCard); });
    for (int id : kMemoryFields) EXPECT_EQ("N/A", unanswered[id]) << id;
}

TEST_F(InfoSheetsTest, AlbumSheetCountsTheAlbumsPictures) {
    ComPtr<IShellFolder> cardFolder;
    ASSERT_EQ(S_OK, camera->BindToObject(card.get(), nullptr, IID_IShellFolder, cardFolder.putVoid()));
    Pidl album = std::move(Enumerate(cardFolder.get(), SHCONTF_FOLDERS).front());
    std::string directory = itemid::NameOf(album.get());
    Fields fields = FieldsOfSheet("Album Properties", kAlbumFields,
                                  [&] { InvokeProperties(cardFolder.get(), album.get()); }, "album_sheet");
    size_t pictures = 0;
    for (const std::string& file : transfertest::FilesIn(CardPath("PCCARD/DCIMAGES/" + directory) + "\\"))
        pictures += file.size() > 4 && file.substr(file.size() - 4) == ".ODC" ? 1 : 0;
    EXPECT_EQ(std::to_string(pictures), fields[IDC_INFO_TOTAL]) << directory;
    EXPECT_NE(0u, pictures) << directory << " holds album pictures";
    ASSERT_EQ(0, folder->RefreshCameraStatus());
    EXPECT_EQ(QualityText(SimStatusByte(19)), fields[IDC_INFO_QUALITY]);
    EXPECT_EQ(std::to_string(Remaining()), fields[IDC_INFO_REMAINING]);
}

TEST_F(InfoSheetsTest, PictureFileSheetShowsThePicturesFacts) {
    Pidl picture;
    for (Pidl& item : Enumerate(folder->ShellFolder(), SHCONTF_NONFOLDERS))
        if (itemid::TypeOf(item.get()) == MntPictureFile && !picture) picture = std::move(item);
    ASSERT_TRUE(picture);
    std::string name = itemid::NameOf(picture.get());
    const MounterItemId* id = itemid::FromIdList(picture.get());
    Fields fields = FieldsOfSheet("Picture File Properties", kPictureFields,
                                  [&] { folder->ShowPictureProperties(nullptr, picture.get()); }, "picture_file_sheet");
    EXPECT_EQ(1, folder->m_pictureSheetAnswered);
    EXPECT_EQ(name, fields[IDC_FILE_NAME]);
    EXPECT_EQ(std::to_string(CardFile("PCCARD/DCIMAGES/" + name).size()) + " bytes", fields[IDC_FILE_SIZE]);
    EXPECT_EQ(ShortDateText(id->time), fields[IDC_FILE_DATE]);
    EXPECT_EQ(ShortTimeText(id->time), fields[IDC_FILE_TIME]);
    std::string quality, resolution;
    folder->GetPictureQualityText(&quality, picture.get());
    folder->GetPictureResolutionText(&resolution, picture.get());
    EXPECT_NE("N/A", quality);
    EXPECT_EQ(quality, fields[IDC_FILE_QUALITY]);
    EXPECT_EQ(resolution, fields[IDC_FILE_RESOLUTION]);
}

}  // namespace sheettest
