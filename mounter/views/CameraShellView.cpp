#include "CameraShellView.h"

#include "CameraView.h"
#include "CommandSession.h"
#include "MounterMessages.h"
#include "MounterResources.h"

namespace {

// The memory card needs the session and the card itself: false, with the user told, without them.
bool CardReachable(CMounterNameSpaceFolder* folder, HWND owner) {
    if (!OpenSessionForCommand(folder, owner)) return false;
    if (folder->IsCardPresent(TRUE)) return true;
    mounter::ShowMessage(owner, IDS_CARD_REMOVED);
    return false;
}

}  // namespace

std::unique_ptr<CMounterViewSupport> CCameraShellView::CreateListView(CWrapper* container) {
    return std::make_unique<CCameraView>(this, container);
}

void CCameraShellView::OpenItem(LPCITEMIDLIST item) {
    if (!item) return;
    if (itemid::TypeOf(item) == MntMemoryCard && !CardReachable(Folder(), OwnerWindow())) return;
    if (DialogTookDefaultCommand() || !Browser()) return;
    ItemCopy absolute(itemid::Append(Folder()->IdList(), item));
    if (absolute) Browser()->BrowseObject(absolute.get(), SBSP_DEFBROWSER | SBSP_DEFMODE);
}

bool CCameraShellView::ReadyForContextMenu(LPCITEMIDLIST item) {
    return !item || itemid::TypeOf(item) != MntMemoryCard || CardReachable(Folder(), OwnerWindow());
}
