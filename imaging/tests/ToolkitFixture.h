// A started toolkit for each test, and decoding of whole levels into plain pictures.
#pragma once

#include "NIFError.h"
#include "NIFToolkit.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <string>

// The folder of the third-party FlashPix files; a case that needs them is reported as not run, by
// name, when they are absent.
#define THIRD_PARTY_FLASHPIX_FOLDER(folder)                                                        \
    const std::string folder = DataFolder("PV_FLASHPIX_DIR");                                     \
    if (folder.empty()) GTEST_SKIP() << "not run: the third-party FlashPix files were not found " \
                                        "(PV_TESTDATA_DIR names their folder)"

class ToolkitTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(0, NIFStartToolkit()); }
    void TearDown() override { NIFStopToolkit(); }

    static std::string LastMessage() {
        const char* m = nullptr;
        NIFGetLastError(&m);
        return m;
    }

    // Opens bytes that must stay alive while the handle is used.
    NIFHandle* Open(const std::vector<uint8_t>& bytes, long* kind = nullptr) {
        NIFHandle* h = nullptr;
        long w = 0, ht = 0, k = 0;
        EXPECT_EQ(0, NIFOpenImageFromMemory(bytes.data(), bytes.size(), &h, &w, &ht, &k)) << LastMessage();
        if (kind) *kind = k;
        return h;
    }

    // The whole level, top-down and interleaved, in the requested space; with opacity when asked.
    static Picture DecodeLevel(NIFHandle* h, int level, int space = NIF_SPACE_RGB, bool opacity = false) {
        NIFImageInformation info{};
        EXPECT_EQ(0, NIFGetImageInformation(h, &info));
        Picture p;
        p.channels = (space == NIF_SPACE_MONOCHROME ? 1 : 3) + (opacity ? 1 : 0);
        p.width = info.width, p.height = info.height;
        for (int l = info.levels - 1; l > level; --l) p.width = (p.width + 1) / 2, p.height = (p.height + 1) / 2;
        p.pixels.assign(size_t(p.width) * p.height * p.channels, 0xCD);
        NIFDestination d{space, p.channels, {}};
        for (int c = 0; c < p.channels; ++c) d.channel[c] = {p.pixels.data() + c, p.channels, p.width * p.channels};
        EXPECT_EQ(0, NIFReadRegion(h, 0, 0, info.width, info.height, level, &d, nullptr)) << LastMessage();
        return p;
    }
};
