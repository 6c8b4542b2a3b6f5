#include "DragFormats.h"

#include "GlobalMemory.h"
#include "MounterItemId.h"

#include <algorithm>
#include <cstring>

namespace dragformat {
namespace {

CLIPFORMAT Registered(const char* name) { return static_cast<CLIPFORMAT>(RegisterClipboardFormatA(name)); }

template <typename Char>
void AppendPaths(std::vector<BYTE>* block, const std::vector<std::basic_string<Char>>& paths) {
    size_t offset = sizeof(DROPFILES);
    for (const auto& path : paths) {
        size_t bytes = (path.size() + 1) * sizeof(Char);
        std::memcpy(block->data() + offset, path.c_str(), bytes);
        offset += bytes;
    }
}

template <typename Char>
size_t ListBytes(const std::vector<std::basic_string<Char>>& paths, size_t slots) {
    size_t exact = 1;
    for (const auto& path : paths) exact += path.size() + 1;
    return sizeof(DROPFILES) + std::max(exact, slots * MAX_PATH + 1) * sizeof(Char);
}

template <typename Char>
std::vector<BYTE> FileListOf(const std::vector<std::basic_string<Char>>& paths, size_t slots) {
    std::vector<BYTE> block(ListBytes(paths, slots));
    auto* header = reinterpret_cast<DROPFILES*>(block.data());
    header->pFiles = sizeof(DROPFILES);
    header->fWide = sizeof(Char) == sizeof(WCHAR);
    AppendPaths(&block, paths);
    return block;
}

}  // namespace

CLIPFORMAT ShellIdList() {
    static const CLIPFORMAT format = Registered("Shell IDList Array");
    return format;
}

CLIPFORMAT InDragLoop() {
    static const CLIPFORMAT format = Registered("InShellDragLoop");
    return format;
}

CLIPFORMAT FileName() {
    static const CLIPFORMAT format = Registered("FileName");
    return format;
}

CLIPFORMAT FileNameW() {
    static const CLIPFORMAT format = Registered("FileNameW");
    return format;
}

std::wstring Widen(const std::string& text) {
    if (text.empty()) return {};
    int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

std::vector<BYTE> MakeFileList(const std::vector<std::string>& paths, size_t slots, bool wide) {
    if (!wide) return FileListOf(paths, slots);
    std::vector<std::wstring> widePaths;
    for (const auto& path : paths) widePaths.push_back(Widen(path));
    return FileListOf(widePaths, slots);
}

std::vector<BYTE> MakeIdListArray(LPCITEMIDLIST folder, const std::vector<LPCITEMIDLIST>& items) {
    std::vector<LPCITEMIDLIST> lists{folder};
    lists.insert(lists.end(), items.begin(), items.end());
    size_t offset = sizeof(UINT) * (lists.size() + 1);
    size_t total = offset;
    for (LPCITEMIDLIST list : lists) total += itemid::ListSize(list);
    std::vector<BYTE> block(total);
    auto* header = reinterpret_cast<UINT*>(block.data());
    header[0] = static_cast<UINT>(items.size());
    for (size_t i = 0; i < lists.size(); ++i) {
        UINT size = itemid::ListSize(lists[i]);
        header[i + 1] = static_cast<UINT>(offset);
        std::memcpy(block.data() + offset, lists[i], size);
        offset += size;
    }
    return block;
}

HGLOBAL CopyToGlobal(const std::vector<BYTE>& bytes) {
    pv::GlobalBlock block = pv::GlobalBlock::alloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes.size());
    {
        pv::LockedGlobal data(block.get());
        if (!data) return nullptr;
        std::memcpy(data.data(), bytes.data(), bytes.size());
    }
    return block.release();
}

}  // namespace dragformat
