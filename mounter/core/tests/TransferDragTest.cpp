// The whole drag out of the camera: StartItemDrag runs the OLE drag loop over a drop target window of
// the test's own, which takes the files as a shell folder would.
#include "MessageBoxAnswerer.h"
#include "MounterFixture.h"
#include "StartItemDrag.h"
#include "TempArea.h"
#include "TransferSupport.h"

#include <optional>

using namespace transfertest;

namespace {

constexpr char kTargetClass[] = "PvTransferDropTarget";

// A drop target that accepts copies and asks for the file list at the drop.
class RecordingDropTarget : public IDropTarget {
public:
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
        *out = iid == IID_IUnknown || iid == IID_IDropTarget ? static_cast<IDropTarget*>(this) : nullptr;
        if (!*out) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    // The test owns the target; the drag machinery's references only need counting.
    STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&m_refs); }
    STDMETHODIMP_(ULONG) Release() override { return InterlockedDecrement(&m_refs); }
    STDMETHODIMP DragEnter(IDataObject*, DWORD, POINTL, DWORD* effect) override {
        *effect &= DROPEFFECT_COPY;
        return S_OK;
    }
    STDMETHODIMP DragOver(DWORD, POINTL, DWORD* effect) override {
        *effect &= DROPEFFECT_COPY;
        return S_OK;
    }
    STDMETHODIMP DragLeave() override { return S_OK; }
    STDMETHODIMP Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) override {
        FORMATETC request = GlobalFormat(CF_HDROP);
        STGMEDIUM medium = {};
        dropped.emplace();
        if (data->GetData(&request, &medium) == S_OK) {
            *dropped = DroppedPaths(medium.hGlobal);
            ReleaseStgMedium(&medium);
        }
        *effect = DROPEFFECT_COPY;
        return S_OK;
    }

    std::optional<std::vector<std::string>> dropped;   // set by a drop: the paths it received

private:
    LONG m_refs = 0;
};

// A topmost window over the whole screen with the mouse in its middle, registered as the target.
class TargetWindow {
public:
    explicit TargetWindow(IDropTarget* target) {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = kTargetClass;
        RegisterClassA(&windowClass);
        int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
        m_window = CreateWindowExA(WS_EX_TOPMOST, kTargetClass, "", WS_POPUP | WS_VISIBLE, 0, 0, width, height,
                                   nullptr, nullptr, windowClass.hInstance, nullptr);
        m_registered = RegisterDragDrop(m_window, target);
        SetCursorPos(width / 2, height / 2);
    }
    ~TargetWindow() {
        RevokeDragDrop(m_window);
        DestroyWindow(m_window);
    }
    HRESULT Registered() const { return m_registered; }
    HWND Window() const { return m_window; }

private:
    HWND m_window;
    HRESULT m_registered;
};

class TransferDragTest : public MounterCameraTest {
protected:
    void SetUp() override {
        MounterCameraTest::SetUp();
        folder = MakeCardFolder();
        area = TempAreaPath();
        ASSERT_EQ(0, folder->ConnectCamera(1, nullptr));
    }

    int Drag(const std::vector<std::string>& names) {
        std::vector<Item> items;
        std::vector<LPCITEMIDLIST> ids;
        for (const std::string& name : names) {
            items.push_back(MakeItem(name, MntPictureFile, static_cast<DWORD>(CardFile("PCCARD/DCIMAGES/" + name).size())));
            ids.push_back(items.back().get());
        }
        return StartItemDrag(folder.get(), static_cast<UINT>(ids.size()), ids.data(), target.Window(),
                             [this] { ++refreshes; });
    }

    FolderPtr folder;
    std::string area;
    RecordingDropTarget dropTarget;
    TargetWindow target{&dropTarget};
    int refreshes = 0;
};

}  // namespace

TEST_F(TransferDragTest, DropOnATargetDeliversTheCopiedPictures) {
    ASSERT_EQ(S_OK, target.Registered());
    WriteLocalFile(area + "LEFTOVER.JPG", "from an earlier drag");
    ASSERT_EQ(1, Drag({"PV000006.JPG", "PV000007.FPX"}));
    ASSERT_TRUE(dropTarget.dropped.has_value()) << "the drop reached the target";
    EXPECT_EQ((std::vector<std::string>{area + "PV000006.JPG", area + "PV000007.FPX"}), *dropTarget.dropped);
    EXPECT_EQ((std::vector<std::string>{"PV000006.JPG", "PV000007.FPX"}), FilesIn(area)) << "the area was emptied first";
    EXPECT_EQ(CardFile("PCCARD/DCIMAGES/PV000006.JPG"), ReadLocalFile(area + "PV000006.JPG"));
    EXPECT_EQ(CardFile("PCCARD/DCIMAGES/PV000007.FPX"), ReadLocalFile(area + "PV000007.FPX"));
    EXPECT_EQ(0, refreshes) << "a copy leaves the camera and the view alone";
    EXPECT_TRUE(Exists(CardPath("PCCARD/DCIMAGES/PV000006.JPG")));
}

TEST_F(TransferDragTest, NoTempAreaShows9005AndTheDragDoesNotStart) {
    char saved[MAX_PATH] = {};
    DWORD savedLength = GetEnvironmentVariableA("TMP", saved, sizeof saved);
    // A temporary path so long that the area's path cannot fit.
    SetEnvironmentVariableA("TMP", ("C:\\" + std::string(250, 'x')).c_str());
    int result = 0;
    std::vector<dialogtest::MessageBoxSeen> seen;
    {
        dialogtest::MessageBoxAnswerer boxes({dialogtest::kMounterCaption});
        result = Drag({"PV000006.JPG"});
        seen = boxes.Seen();
    }
    SetEnvironmentVariableA("TMP", savedLength ? saved : nullptr);
    EXPECT_EQ(0, result);
    EXPECT_FALSE(dropTarget.dropped.has_value());
    ASSERT_EQ(1u, seen.size());
    EXPECT_EQ("The picture file cannot be moved to the temporary area on your disk.\nThe operation you requested "
              "cannot be performed.\n",
              seen[0].text);
    EXPECT_EQ(UINT(MB_ICONSTOP), seen[0].icon);
}
