#include "SendToCommand.h"

#include "MounterItemId.h"
#include "MounterMessages.h"
#include "MounterNameSpaceFolder.h"
#include "MounterResources.h"
#include "ViewCopyStep.h"
#include "ViewResources.h"

#include <shellapi.h>

#include <string>

namespace {

constexpr INT_PTR kLastShellExecuteError = 32;

// A path as one parameter of a command line: quoted when it holds a blank, so that it stays one.
std::string Parameter(const std::string& path) {
    return path.find(' ') == std::string::npos ? path : "\"" + path + "\"";
}

void SendPicturesToProgram(const CSendToItem& entry, CMounterNameSpaceFolder* folder, HWND owner,
                           const std::vector<LPCITEMIDLIST>& items, const std::string& area) {
    std::string parameters;
    for (LPCITEMIDLIST item : items) {
        if (itemid::TypeOf(item) != MntPictureFile) continue;
        if (CopyItemToTempArea(folder, owner, item) != 1) break;
        parameters += Parameter(TempCopyPath(folder, area, item)) + " ";
    }
    INT_PTR started = reinterpret_cast<INT_PTR>(
        ShellExecuteA(owner, "open", entry.target.c_str(), parameters.c_str(), nullptr, SW_SHOW));
    if (started <= kLastShellExecuteError) mounter::ShowMessage(owner, IDS_SEND_TO_FAILED, MB_OK | MB_ICONERROR);
}

bool IsFolder(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The shell's move of one copy into the folder. Wine's shell cancels a move of several files at
// once, so each copy goes by itself.
bool MoveIntoFolder(HWND owner, const std::string& source, const std::string& folder) {
    std::string from = source + '\0', to = folder + '\0';
    SHFILEOPSTRUCTA move = {};
    move.hwnd = owner;
    move.wFunc = FO_MOVE;
    move.pFrom = from.c_str();
    move.pTo = to.c_str();
    return SHFileOperationA(&move) == 0 && !move.fAnyOperationsAborted;
}

// The copies go into the folder by the shell's move; a target that is no longer a folder would
// make the move rename a copy into its place, so it counts as a failure.
void SendItemsToFolder(const CSendToItem& entry, CMounterNameSpaceFolder* folder, HWND owner,
                       const std::vector<LPCITEMIDLIST>& items, const std::string& area) {
    std::vector<std::string> copies;
    for (LPCITEMIDLIST item : items) {
        DWORD type = itemid::TypeOf(item);
        if (type != MntPictureFile && type != MntAlbum) continue;
        if (CopyItemToTempArea(folder, owner, item) == 1) copies.push_back(TempCopyPath(folder, area, item));
    }
    if (copies.empty()) return;
    bool moved = IsFolder(entry.target);
    for (size_t i = 0; moved && i < copies.size(); ++i) moved = MoveIntoFolder(owner, copies[i], entry.target);
    if (!moved) mounter::ShowMessage(owner, IDS_COPY_FAILED, MB_OK | MB_ICONERROR);
}

}  // namespace

void SendItemsTo(const CSendToItem& entry, CMounterNameSpaceFolder* folder, HWND owner,
                 const std::vector<LPCITEMIDLIST>& items) {
    std::string area = TempAreaForCopies(owner);
    if (area.empty()) return;
    if (entry.type == CSendToItem::kProgramTarget) SendPicturesToProgram(entry, folder, owner, items, area);
    else if (entry.type == CSendToItem::kFolderTarget) SendItemsToFolder(entry, folder, owner, items, area);
}
