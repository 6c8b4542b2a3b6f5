#include "NIFSummaryInfoWrapper.h"

#include "ByteOrder.h"
#include "FpxIds.h"
#include "NIFError.h"

#include <cstring>
#include <new>
#include <string>

namespace {

enum : uint32_t {
    kCodePage = 1, kTitle = 2, kSubject = 3, kAuthor = 4, kKeywords = 5, kComments = 6,
    kCreateTime = 0x0C, kLastSaveTime = 0x0D, kThumbnail = 0x11, kAppName = 0x12,
};
constexpr int16_t kWesternCodePage = 1252;
constexpr uint32_t kWindowsClipboard = 0xFFFFFFFF;
constexpr uint32_t kDibFormat = 8;   // CF_DIB

constexpr size_t kTextSize = sizeof NIFSummaryInformation::title;
constexpr uint32_t kTextIds[] = {kTitle, kSubject, kAuthor, kKeywords, kComments, kAppName};

char* TextOf(NIFSummaryInformation& info, uint32_t id) {
    switch (id) {
    case kTitle: return info.title;
    case kSubject: return info.subject;
    case kAuthor: return info.author;
    case kKeywords: return info.keywords;
    case kComments: return info.comments;
    default: return info.appName;
    }
}

// Clipboard data: the Windows clipboard tag, the format, then the bitmap.
bool CopyThumbnail(const std::vector<uint8_t>& cf, NIFSummaryInformation* out) {
    if (cf.size() <= 8 || nif::LoadU32(cf.data()) != kWindowsClipboard || nif::LoadU32(cf.data() + 4) != kDibFormat)
        return true;
    out->thumbnailSize = static_cast<uint32_t>(cf.size() - 8);
    out->thumbnail = new (std::nothrow) uint8_t[out->thumbnailSize];
    if (!out->thumbnail) return false;
    std::memcpy(out->thumbnail, cf.data() + 8, out->thumbnailSize);
    return true;
}

}  // namespace

int NIFSummaryInfoWrapper::getInfo(NIFSummaryInformation* out) {
    if (!out) return nif::Fail(NIF_MISSING_ARGUMENT, "Missing record in NIFSummaryInfoWrapper::getInfo.");
    std::memset(out, 0, sizeof *out);
    const NIFPropSection* section = set_->GetSection(nif::kSummaryFormat);
    if (!section) return nif::Fail(NIF_BAD_FILE, "No summary section in NIFSummaryInfoWrapper::getInfo.");
    for (uint32_t id : kTextIds) {
        std::string text;
        const NIFExtProperty* p = section->GetProperty(id);
        if (p && p->Get(&text)) std::strncpy(TextOf(*out, id), text.c_str(), kTextSize - 1);
    }
    if (const NIFExtProperty* p = section->GetProperty(kCreateTime)) p->GetFileTime(&out->createTime);
    if (const NIFExtProperty* p = section->GetProperty(kLastSaveTime)) p->GetFileTime(&out->lastSaveTime);
    const NIFExtProperty* thumbnail = section->GetProperty(kThumbnail);
    if (thumbnail && thumbnail->GetClipboard() && !CopyThumbnail(*thumbnail->GetClipboard(), out))
        return nif::Fail(NIF_OUT_OF_MEMORY, "Can't allocate thumbnail in NIFSummaryInfoWrapper::getInfo.");
    return NIF_OK;
}

int NIFSummaryInfoWrapper::setInfo(const NIFSummaryInformation& in) {
    NIFPropSection* section = set_->GetSection(nif::kSummaryFormat);
    if (!section) section = set_->NewSection(nif::kSummaryFormat);
    section->NewProperty(kCodePage, VT_I2)->Set(kWesternCodePage);
    NIFSummaryInformation copy = in;
    for (uint32_t id : kTextIds) {
        char* text = TextOf(copy, id);
        text[kTextSize - 1] = 0;
        if (*text) section->NewProperty(id, VT_LPSTR)->Set(static_cast<const char*>(text));
    }
    if (in.createTime) section->NewProperty(kCreateTime, VT_FILETIME)->SetFileTime(in.createTime);
    if (in.lastSaveTime) section->NewProperty(kLastSaveTime, VT_FILETIME)->SetFileTime(in.lastSaveTime);
    if (in.thumbnail && in.thumbnailSize) {
        std::vector<uint8_t> cf(8 + size_t(in.thumbnailSize));
        nif::StoreU32(cf.data(), kWindowsClipboard);
        nif::StoreU32(cf.data() + 4, kDibFormat);
        std::memcpy(cf.data() + 8, in.thumbnail, in.thumbnailSize);
        section->NewProperty(kThumbnail, VT_CF)->SetClipboard(cf.data(), cf.size());
    }
    return NIF_OK;
}

void NIFSummaryInfoWrapper::Release() { delete this; }
