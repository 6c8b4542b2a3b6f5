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

class RowJob {
public:
    RowJob(long rows, const RowWork& work) : outcomes_(rows), work_(work) {}
    RowJob(const RowJob&) = delete;
    RowJob& operator=(const RowJob&) = delete;

    void workRows() {
        const int worker = nextWorker_.fetch_add(1);
        for (long row; (row = take()) >= 0;) finish(row, workRow(worker, row));
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
    std::atomic<int> nextWorker_{1};
};

// The pool's work object, waited for before it is closed. A helper decodes at most the row it
// holds before it finds none left; one that a busy pool has not started yet would find none: it
// is cancelled rather than waited for.
struct PoolWorkTraits : pv::NullHandle<PTP_WORK> {
    static void close(PTP_WORK work) {
        WaitForThreadpoolWorkCallbacks(work, TRUE);
        CloseThreadpoolWork(work);
    }
};
using PoolWork = pv::UniqueResource<PoolWorkTraits>;

// Each helper takes the next worker number and the rows it can get.
void CALLBACK HelperCallback(PTP_CALLBACK_INSTANCE, void* context, PTP_WORK) {
    static_cast<RowJob*>(context)->workRows();
}

}  // namespace

// The pool's work object goes before the job: its callbacks have returned by then, so nothing of
// the module runs on after the last row.
int ForEachRow(long rows, int helpers, const RowWork& work, const RowReport& report,
               PTP_CALLBACK_ENVIRON environment) {
    RowJob job(rows, work);
    PoolWork pool(helpers > 0 ? CreateThreadpoolWork(HelperCallback, &job, environment) : nullptr);
    for (int i = 0; pool && i < helpers; ++i) SubmitThreadpoolWork(pool.get());
    return job.run(report);
}

}  // namespace nif
