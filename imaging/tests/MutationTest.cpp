// Damaged files: truncated and byte-mutated variants of every test file open and decode without
// a crash, and every failure is a result code with a message.
#include "FpxTestWriter.h"
#include "ToolkitFixture.h"

#include "MutationRun.h"

TEST_F(ToolkitTest, DamagedFilesFailCleanly) {
    THIRD_PARTY_FLASHPIX_FOLDER(folder);
    std::vector<std::vector<uint8_t>> inputs;
    for (const std::string& f : FpxFilesIn(folder)) inputs.push_back(ReadFileBytes(f));
    inputs.push_back(WriteFpx(MakeScene(150, 100), {}));
    inputs.push_back(CraftedPropertyFpx(size_t(64) << 10, 512));
    ASSERT_GE(inputs.size(), 8u);
    MutationTally tally;
    for (size_t i = 0; i < inputs.size(); ++i) RunMutations(inputs[i], 0x5EED + uint32_t(i), 150, tally);
    std::printf("%u variants: %u decoded, %u refused\n", tally.variants, tally.decoded, tally.refused);
    EXPECT_EQ(0u, tally.unexplained) << "failures without a message";
    EXPECT_GT(tally.refused, 0u);
    EXPECT_GT(tally.decoded, 0u);
}

// A property offset past its section once left a released property set behind the caller's
// pointer.
TEST_F(ToolkitTest, PropertyOffsetPastItsSectionIsRefused) {
    THIRD_PARTY_FLASHPIX_FOLDER(folder);
    std::vector<uint8_t> bytes = ReadFileBytes(folder + "rose_gray_raw.fpx");
    ASSERT_EQ(48, bytes.at(3452));   // the code page's offset in "\005Global Info"
    bytes[3452] = 193;
    NIFHandle* h = nullptr;
    long w, ht, k;
    EXPECT_EQ(NIF_BAD_FILE, NIFOpenImageFromMemory(bytes.data(), bytes.size(), &h, &w, &ht, &k));
    EXPECT_EQ("Malformed property set in NIFPropertySet::Load.", LastMessage());
    EXPECT_EQ(nullptr, h);
}
