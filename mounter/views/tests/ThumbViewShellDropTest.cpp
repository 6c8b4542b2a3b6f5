// Pictures dragged out of the thumbnail view into a folder of the disk as the shell itself takes
// them: the drop target is the one Wine's shell gives for a file-system folder, watched on its way
// by a spy that passes every call through. Wine 8's folder target takes the drop and the file list
// and stops there (it logs the copies it would make); whatever it does copy must be the picture.
#include "ThumbViewFixture.h"

#include "DropTargetWindow.h"
#include "TransferSupport.h"

#include <cstdio>
#include <optional>

using namespace viewtest;

namespace {

const std::vector<std::string> kCardPictures = {"PV000010.JPG", "PV000009.FPX", "PV000008.JPG", "PV000007.FPX",
                                                "PV000006.JPG"};

// An empty folder of the disk, removed with everything in it at the end.
class DiskFolder {
public:
    DiskFolder() {
        char temp[MAX_PATH] = "";
        GetTempPathA(sizeof temp, temp);
        m_path = std::string(temp) + "pvshelldrop" + std::to_string(GetCurrentProcessId()) + "\\";
        Remove();
        CreateDirectoryA(m_path.c_str(), nullptr);
    }
    ~DiskFolder() { Remove(); }
    const std::string& Path() const { return m_path; }

private:
    void Remove() {
        for (const std::string& name : transfertest::FilesIn(m_path)) DeleteFileA((m_path + name).c_str());
        RemoveDirectoryA(m_path.c_str());
    }
    std::string m_path;
};

// A key held down in the thread's keyboard state (which the drag loop reads) for as long as it
// lives.
class HeldKey {
public:
    explicit HeldKey(BYTE key) : m_key(key) { Set(0x80); }
    ~HeldKey() { Set(0); }
    HeldKey(const HeldKey&) = delete;
    HeldKey& operator=(const HeldKey&) = delete;

private:
    void Set(BYTE state) {
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[m_key] = state;
        SetKeyboardState(keys);
    }
    BYTE m_key;
};

// Passes every call on to the shell's target and notes the drop: its answer, its effect and the
// files the data object hands out for it.
class DropSpy : public IDropTarget {
public:
    explicit DropSpy(IDropTarget* shell) : m_shell(shell) {}
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
        *out = iid == IID_IUnknown || iid == IID_IDropTarget ? static_cast<IDropTarget*>(this) : nullptr;
        if (!*out) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    // The test owns the spy; the drag machinery's references only need counting.
    STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&m_refs); }
    STDMETHODIMP_(ULONG) Release() override { return InterlockedDecrement(&m_refs); }
    STDMETHODIMP DragEnter(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) override {
        return m_shell->DragEnter(data, keys, point, effect);
    }
    STDMETHODIMP DragOver(DWORD keys, POINTL point, DWORD* effect) override {
        return m_shell->DragOver(keys, point, effect);
    }
    STDMETHODIMP DragLeave() override { return m_shell->DragLeave(); }
    STDMETHODIMP Drop(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) override {
        dropAnswer = m_shell->Drop(data, keys, point, effect);
        dropEffect = *effect;
        FORMATETC request = transfertest::GlobalFormat(CF_HDROP);
        STGMEDIUM medium = {};
        if (data->GetData(&request, &medium) == S_OK) {
            handedOut = transfertest::DroppedPaths(medium.hGlobal);
            ReleaseStgMedium(&medium);
        }
        return *dropAnswer;
    }

    std::optional<HRESULT> dropAnswer;
    DWORD dropEffect = DROPEFFECT_NONE;
    std::vector<std::string> handedOut;

private:
    IDropTarget* m_shell;
    LONG m_refs = 0;
};

// The drop target of a disk folder, as the shell's desktop folder binds it.
ComPtr<IDropTarget> ShellDropTargetOf(const std::string& path) {
    ComPtr<IShellFolder> desktop, folder;
    ComPtr<IDropTarget> target;
    if (FAILED(SHGetDesktopFolder(desktop.put()))) return target;
    std::wstring wide(path.begin(), path.end());
    LPITEMIDLIST pidl = nullptr;
    if (FAILED(desktop->ParseDisplayName(nullptr, nullptr, wide.data(), nullptr, &pidl, nullptr))) return target;
    Pidl owned(pidl);
    if (SUCCEEDED(desktop->BindToObject(pidl, nullptr, IID_IShellFolder, folder.putVoid())))
        folder->CreateViewObject(nullptr, IID_IDropTarget, target.putVoid());
    return target;
}

}  // namespace

TEST_F(ThumbViewTest, PicturesDroppedOnTheShellsFolderTargetReachItByteForByte) {
    DiskFolder destination;
    ComPtr<IDropTarget> shellTarget = ShellDropTargetOf(destination.Path());
    ASSERT_TRUE(shellTarget) << "the shell's drop target of " << destination.Path();
    ASSERT_NO_FATAL_FAILURE(OpenThumbnails(CardFolder()));
    ClickCell(1);
    ClickCell(2, MK_CONTROL);
    DropSpy spy(shellTarget.get());
    transfertest::TargetWindow screen(&spy);
    ASSERT_EQ(S_OK, screen.Registered());
    POINT middle = ToClient(PictureMiddle(2));
    SendMessageA(thumbs, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(middle.x, middle.y));
    {
        // The drag runs with Ctrl held: the shell's folder moves what is dropped unless Ctrl asks for
        // a copy, and the drag offers copies only.
        HeldKey control(VK_CONTROL);
        SendMessageA(thumbs, WM_MOUSEMOVE, MK_LBUTTON | MK_CONTROL, MAKELPARAM(middle.x + 10, middle.y));
    }
    SendMessageA(thumbs, WM_LBUTTONUP, 0, MAKELPARAM(middle.x + 10, middle.y));
    PumpMessages(100);
    ASSERT_TRUE(spy.dropAnswer) << "the shell's target got the drop";
    EXPECT_EQ(S_OK, *spy.dropAnswer);
    EXPECT_EQ(DWORD(DROPEFFECT_COPY), spy.dropEffect);
    ASSERT_EQ(2u, spy.handedOut.size());
    int copied = 0;
    for (size_t i = 0; i < spy.handedOut.size(); ++i) {
        const std::string& name = kCardPictures[i + 1];
        std::string card = CardFile("PCCARD/DCIMAGES/" + name);
        ASSERT_GT(card.size(), 1000u) << name;
        EXPECT_EQ(name, spy.handedOut[i].substr(spy.handedOut[i].find_last_of('\\') + 1));
        EXPECT_TRUE(ReadLocalFile(spy.handedOut[i]) == card) << name << " as the shell got it differs";
        std::string arrived = destination.Path() + name;
        if (!transfertest::Exists(arrived)) continue;
        ++copied;
        EXPECT_TRUE(ReadLocalFile(arrived) == card) << name << " as the shell's folder holds it differs";
    }
    std::printf("the shell's folder target took the drop of 2 pictures and copied %d of them\n", copied);
}
