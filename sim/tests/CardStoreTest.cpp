// The card folder changes under the camera: the host's files may go at any moment.
#include "CardStore.h"

#include <fstream>
#include <gtest/gtest.h>

namespace pvsim {
namespace {

TEST(CardStore, AFileThatWentBetweenLookUpAndListingIsListedWithoutThrowing) {
    fs::path root = fs::path(testing::TempDir()) / "card-store-vanish";
    fs::remove_all(root);
    fs::create_directories(root / "PCCARD" / "DCIMAGES");
    std::ofstream(root / "PCCARD" / "DCIMAGES" / "PV000001.JPG") << "picture";
    CardStore store;
    std::string error;
    ASSERT_TRUE(store.load(root, error)) << error;
    Refusal why = Refusal::None;
    auto node = store.resolve("\\PCCARD\\DCIMAGES\\PV000001.JPG", why);
    ASSERT_TRUE(node);
    EXPECT_EQ(7u, store.list(*node).at(0).size);
    fs::remove(node->disk);
    std::vector<EntryFacts> entries;
    EXPECT_NO_THROW(entries = store.list(*node));
    ASSERT_EQ(1u, entries.size());
    EXPECT_EQ(0u, entries[0].size);
    fs::remove_all(root);
}

}  // namespace
}  // namespace pvsim
