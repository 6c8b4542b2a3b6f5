// The tile rows shared out with the thread pool, on pools that misbehave: one whose only thread
// is taken, so that no helper ever starts, and helpers whose row work throws.
#include "NIFError.h"
#include "ParallelRows.h"
#include "UniqueHandle.h"
#include "UniqueResource.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <new>
#include <stdexcept>
#include <vector>

namespace {

// Far longer than any of these rows takes; a wait that runs out is the failure being looked for.
constexpr DWORD kPatienceMs = 20000;

struct PoolTraits : pv::NullHandle<PTP_POOL> {
    static void close(PTP_POOL pool) { CloseThreadpool(pool); }
};
struct WorkTraits : pv::NullHandle<PTP_WORK> {
    static void close(PTP_WORK work) { CloseThreadpoolWork(work); }
};

// A private pool with exactly one thread, and the callback environment that submits to it.
class OneThreadPool {
public:
    OneThreadPool() : pool_(CreateThreadpool(nullptr)) {
        SetThreadpoolThreadMaximum(pool_.get(), 1);
        SetThreadpoolThreadMinimum(pool_.get(), 1);
        InitializeThreadpoolEnvironment(&environment_);
        SetThreadpoolCallbackPool(&environment_, pool_.get());
    }
    ~OneThreadPool() { DestroyThreadpoolEnvironment(&environment_); }
    OneThreadPool(const OneThreadPool&) = delete;
    OneThreadPool& operator=(const OneThreadPool&) = delete;

    PTP_CALLBACK_ENVIRON environment() { return &environment_; }

    // Runs an empty callback on the pool and waits until it, and so everything queued before it
    // on the one thread, has run.
    void Drain() {
        pv::UniqueResource<WorkTraits> last(CreateThreadpoolWork(Nothing, nullptr, &environment_));
        SubmitThreadpoolWork(last.get());
        WaitForThreadpoolWorkCallbacks(last.get(), FALSE);
    }

private:
    static void CALLBACK Nothing(PTP_CALLBACK_INSTANCE, void*, PTP_WORK) {}

    pv::UniqueResource<PoolTraits> pool_;
    TP_CALLBACK_ENVIRON environment_;
};

// Keeps the pool's only thread until released (or until its patience runs out, so that a read
// that waits for the pool ends too, late, and says so).
class PoolBlocker {
public:
    explicit PoolBlocker(OneThreadPool& pool)
        : started_(CreateEventA(nullptr, TRUE, FALSE, nullptr)), release_(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
          work_(CreateThreadpoolWork(Block, this, pool.environment())) {
        SubmitThreadpoolWork(work_.get());
    }
    ~PoolBlocker() {
        Release();
        WaitForThreadpoolWorkCallbacks(work_.get(), FALSE);
    }
    PoolBlocker(const PoolBlocker&) = delete;
    PoolBlocker& operator=(const PoolBlocker&) = delete;

    bool holdsThePool() { return WaitForSingleObject(started_.get(), kPatienceMs) == WAIT_OBJECT_0 && !gaveUp_; }
    bool gaveUp() const { return gaveUp_; }
    void Release() { SetEvent(release_.get()); }

private:
    static void CALLBACK Block(PTP_CALLBACK_INSTANCE, void* self, PTP_WORK) {
        auto* blocker = static_cast<PoolBlocker*>(self);
        SetEvent(blocker->started_.get());
        blocker->gaveUp_ = WaitForSingleObject(blocker->release_.get(), kPatienceMs) != WAIT_OBJECT_0;
    }

    pv::UniqueHandle started_, release_;
    std::atomic<bool> gaveUp_{false};
    pv::UniqueResource<WorkTraits> work_;
};

}  // namespace

// Three helpers queued on a pool whose one thread is taken never start: the calling thread
// decodes every row itself, reports them in order and returns while the pool is still blocked.
// The helpers that start once the pool is free find the job closed and touch no row.
TEST(ParallelRows, AStarvedPoolDoesNotStallTheRead) {
    OneThreadPool pool;
    PoolBlocker blocker(pool);
    ASSERT_TRUE(blocker.holdsThePool());
    std::atomic<int> helperRows{0};
    std::vector<long> reported;
    const int rc = nif::ForEachRow(
        14, 3, [&](int worker, long) { return worker == 0 ? NIF_OK : (++helperRows, NIF_OK); },
        [&](long row) { return reported.push_back(row), NIF_OK; }, pool.environment());
    const bool readWhileStarved = !blocker.gaveUp();
    blocker.Release();
    pool.Drain();
    EXPECT_EQ(NIF_OK, rc);
    EXPECT_TRUE(readWhileStarved) << "the read waited for helpers that could not start";
    EXPECT_EQ((std::vector<long>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}), reported);
    EXPECT_EQ(0, helperRows.load());
}

namespace {

struct ThrowingRead {
    int rc = -1;
    long thrownAt = -1;            // the helper's row whose work threw
    std::vector<long> reported;
};

// Rows of the calling thread wait until the helper has started; the helper's row throws. The
// rows above that one are reported, none below it, and the throw becomes the read's result.
template <typename Throw>
ThrowingRead ReadWithAThrowingHelper(Throw doThrow) {
    OneThreadPool pool;
    pv::UniqueHandle helperStarted(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    ThrowingRead read;
    read.rc = nif::ForEachRow(
        4, 1,
        [&](int worker, long row) -> int {
            if (worker == 0) {
                WaitForSingleObject(helperStarted.get(), kPatienceMs);
                return NIF_OK;
            }
            read.thrownAt = row;
            SetEvent(helperStarted.get());
            doThrow();
            return NIF_OK;
        },
        [&](long row) { return read.reported.push_back(row), NIF_OK; }, pool.environment());
    pool.Drain();
    return read;
}

void ExpectRowsAbove(const ThrowingRead& read) {
    ASSERT_GE(read.thrownAt, 0) << "no helper started on a free pool";
    std::vector<long> above;
    for (long row = 0; row < read.thrownAt; ++row) above.push_back(row);
    EXPECT_EQ(above, read.reported);
}

}  // namespace

TEST(ParallelRows, AnExceptionInAHelperBecomesTheReadsResult) {
    const ThrowingRead noMemory = ReadWithAThrowingHelper([] { throw std::bad_alloc(); });
    EXPECT_EQ(NIF_OUT_OF_MEMORY, noMemory.rc);
    EXPECT_EQ("Out of memory in NIFImage::readRegion.", nif::LastMessage());
    ExpectRowsAbove(noMemory);

    const ThrowingRead other = ReadWithAThrowingHelper([] { throw std::length_error("tile buffer"); });
    EXPECT_EQ(NIF_BAD_FILE, other.rc);
    EXPECT_EQ("Unexpected failure in NIFImage::readRegion.", nif::LastMessage());
    ExpectRowsAbove(other);
}
