// Counts the global memory blocks that some modules of this process allocate and free, for leak
// checks (Wine's heap says nothing per block): while the counter lives, the modules' imports of
// GlobalAlloc and GlobalFree lead through it (a block that GlobalReAlloc moves stays one block).
// One counter at a time.
#pragma once

#include <windows.h>

#include <vector>

namespace pvtest {

class GlobalBlockCounter {
public:
    explicit GlobalBlockCounter(std::vector<HMODULE> modules);
    ~GlobalBlockCounter();
    GlobalBlockCounter(const GlobalBlockCounter&) = delete;
    GlobalBlockCounter& operator=(const GlobalBlockCounter&) = delete;

    // Whether every module's imports were found and redirected.
    bool attached() const { return attached_; }
    // Blocks allocated less blocks freed by the modules since the counter started.
    int outstanding() const;

private:
    std::vector<HMODULE> modules_;
    bool attached_ = false;
};

}  // namespace pvtest
