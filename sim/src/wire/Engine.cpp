#include "Engine.h"

#include "Codes.h"
#include "HexCodec.h"

namespace pvsim {

void Engine::serveOnce(int idleMs) {
    try {
        CommandBlock block;
        if (readBlock(block, idleMs)) run(block);
    } catch (const LineReset&) {
        std::lock_guard g(cameraLock_);
        if (onReset_) onReset_();
    }
    line_.endCommand();
}

// Reads 8 bytes as a block. When they do not end with 0x1A the first byte is reported as stray and
// dropped, so that the loop finds the next real block again.
bool Engine::readBlock(CommandBlock& block, int idleMs) {
    auto first = line_.readByte(idleMs);
    if (!first) return false;
    block.raw[0] = *first;
    size_t n = 1 + line_.read(block.raw.data() + 1, code::kBlockSize - 1, timing_.gapMs);
    if (n < code::kBlockSize) {
        ev_.violations.report("incomplete command block " + pvpty::encodeHex(block.raw.data(), n));
        return false;
    }
    if (!block.framed()) {
        ev_.violations.report("stray byte " + pvpty::encodeHex(block.raw.data(), 1) + " outside a command");
        line_.unread(block.raw.data() + 1, code::kBlockSize - 1);
        return false;
    }
    return true;
}

void Engine::run(const CommandBlock& block) {
    ev_.counters.blocks++;
    if (auto defect = block.defect(); !defect.empty()) ev_.violations.report(defect);
    long silence = faults_.silence(block.code());
    if (silence >= 0) line_.silenceAfter(silence);
    Exchange ex(line_, faults_, ev_, timing_);
    if (auto answer = faults_.blockAnswer(block.code())) {
        ex.answer(*answer);
        return;
    }
    auto it = handlers_.find(block.code());
    if (it == handlers_.end()) {
        ev_.violations.report("unknown command " + pvpty::encodeHex(block.raw.data(), 1));
        ex.answer(code::kRejected);
        return;
    }
    std::unique_lock held(cameraLock_);
    ex.releaseWhileWaiting(held);
    it->second(ex, block);
}

}  // namespace pvsim
