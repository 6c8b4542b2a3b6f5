// Shell views of the simulated camera's folders, opened in a test browser of the test's own, and
// the windows they show read back.
#pragma once

#include "MounterFixture.h"
#include "TestBrowser.h"

#include <shlobj.h>

#include <memory>
#include <string>
#include <vector>

namespace viewtest {

constexpr SHCONTF kAllItems = SHCONTF_FOLDERS | SHCONTF_NONFOLDERS;

// The view's windows inside a browser's frame.
HWND FindViewChild(HWND frame, const char* className);
HWND ContainerOf(HWND frame);
HWND ListOf(HWND frame);
HWND ThumbnailsOf(HWND frame);

// What a list control shows.
int ListCount(HWND list);
std::string ListText(HWND list, int item, int column);
std::vector<std::string> ListColumn(HWND list, int column);
std::vector<int> SelectedRows(HWND list);
void SelectRow(HWND list, int row, bool selected);

class ShellViewTest : public MounterCameraTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // The folders of the card image, as the shell binds them.
    IShellFolder* CameraFolder() { return camera.get(); }
    IShellFolder* CardFolder();
    IShellFolder* AlbumFolder(const std::string& directory = "ALBUM001");

    // A browser that outlives the test's view: the fixture closes the view before the browser goes.
    TestBrowser& NewBrowser(TestBrowser::Options options = TestBrowser::Options());
    // Creates the folder's view and its window in the browser: CreateViewWindow's answer.
    HRESULT OpenView(IShellFolder* folder, TestBrowser& browser, FOLDERSETTINGS settings = {FVM_ICON, 0});
    // DestroyViewWindow's answer; the view is released.
    HRESULT CloseView();
    // Sends a command to the view's active window as the browser's menu would.
    void Command(TestBrowser& browser, UINT command);

    ::ComPtr<IShellFolder> camera;
    Pidl cameraPidl;
    ::ComPtr<IShellFolder> card;
    Pidl cardItem;
    ::ComPtr<IShellFolder> album;
    Pidl albumItem;
    ::ComPtr<IShellView> view;
    std::vector<std::unique_ptr<TestBrowser>> browsers;
};

}  // namespace viewtest
