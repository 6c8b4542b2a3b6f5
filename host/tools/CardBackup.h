// Backs a camera's card up into a local folder, safely enough to empty the card afterwards:
//   - pictures of the card's top level go into the folder, each album's into a sub-folder named
//     after the album's title (made safe as a file name; the album's directory name when the
//     title is missing, unusable or taken by another album);
//   - only what is not there yet is copied, so an interrupted backup resumes; a copy is written
//     under a temporary name, read back and compared, and only then given its name;
//   - a file of another size already standing at a picture's name is left alone, and that
//     picture counts as failed;
//   - the manifest (see BackupManifest.h) lists every picture kept;
//   - with erasing asked for, only pictures whose verified copy is in the folder are erased.
#pragma once

#include "BackupManifest.h"
#include "CardListing.h"

#include <functional>
#include <string>
#include <vector>

class CSerialCamera;

namespace pvcam {

// Exit codes of "pvcam backup".
enum BackupResult { kBackupDone = 0, kBackupFailed = 1, kBackupPartly = 3 };

struct BackupItem {
    std::string cameraPath;     // "\PCCARD\DCIMAGES\ALBUM001\PV000003.JPG"
    std::string relativePath;   // "Summer Trip\PV000003.JPG"
    std::string album;          // the album's folder in the backup, "" at the top level
    Entry entry;
};

struct BackupTally {
    int copied = 0;        // copied and verified by this run
    int present = 0;       // already in the folder
    int failed = 0;        // not backed up (camera, disk or name in the way)
    int erased = 0;        // erased from the camera after their backup
    int eraseFailed = 0;
};

class CardBackup {
public:
    // Called after each picture with its position (from 1), the count and what became of it.
    using Progress = std::function<void(size_t done, size_t total, const BackupItem& item, const char* outcome)>;

    CardBackup(CSerialCamera* camera, std::string folder, bool eraseAfter);
    void SetProgress(Progress progress) { m_progress = std::move(progress); }

    BackupResult Run();
    const BackupTally& Tally() const { return m_tally; }

private:
    bool Plan(std::vector<BackupItem>& items);
    std::vector<std::string> AlbumFolderNames(const std::vector<Entry>& top);
    const char* BackUp(const BackupItem& item);
    const char* CopyAndVerify(const BackupItem& item, const std::string& target);
    void Erase(const std::vector<BackupItem>& items, const std::vector<bool>& kept);

    CSerialCamera* m_camera;
    std::string m_folder;
    bool m_eraseAfter;
    Progress m_progress;
    BackupManifest m_manifest;
    BackupTally m_tally;
    int m_lostInARow = 0;
};

// "pvcam backup DIR [--erase-after]": the backup with its progress printed.
int RunBackup(CSerialCamera* camera, const std::string& folder, bool eraseAfter);

}  // namespace pvcam
