#include "CardStore.h"

#include <algorithm>
#include <fstream>

namespace pvsim {
namespace {

constexpr uint64_t kCluster = 2048;

std::time_t mtimeOf(const fs::path& p) {
    std::error_code ec;
    auto t = fs::last_write_time(p, ec);
    if (ec) return 0;
    auto sys = std::chrono::file_clock::to_sys(t);
    return std::chrono::system_clock::to_time_t(sys);
}

// A file's size as a directory entry gives it; 0 when the file went or cannot be read, since the
// host may change the card folder at any time.
uint32_t entrySize(const fs::path& p) {
    std::error_code ec;
    auto size = fs::file_size(p, ec);
    return ec ? 0 : static_cast<uint32_t>(size);
}

void setMtime(const fs::path& p, std::time_t t) {
    std::error_code ec;
    auto sys = std::chrono::system_clock::from_time_t(t);
    fs::last_write_time(p, std::chrono::file_clock::from_sys(sys), ec);
}

std::vector<std::string> splitPath(const std::string& path) {
    std::vector<std::string> parts;
    size_t start = 1;
    for (size_t i = 1; i <= path.size(); ++i)
        if (i == path.size() || path[i] == '\\') {
            parts.push_back(path.substr(start, i - start));
            start = i + 1;
        }
    return parts;
}

}  // namespace

bool CardStore::load(const fs::path& root, std::string& error) {
    std::error_code ec;
    if (!fs::is_directory(root, ec)) {
        error = "not a directory: " + root.string();
        return false;
    }
    CardManifest m;
    if (!m.load(root, error)) return false;
    root_ = root;
    manifest_ = m;
    cardPresent_ = true;
    return true;
}

uint8_t CardStore::attributesOf(const std::string& relative) const {
    auto it = manifest_.attributes.find(relative);
    return it == manifest_.attributes.end() ? 0 : it->second;
}

std::vector<Child> CardStore::children(const fs::path& dir, const std::string& relative) const {
    std::vector<Child> out;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(dir, ec)) {
        std::string name = dosName(e.path().filename().string());
        if (name.empty()) continue;
        bool isDir = e.is_directory(ec);
        if (!isDir && !e.is_regular_file(ec)) continue;
        std::string rel = relative.empty() ? name : relative + "/" + name;
        uint32_t size = isDir ? 0 : entrySize(e.path());
        out.push_back({{name, static_cast<uint8_t>(attributesOf(rel) | (isDir ? 0x10 : 0)), mtimeOf(e.path()), size},
                       e.path(), isDir});
    }
    std::sort(out.begin(), out.end(), [](const Child& a, const Child& b) {
        return a.dir != b.dir ? a.dir : a.facts.name < b.facts.name;
    });
    return out;
}

std::optional<Node> CardStore::resolve(const std::string& path, Refusal& why) const {
    why = Refusal::BadPath;
    if (root_.empty() || path.empty() || path[0] != '\\') return std::nullopt;
    Node node{root_, "", true, ""};
    auto parts = path == "\\" ? std::vector<std::string>{} : splitPath(path);
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i == 0 && dosName(parts[0]) == "PCCARD" && !cardUsable()) {
            why = cardPresent_ ? Refusal::Unformatted : Refusal::NoCard;
            return std::nullopt;
        }
        if (i + 1 == parts.size() && isPattern(parts[i])) {
            node.pattern = parts[i];
            return node;
        }
        std::string want = dosName(parts[i]);
        if (want.empty() || !node.dir) return std::nullopt;
        auto kids = children(node.disk, node.relative);
        auto it = std::find_if(kids.begin(), kids.end(), [&](const Child& c) { return c.facts.name == want; });
        why = Refusal::NotFound;
        if (it == kids.end()) return std::nullopt;
        node = {it->disk, node.relative.empty() ? want : node.relative + "/" + want, it->dir, ""};
    }
    why = Refusal::None;
    return node;
}

std::vector<EntryFacts> CardStore::list(const Node& dir) const {
    std::vector<EntryFacts> out;
    if (!dir.dir) return {EntryFacts{fs::path(dir.relative).filename().string(), attributesOf(dir.relative),
                                     mtimeOf(dir.disk), entrySize(dir.disk)}};
    if (!dir.relative.empty() && dir.pattern.empty()) {
        std::time_t t = mtimeOf(dir.disk);
        out.push_back({".", 0x10, t, 0});
        out.push_back({"..", 0x10, t, 0});
    }
    for (auto& c : children(dir.disk, dir.relative))
        if (dir.pattern.empty() || matchesPattern(dir.pattern, c.facts.name)) out.push_back(c.facts);
    return out;
}

std::optional<Bytes> CardStore::read(const Node& file) const {
    if (file.dir) return std::nullopt;
    std::ifstream in(file.disk, std::ios::binary);
    Bytes data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.eof() && in.fail()) return std::nullopt;
    return data;
}

bool CardStore::erase(const Node& file) {
    std::error_code ec;
    if (file.dir || !fs::remove(file.disk, ec)) return false;
    if (manifest_.attributes.erase(file.relative)) saveManifest();
    return true;
}

bool CardStore::store(const std::string& relativeDir, const std::string& name, const Bytes& data, std::time_t modified) {
    fs::path path = root_ / relativeDir / name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
    out.close();
    if (!out) return false;
    setMtime(path, modified);
    return true;
}

void CardStore::format() {
    std::error_code ec;
    fs::remove_all(root_ / "PCCARD", ec);
    fs::create_directories(root_ / "PCCARD" / "DCIMAGES", ec);
    std::erase_if(manifest_.attributes, [](const auto& a) { return a.first.rfind("PCCARD/", 0) == 0; });
    manifest_.formatted = true;
    saveManifest();
}

uint64_t CardStore::usedBytes() const {
    uint64_t used = 0;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(root_ / "PCCARD", ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec))
        used += it->is_regular_file(ec) ? (it->file_size(ec) + kCluster - 1) / kCluster * kCluster : kCluster;
    return used;
}

uint64_t CardStore::freeBytes() const {
    if (!cardUsable()) return 0;
    uint64_t used = usedBytes();
    return used >= manifest_.capacity ? 0 : manifest_.capacity - used;
}

}  // namespace pvsim
