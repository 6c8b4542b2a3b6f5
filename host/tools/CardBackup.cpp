#include "CardBackup.h"

#include "AlbumNameTable.h"
#include "Crc32.h"
#include "LibraryPtr.h"
#include "LocalNames.h"
#include "UniqueHandle.h"
#include "pvhost.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace pvcam {
namespace {

using CameraBuffer = pv::LibraryPtr<BYTE, FreeCameraBuffer>;

// After this many pictures in a row lost to the line (no answer, read or write failure), the
// camera is taken as gone and the rest are not asked for.
constexpr int kLostLinkLimit = 2;

bool LostTheLine(DWORD result) {
    return result == kCamNoAnswer || result == kCamReadFailed || result == kCamShortWrite ||
           result == kCamWriteFailed || result == kCamNotConnected;
}

std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

bool WriteWhole(const std::string& path, const BYTE* data, DWORD size) {
    pv::UniqueHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                      nullptr));
    DWORD written = 0;
    return file && (size == 0 || WriteFile(file.get(), data, size, &written, nullptr)) && written == size &&
           FlushFileBuffers(file.get());
}

bool ReadWhole(const std::string& path, std::vector<BYTE>& out) {
    pv::UniqueHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.get(), &size) || size.QuadPart > 0x7FFFFFFF) return false;
    out.resize(static_cast<size_t>(size.QuadPart));
    DWORD got = 0;
    return out.empty() || (ReadFile(file.get(), out.data(), static_cast<DWORD>(out.size()), &got, nullptr) &&
                           got == out.size());
}

// The size of a local file; false when there is none.
bool LocalSize(const std::string& path, ULONGLONG& size) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return false;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) size = ~0ull;
    else size = (ULONGLONG(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return true;
}

}  // namespace

CardBackup::CardBackup(CSerialCamera* camera, std::string folder, bool eraseAfter)
    : m_camera(camera), m_folder(std::move(folder)), m_eraseAfter(eraseAfter) {
    while (m_folder.size() > 3 && (m_folder.back() == '\\' || m_folder.back() == '/')) m_folder.pop_back();
}

BackupResult CardBackup::Run() {
    CreateDirectoryA(m_folder.c_str(), nullptr);
    DWORD attributes = GetFileAttributesA(m_folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        std::printf("the backup folder %s cannot be made\n", m_folder.c_str());
        return kBackupFailed;
    }
    m_manifest.Load(m_folder);
    CameraBeginFileAccess(m_camera);
    std::vector<BackupItem> items;
    bool listed = Plan(items);
    std::vector<bool> kept(items.size(), false);
    for (size_t i = 0; i < items.size(); ++i) {
        const char* outcome = BackUp(items[i]);
        kept[i] = outcome == nullptr;
        if (m_progress) m_progress(i + 1, items.size(), items[i], outcome ? outcome : "backed up");
    }
    if (!listed) ++m_tally.failed;
    bool saved = m_manifest.Save(m_folder);
    if (!saved) std::printf("the manifest could not be written into %s\n", m_folder.c_str());
    // Nothing is erased unless its copy is listed in a manifest that was written, and nothing is
    // asked of a camera that stopped answering.
    if (m_eraseAfter && saved && m_lostInARow < kLostLinkLimit) Erase(items, kept);
    CameraEndFileAccess(m_camera);
    if (m_tally.failed == 0 && m_tally.eraseFailed == 0 && saved) return kBackupDone;
    return m_tally.copied + m_tally.present > 0 ? kBackupPartly : kBackupFailed;
}

bool CardBackup::Plan(std::vector<BackupItem>& items) {
    std::vector<Entry> top;
    if (!List(m_camera, kPictureDir, top)) return false;
    for (const Entry& e : top)
        if (!e.IsDirectory() && IsPicture(e.name))
            items.push_back({std::string(kPictureDir) + "\\" + e.name, e.name, "", e});
    std::vector<std::string> folders = AlbumFolderNames(top);
    bool complete = true;
    size_t album = 0;
    for (const Entry& e : top) {
        if (!e.IsAlbum()) continue;
        const std::string& folder = folders[album++];
        const std::string cameraDir = std::string(kPictureDir) + "\\" + e.name;
        std::vector<Entry> pictures;
        if (!List(m_camera, cameraDir, pictures)) {
            complete = false;
            continue;
        }
        for (const Entry& p : pictures)
            if (!p.IsDirectory() && IsPicture(p.name))
                items.push_back({cameraDir + "\\" + p.name, folder + "\\" + p.name, folder, p});
    }
    return complete;
}

