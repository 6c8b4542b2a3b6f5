// The camera's command loop: takes command blocks off the line, applies armed faults and runs the
// command's handler under the camera lock (which the exchange lets go while bytes cross the line).
#pragma once

#include "CommandBlock.h"
#include "Exchange.h"

#include <functional>
#include <map>
#include <mutex>

namespace pvsim {

using Handler = std::function<void(Exchange&, const CommandBlock&)>;
using HandlerTable = std::map<uint8_t, Handler>;

class Engine {
public:
    Engine(Line& line, FaultPlan& faults, LineEvidence evidence, std::mutex& cameraLock)
        : line_(line), faults_(faults), ev_(evidence), cameraLock_(cameraLock) {}

    void setHandlers(HandlerTable table) { handlers_ = std::move(table); }
    void setResetHandler(std::function<void()> onReset) { onReset_ = std::move(onReset); }
    Timing& timing() { return timing_; }

    // Serves at most one command; returns after idleMs without a byte.
    void serveOnce(int idleMs);

private:
    bool readBlock(CommandBlock& block, int idleMs);
    void run(const CommandBlock& block);

    Line& line_;
    FaultPlan& faults_;
    LineEvidence ev_;
    std::mutex& cameraLock_;
    HandlerTable handlers_;
    std::function<void()> onReset_;
    Timing timing_;
};

}  // namespace pvsim
