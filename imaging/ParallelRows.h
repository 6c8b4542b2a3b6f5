// The tile rows of a region shared out between the calling thread and helper threads from the
// process's thread pool, with what each row brings (its failure, the progress callback's answer)
// taken on the calling thread in row order, as if the rows had been decoded one after another.
#pragma once

#include <windows.h>

#include <functional>

namespace nif {

// Decodes one row; worker 0 is the calling thread, 1 to helpers the helper threads. Answers
// NIF_OK, or a code recorded with nif::Fail on the worker's own thread.
using RowWork = std::function<int(int worker, long row)>;
// Asked on the calling thread after each row has been decoded, in row order; any other answer
// than NIF_OK ends the rows with it.
using RowReport = std::function<int(long row)>;

// Rows are handed out in order, one at a time, to whichever worker is free, and no more after
// a failure. Answers NIF_OK, or the first failure in row order (a worker's is recorded again
// on the calling thread); an exception of a row's work is that row's failure. Helpers come from
// the process's thread pool, or from the pool of environment when one is given; a helper that
// has not started by the time the calling thread has done every row is not waited for: it finds
// the job closed when it starts. No helper is left working on a row when it returns.
int ForEachRow(long rows, int helpers, const RowWork& work, const RowReport& report,
               PTP_CALLBACK_ENVIRON environment = nullptr);

}  // namespace nif
