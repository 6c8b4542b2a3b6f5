// The camera's storage, backed by a card image folder: "MEMORY" holds the internal memory and
// "PCCARD" the memory card, whose pictures live in "PCCARD/DCIMAGES". Camera paths such as
// "\PCCARD\DCIMAGES\PV000001.JPG" are matched against the folder's 8.3 names without regard to case; names
// the camera could not store are invisible. The card can be taken out, and can be unformatted.
#pragma once

#include "CardManifest.h"
#include "DosName.h"

#include "../wire/Bytes.h"

#include <filesystem>
#include <optional>
#include <vector>

namespace pvsim {

namespace fs = std::filesystem;

enum class Refusal { None, BadPath, NotFound, NoCard, Unformatted };

struct Node {
    fs::path disk;
    std::string relative;   // "PCCARD/DCIMAGES/PV000001.JPG"
    bool dir = false;
    std::string pattern;    // set when the path ended in a pattern; `disk` is then its directory
};

struct Child {
    EntryFacts facts;
    fs::path disk;
    bool dir = false;
};

class CardStore {
public:
    bool load(const fs::path& root, std::string& error);
    const fs::path& root() const { return root_; }
    CardManifest& manifest() { return manifest_; }
    bool saveManifest() const { return manifest_.save(root_); }
    void setCardPresent(bool present) { cardPresent_ = present; }
    bool cardPresent() const { return cardPresent_; }
    bool cardUsable() const { return cardPresent_ && manifest_.formatted; }

    std::optional<Node> resolve(const std::string& cameraPath, Refusal& why) const;
    // Entries of a directory node in the camera's order: "." and ".." below the root, directories
    // by name, then files by name; only those matching the node's pattern when it has one.
    std::vector<EntryFacts> list(const Node& dir) const;
    std::vector<Child> children(const fs::path& dir, const std::string& relative) const;
    std::optional<Bytes> read(const Node& file) const;
    bool erase(const Node& file);
    bool store(const std::string& relativeDir, const std::string& name, const Bytes& data, std::time_t modified);
    void format();
    uint64_t freeBytes() const;

private:
    uint8_t attributesOf(const std::string& relative) const;
    uint64_t usedBytes() const;

    fs::path root_;
    CardManifest manifest_;
    bool cardPresent_ = true;
};

}  // namespace pvsim