std::vector<std::string> CardBackup::AlbumFolderNames(const std::vector<Entry>& top) {
    CAlbumNameTable titles;
    CameraBuffer data;
    DWORD size = 0;
    if (CameraReadPictureFile(m_camera, (std::string(kPictureDir) + "\\ALBUM.CTL").c_str(), data.put(), &size,
                              nullptr, 0) == kCamOk)
        titles.Parse(CAlbumNameTable::kCard, data.get(), size);
    std::vector<std::string> names, taken;
    for (const Entry& e : top) {
        if (!e.IsAlbum()) continue;
        std::string title = titles.LookupAlbumTitle(CAlbumNameTable::kCard, e.name);
        std::string name = title.empty() ? e.name : SafeLocalName(title);
        if (std::find(taken.begin(), taken.end(), Upper(name)) != taken.end()) name = SafeLocalName(e.name);
        taken.push_back(Upper(name));
        names.push_back(name);
    }
    return names;
}

const char* CardBackup::BackUp(const BackupItem& item) {
    const std::string target = m_folder + "\\" + item.relativePath;
    ULONGLONG localSize = 0;
    if (LocalSize(target, localSize)) {
        if (localSize != item.entry.size) {
            ++m_tally.failed;
            return "another file stands at its name";
        }
        const ManifestLine* line = m_manifest.Find(item.relativePath);
        std::vector<BYTE> bytes;
        if (!line || line->size != item.entry.size) {
            if (!ReadWhole(target, bytes)) {
                ++m_tally.failed;
                return "its copy cannot be read";
            }
            m_manifest.Put(item.relativePath, {item.album, item.entry.size,
                                               FormatDosTime(item.entry.dosDate, item.entry.dosTime),
                                               pv::Crc32(bytes.data(), bytes.size())});
        }
        ++m_tally.present;
        return nullptr;
    }
    const char* failure = CopyAndVerify(item, target);
    failure ? ++m_tally.failed : ++m_tally.copied;
    return failure;
}

const char* CardBackup::CopyAndVerify(const BackupItem& item, const std::string& target) {
    if (m_lostInARow >= kLostLinkLimit) return "not tried: the camera stopped answering";
    auto slash = item.relativePath.rfind('\\');
    if (slash != std::string::npos) CreateDirectoryA((m_folder + "\\" + item.relativePath.substr(0, slash)).c_str(), nullptr);
    CameraBuffer data;
    DWORD size = 0;
    DWORD r = CameraReadPictureFile(m_camera, item.cameraPath.c_str(), data.put(), &size, nullptr, 0);
    m_lostInARow = r != kCamOk && LostTheLine(r) ? m_lostInARow + 1 : 0;
    if (r != kCamOk) {
        std::printf("  %s: camera result %lu\n", item.cameraPath.c_str(), static_cast<unsigned long>(r));
        return "the camera did not give it";
    }
    const std::string temporary = target + ".part";
    std::vector<BYTE> back;
    bool same = WriteWhole(temporary, data.get(), size) && ReadWhole(temporary, back) && back.size() == size &&
                std::equal(back.begin(), back.end(), data.get());
    if (!same || !MoveFileExA(temporary.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH)) {
        DeleteFileA(temporary.c_str());
        return same ? "it could not be given its name" : "its copy could not be written and verified";
    }
    m_manifest.Put(item.relativePath, {item.album, size, FormatDosTime(item.entry.dosDate, item.entry.dosTime),
                                       pv::Crc32(data.get(), size)});
    return nullptr;
}

void CardBackup::Erase(const std::vector<BackupItem>& items, const std::vector<bool>& kept) {
    for (size_t i = 0; i < items.size(); ++i) {
        if (!kept[i]) continue;
        DWORD r = CameraEraseFile(m_camera, items[i].cameraPath.c_str());
        if (r == kCamOk) {
            ++m_tally.erased;
        } else {
            ++m_tally.eraseFailed;
            std::printf("  erasing %s: camera result %lu\n", items[i].cameraPath.c_str(), static_cast<unsigned long>(r));
        }
    }
}

int RunBackup(CSerialCamera* camera, const std::string& folder, bool eraseAfter) {
    CardBackup backup(camera, folder, eraseAfter);
    backup.SetProgress([](size_t done, size_t total, const BackupItem& item, const char* outcome) {
        std::printf("[%zu/%zu] %-36s %8lu bytes  %s\n", done, total, item.relativePath.c_str(),
                    static_cast<unsigned long>(item.entry.size), outcome);
        std::fflush(stdout);
    });
    BackupResult result = backup.Run();
    const BackupTally& t = backup.Tally();
    std::printf("%d copied, %d already there, %d failed", t.copied, t.present, t.failed);
    if (eraseAfter) std::printf(", %d erased from the camera, %d could not be erased", t.erased, t.eraseFailed);
    std::printf(": %s\n", result == kBackupDone ? "done" : result == kBackupPartly ? "partly done" : "failed");
    return result;
}

}  // namespace pvcam
