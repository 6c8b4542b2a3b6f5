// Opening a picture of the camera: the selected pictures are copied into the temporary area and
// the copy of the picture is opened with the program registered for its file type, or with the
// program that the user chooses in the Open With dialog when no type is registered.
#include "MounterShellView.h"

#include "FileTypes.h"

#include "MounterMessages.h"
#include "MounterResources.h"
#include "MounterViewSupport.h"
#include "OpenWithDialog.h"
#include "RegKey.h"
#include "ViewCopyStep.h"
#include "ViewResources.h"

#include <shellapi.h>

#include <algorithm>

namespace {

constexpr INT_PTR kLastShellExecuteError = 32;

bool IsPicture(LPCITEMIDLIST item) {
    DWORD type = itemid::TypeOf(item);
    return type == MntPictureFile || type == MntOtherFile;
}

bool HasExtensionKey(const std::string& name) {
    size_t dot = name.rfind('.');
    return dot != std::string::npos && pv::RegKey::open(HKEY_CLASSES_ROOT, name.substr(dot).c_str()).valid();
}

bool SameItem(LPCITEMIDLIST a, LPCITEMIDLIST b) { return itemid::NameOf(a) == itemid::NameOf(b); }

// The parameter that names a copy to a program: the path as it stands, in quotation marks only
// when a blank in it would split it.
std::string CopyParameter(const std::string& path) {
    return path.find(' ') == std::string::npos ? path : "\"" + path + "\"";
}

bool Started(HINSTANCE result) { return reinterpret_cast<INT_PTR>(result) > kLastShellExecuteError; }

}  // namespace

std::vector<LPCITEMIDLIST> CMounterShellView::SelectedPictures() const {
    std::vector<LPCITEMIDLIST> pictures;
    if (m_activeView)
        for (LPCITEMIDLIST selected : m_activeView->SelectedItems())
            if (IsPicture(selected)) pictures.push_back(selected);
    return pictures;
}

int CMounterShellView::CopyPictures(const std::vector<LPCITEMIDLIST>& pictures) {
    for (LPCITEMIDLIST picture : pictures)
        if (int answer = CopyItemToTempArea(m_folder.get(), m_owner, picture); answer != 1) return answer;
    return 1;
}

int CMounterShellView::CopySelectedPictures() {
    std::vector<LPCITEMIDLIST> pictures = SelectedPictures();
    if (pictures.empty() || TempAreaForCopies(m_owner).empty()) return pictures.empty() ? 1 : 0;
    return CopyPictures(pictures);
}

bool CMounterShellView::CopyPicturesFor(LPCITEMIDLIST item) {
    std::vector<LPCITEMIDLIST> pictures = SelectedPictures();
    if (std::none_of(pictures.begin(), pictures.end(), [&](LPCITEMIDLIST p) { return SameItem(p, item); }))
        pictures.push_back(item);
    return CopyPictures(pictures) == 1;
}

// A copy that failed or was cancelled ends the copies, and the picture opens only when its own
// copy is complete.
void CMounterShellView::OpenPicture(LPCITEMIDLIST item) {
    std::string area = TempAreaForCopies(m_owner);
    if (area.empty() || !item || !IsPicture(item)) return;
    if (!HasExtensionKey(itemid::NameOf(item))) {
        OpenPictureWithChosenProgram(item, area);
        return;
    }
    if (!CopyPicturesFor(item)) return;
    std::string copy = TempCopyPath(m_folder.get(), area, item);
    if (!Started(ShellExecuteA(m_owner, "open", copy.c_str(), nullptr, nullptr, SW_SHOW)))
        mounter::ShowMessage(m_owner, IDS_OPEN_FAILED, MB_OK | MB_ICONERROR);
}

void CMounterShellView::OpenPictureWithChosenProgram(LPCITEMIDLIST item, const std::string& area) {
    std::string name = itemid::NameOf(item);
    COpenWith dialog(name);
    if (dialog.DoModal(m_owner) != IDOK || dialog.Program().empty()) return;
    if (dialog.RegisterChoice()) RegisterProgramForType(name, dialog.Program());
    if (!CopyPicturesFor(item)) return;
    std::string copy = CopyParameter(TempCopyPath(m_folder.get(), area, item));
    if (!Started(ShellExecuteA(m_owner, "open", dialog.Program().c_str(), copy.c_str(), nullptr, SW_SHOW)))
        mounter::ShowMessage(m_owner, IDS_OPEN_FAILED, MB_OK | MB_ICONERROR);
}
