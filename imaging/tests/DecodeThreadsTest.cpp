// A region decoded by several threads gives what one thread gives: the same pixels, progress
// calls, cache counts and first failure in row order, and a stop from the callback ends them all.
#include "FpxTestWriter.h"
#include "ToolkitFixture.h"

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <utility>

namespace {

constexpr int kFullLevel = 5;   // 1152 x 864: 18 x 14 tiles, more than the cache holds

struct Outcome {
    int code = 0;
    std::string message;
    std::vector<std::pair<long, long>> progress;
    NIFCacheStatistics cache{};
    Picture picture;
};

std::vector<std::pair<long, long>>* g_calls = nullptr;
long g_stopAt = 0;

short Record(long total, long done) {
    g_calls->emplace_back(total, done);
    return g_stopAt && done >= g_stopAt;
}

class DecodeThreads : public ToolkitTest {
protected:
    static void SetUpTestSuite() {
        scene_ = new std::vector<uint8_t>(WriteFpx(MakeScene(1152, 864), {}, &streams_));
        wholeLevel_ = new std::vector<uint8_t>;
    }
    static void TearDownTestSuite() {
        delete scene_;
        delete wholeLevel_;
        scene_ = wholeLevel_ = nullptr;
    }

    void TearDown() override {
        SetEnvironmentVariableW(L"PV_DECODE_THREADS", nullptr);
        ToolkitTest::TearDown();
    }

    static void UseThreads(const wchar_t* threads) {
        NIFStopToolkit();
        SetEnvironmentVariableW(L"PV_DECODE_THREADS", threads);
        ASSERT_EQ(0, NIFStartToolkit());
    }

    // The full-size level as one thread decodes it, decoded once for the suite before any
    // test opens a handle (a change of threads restarts the toolkit).
    void SetUp() override {
        ToolkitTest::SetUp();
        if (wholeLevel_->empty()) *wholeLevel_ = Decode(L"1", *scene_).picture.pixels;
    }
    static const std::vector<uint8_t>& WholeLevel() { return *wholeLevel_; }

    NIFHandle* OpenWithFourThreads() {
        UseThreads(L"4");
        return Open(*scene_);
    }

    // Interleaved RGB rows of the full-size level's width, top-down.
    static NIFDestination RgbRows(std::vector<uint8_t>& bits) {
        NIFDestination d{NIF_SPACE_RGB, 3, {}};
        for (int c = 0; c < 3; ++c) d.channel[c] = {bits.data() + c, 3, 1152 * 3};
        return d;
    }

    // The whole full-size level read through a new handle by the given number of threads.
    Outcome Decode(const wchar_t* threads, const std::vector<uint8_t>& bytes) {
        UseThreads(threads);
        Outcome o;
        NIFHandle* h = Open(bytes);
        if (!h) return o;
        o.picture = {1152, 864, 3, std::vector<uint8_t>(1152 * 864 * 3, 0xCD)};
        NIFDestination d = RgbRows(o.picture.pixels);
        g_calls = &o.progress;
        g_stopAt = 0;
        o.code = NIFReadRegion(h, 0, 0, 1152, 864, kFullLevel, &d, Record);
        o.message = LastMessage();
        g_calls = nullptr;
        NIFGetCacheStatistics(h, &o.cache);
        EXPECT_EQ(0, NIFCloseImage(h));
        return o;
    }

    // The file with the first bytes of the full-size level's tile replaced.
    static std::vector<uint8_t> Damaged(std::vector<uint8_t> bytes, int tile, uint8_t a, uint8_t b) {
        const std::vector<uint8_t>& stream = streams_.back().tiles[tile];
        auto at = std::search(bytes.begin(), bytes.end(), stream.begin(), stream.end());
        EXPECT_NE(bytes.end(), at);
        if (at != bytes.end()) at[0] = a, at[1] = b;
        return bytes;
    }

    static std::vector<uint8_t>* scene_;
    static std::vector<uint8_t>* wholeLevel_;
    static std::vector<FpxLevelStreams> streams_;
};

std::vector<uint8_t>* DecodeThreads::scene_ = nullptr;
std::vector<uint8_t>* DecodeThreads::wholeLevel_ = nullptr;
std::vector<FpxLevelStreams> DecodeThreads::streams_;

void ExpectSame(const Outcome& one, const Outcome& many) {
    EXPECT_EQ(one.code, many.code);
    EXPECT_EQ(one.message, many.message);
    EXPECT_EQ(one.progress, many.progress);
    EXPECT_EQ(one.cache.hits, many.cache.hits);
    EXPECT_EQ(one.cache.misses, many.cache.misses);
    EXPECT_TRUE(one.picture.pixels == many.picture.pixels) << "pixels differ";
}

}  // namespace

TEST_F(DecodeThreads, ManyThreadsGiveWhatOneGives) {
    const Outcome one = Decode(L"1", *scene_);
    ASSERT_EQ(0, one.code) << one.message;
    ASSERT_EQ(14u, one.progress.size());
    EXPECT_EQ(std::make_pair(252L, 252L), one.progress.back());
    EXPECT_EQ(252u, one.cache.misses);
    ExpectSame(one, Decode(L"4", *scene_));
    ExpectSame(one, Decode(L"2", *scene_));
}

