#include "ParallelRows.h"

#include "FlatCall.h"
#include "NIFError.h"
#include "SlimLock.h"
#include "UniqueResource.h"

#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

namespace nif {
namespace {

struct RowOutcome {
    bool done = false;
    int code = NIF_OK;
    std::string message;
};

// Shared by the calling thread and the helpers it submitted, each holding one reference; the
// last to let go deletes it. A helper that the pool starts only after the calling thread has
// closed the job finds it closed and touches nothing of the caller's.
class RowJob {
public:
    RowJob(long rows, const RowWork& work) : outcomes_(rows), work_(work) {}
    RowJob(const RowJob&) = delete;
    RowJob& operator=(const RowJob&) = delete;

    void workRows() {
        if (enter()) {
            const int worker = nextWorker_.fetch_add(1);
            for (long row; (row = take()) >= 0;) finish(row, workRow(worker, row));
            leave();
        }
        release();
    }

    // One reference more for a helper about to be submitted.
    void hold() { holders_.fetch_add(1); }

    // The calling thread's end of the job: helpers at work finish the row they hold (they find
    // no other), helpers not yet started are not waited for.
    void close() {
        {
            std::lock_guard<SlimLock> hold(lock_);
            closed_ = stopped_ = true;
            lock_.waitUntil([&] { return working_ == 0; });
        }
        release();
    }

    // The calling thread's part: it reports each row as soon as it and those above it are
    // done, and decodes rows itself while any are left.
    int run(const RowReport& report) {
        for (long reported = 0; reported < rows();) {
            if (isDone(reported)) {
                const RowOutcome& o = outcomes_[reported];
                if (o.code) return stop(Fail(o.code, o.message));
                if (int rc = report(reported)) return stop(rc);
                ++reported;
            } else if (long row = take(); row >= 0) {
                finish(row, workRow(0, row));
            } else {
                waitUntilDone(reported);
            }
        }
        return NIF_OK;
    }

private:
    long rows() const { return static_cast<long>(outcomes_.size()); }

    bool enter() {
        std::lock_guard<SlimLock> hold(lock_);
        if (closed_) return false;
        ++working_;
        return true;
    }

    void leave() {
        std::lock_guard<SlimLock> hold(lock_);
        --working_;
        lock_.notifyAll();
    }

    void release() {
        if (holders_.fetch_sub(1) == 1) delete this;
    }

    int workRow(int worker, long row) {
        return Guarded("NIFImage::readRegion", [&] { return work_(worker, row); });
    }

    long take() {
        std::lock_guard<SlimLock> hold(lock_);
        return stopped_ || next_ >= rows() ? -1 : next_++;
    }

    void finish(long row, int code) {
        std::string message = code ? LastMessage() : std::string();
        std::lock_guard<SlimLock> hold(lock_);
        outcomes_[row] = {true, code, std::move(message)};
        if (code) stopped_ = true;
        lock_.notifyAll();
    }

    bool isDone(long row) {
        std::lock_guard<SlimLock> hold(lock_);
        return outcomes_[row].done;
    }

    // Rows are taken in order, so a row not done is being decoded and will be.
    void waitUntilDone(long row) {
        std::lock_guard<SlimLock> hold(lock_);
        lock_.waitUntil([&] { return outcomes_[row].done; });
    }

    int stop(int code) {
        std::lock_guard<SlimLock> hold(lock_);
        stopped_ = true;
        return code;
    }

    std::vector<RowOutcome> outcomes_;
    const RowWork& work_;
    SlimLock lock_;
    long next_ = 0;
    bool stopped_ = false;
    bool closed_ = false;
    int working_ = 0;
    std::atomic<int> holders_{1};   // the calling thread's
    std::atomic<int> nextWorker_{1};
};

// The pool's work object is closed without waiting: callbacks still pending run later, against
// the job they hold, while the pool keeps this library loaded for them.
struct PoolWorkTraits : pv::NullHandle<PTP_WORK> {
    static void close(PTP_WORK work) { CloseThreadpoolWork(work); }
};
using PoolWork = pv::UniqueResource<PoolWorkTraits>;

// Each helper takes the next worker number and the rows it can get.
void CALLBACK HelperCallback(PTP_CALLBACK_INSTANCE, void* context, PTP_WORK) {
    static_cast<RowJob*>(context)->workRows();
}

HMODULE ThisLibrary() {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&HelperCallback), &module);
    return module;
}

}  // namespace

// The calling thread closes the job however it leaves: helpers still decoding a row use the
// caller's work until then.
struct JobEnd {
    RowJob* job;
    ~JobEnd() { job->close(); }
};

int ForEachRow(long rows, int helpers, const RowWork& work, const RowReport& report,
               PTP_CALLBACK_ENVIRON environment) {
    TP_CALLBACK_ENVIRON pool;
    if (environment) {
        pool = *environment;
    } else {
        InitializeThreadpoolEnvironment(&pool);
    }
    SetThreadpoolCallbackLibrary(&pool, ThisLibrary());
    RowJob* job = new RowJob(rows, work);
    JobEnd end{job};
    PoolWork submitted(helpers > 0 ? CreateThreadpoolWork(HelperCallback, job, &pool) : nullptr);
    for (int i = 0; submitted && i < helpers; ++i) {
        job->hold();
        SubmitThreadpoolWork(submitted.get());
    }
    return job->run(report);
}

}  // namespace nif