// Rows 5 and 9 each hold a damaged tile; the helpers may meet row 9's first.
TEST_F(DecodeThreads, TheFirstFailureInRowOrderIsReported) {
    const std::vector<uint8_t> bytes = Damaged(Damaged(*scene_, 9 * 18 + 4, 0x56, 0x78), 5 * 18 + 11, 0x12, 0x34);
    const Outcome one = Decode(L"1", bytes);
    EXPECT_EQ(NIF_JPEG_FAILED, one.code);
    EXPECT_NE(std::string::npos, one.message.find("0x12")) << one.message;
    EXPECT_EQ(5u, one.progress.size());
    for (int run = 0; run < 5; ++run) {
        const Outcome many = Decode(L"4", bytes);
        EXPECT_EQ(one.code, many.code);
        EXPECT_EQ(one.message, many.message);
        EXPECT_EQ(one.progress, many.progress);
        // Rows above the damaged one are complete.
        EXPECT_TRUE(std::equal(one.picture.pixels.begin(), one.picture.pixels.begin() + 5 * 64 * 1152 * 3,
                               many.picture.pixels.begin()));
    }
}

TEST_F(DecodeThreads, AStopEndsEveryThreadAndTheNextReadIsWhole) {
    NIFHandle* h = OpenWithFourThreads();
    ASSERT_NE(nullptr, h);
    std::vector<uint8_t> bits(1152 * 864 * 3);
    NIFDestination d = RgbRows(bits);
    std::vector<std::pair<long, long>> calls;
    g_calls = &calls;
    g_stopAt = 3 * 18;
    EXPECT_EQ(NIF_STOPPED, NIFReadRegion(h, 0, 0, 1152, 864, kFullLevel, &d, Record));
    EXPECT_EQ((std::vector<std::pair<long, long>>{{252, 18}, {252, 36}, {252, 54}}), calls);
    g_stopAt = 0;
    calls.clear();
    EXPECT_EQ(0, NIFReadRegion(h, 0, 0, 1152, 864, kFullLevel, &d, Record)) << LastMessage();
    g_calls = nullptr;
    EXPECT_EQ(14u, calls.size());
    EXPECT_TRUE(bits == WholeLevel());
    EXPECT_EQ(0, NIFCloseImage(h));
}

namespace {

struct Reentry {
    NIFHandle* handle = nullptr;
    NIFDestination* inner = nullptr;
    int innerResult = -1;
    bool close = false;
} g_reentry;

// After the second row: a read of another region of the same image, or a close.
short ReenterOnce(long, long done) {
    if (done != 2 * 18 || !g_reentry.handle) return 0;
    NIFHandle* h = std::exchange(g_reentry.handle, nullptr);
    if (g_reentry.close)
        g_reentry.innerResult = NIFCloseImage(h);
    else
        g_reentry.innerResult = NIFReadRegion(h, 0, 600, 1152, 864, kFullLevel, g_reentry.inner, nullptr);
    return 0;
}

}  // namespace

// While helpers decode the rest of the outer read, the callback's read of the rows below uses
// the calling thread; both come out whole.
TEST_F(DecodeThreads, AReadFromTheProgressCallbackGivesWholePictures) {
    NIFHandle* h = OpenWithFourThreads();
    ASSERT_NE(nullptr, h);
    std::vector<uint8_t> outer(1152 * 864 * 3), inner(1152 * 264 * 3);
    NIFDestination d = RgbRows(outer), below = RgbRows(inner);
    g_reentry = {h, &below, -1, false};
    ASSERT_EQ(0, NIFReadRegion(h, 0, 0, 1152, 864, kFullLevel, &d, ReenterOnce)) << LastMessage();
    EXPECT_EQ(0, g_reentry.innerResult);
    EXPECT_TRUE(outer == WholeLevel());
    EXPECT_TRUE(std::equal(inner.begin(), inner.end(), WholeLevel().begin() + 600 * 1152 * 3));
    EXPECT_EQ(0, NIFCloseImage(h));
}

TEST_F(DecodeThreads, ACloseFromTheProgressCallbackWaitsForTheRead) {
    NIFHandle* h = OpenWithFourThreads();
    ASSERT_NE(nullptr, h);
    std::vector<uint8_t> bits(1152 * 864 * 3);
    NIFDestination d = RgbRows(bits);
    g_reentry = {h, nullptr, -1, true};
    EXPECT_EQ(0, NIFReadRegion(h, 0, 0, 1152, 864, kFullLevel, &d, ReenterOnce));
    EXPECT_EQ(0, g_reentry.innerResult);
    EXPECT_TRUE(bits == WholeLevel());
    EXPECT_EQ(NIF_WRONG_STATE, NIFReadRegion(h, 0, 0, 64, 64, kFullLevel, &d, nullptr));
    EXPECT_EQ(NIF_WRONG_STATE, NIFCloseImage(h));
}

// Small reads leave most helpers unstarted when the calling thread has done every row; they are
// neither waited for nor left holding memory: many reads leave the working set as it was.
TEST_F(DecodeThreads, HelpersNotStartedLeaveNothingBehind) {
    auto workingSet = [] {
        PROCESS_MEMORY_COUNTERS memory{};
        GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
        return memory.WorkingSetSize;
    };
    NIFHandle* h = OpenWithFourThreads();
    ASSERT_NE(nullptr, h);
    std::vector<uint8_t> bits(1152 * 864 * 3);
    auto readSmallLevels = [&](int times) {
        for (int i = 0; i < times; ++i) {
            NIFDestination d = RgbRows(bits);
            ASSERT_EQ(0, NIFReadRegion(h, 0, 0, 1152, 864, 2, &d, nullptr)) << LastMessage();
            ASSERT_EQ(0, NIFReadRegion(h, 0, 0, 1152, 864, 3, &d, nullptr)) << LastMessage();
        }
    };
    readSmallLevels(20);
    const size_t before = workingSet();
    readSmallLevels(200);
    EXPECT_LT(workingSet(), before + (size_t(16) << 20)) << "bytes of working set after 400 reads";
    EXPECT_EQ(0, NIFCloseImage(h));
}
