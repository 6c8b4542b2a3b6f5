#include "ToolkitState.h"

#include "ImageHandle.h"

#include <algorithm>
#include <cwchar>
#include <new>

namespace nif {
namespace {

ToolkitState* g_state = nullptr;

int DecodeThreads() {
    wchar_t text[16];
    const DWORD length = GetEnvironmentVariableW(L"PV_DECODE_THREADS", text, 16);
    if (length > 0 && length < 16) {
        const long n = std::wcstol(text, nullptr, 10);
        if (n >= 1 && n <= ToolkitState::kMaxDecodeThreads) return static_cast<int>(n);
    }
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    return std::clamp(static_cast<int>(system.dwNumberOfProcessors), 1, ToolkitState::kMaxDecodeThreads);
}

}  // namespace

ToolkitState* ToolkitState::Get() { return g_state; }

bool ToolkitState::Start() {
    if (g_state) return true;
    auto* state = new (std::nothrow) ToolkitState;
    if (!state) return false;
    HRESULT hr = OleInitialize(nullptr);
    state->oleStarted_ = SUCCEEDED(hr);
    if (FAILED(hr) && hr != RPC_E_CHANGED_MODE) {
        delete state;
        return false;
    }
    state->decodeThreads_ = DecodeThreads();
    g_state = state;
    return true;
}

void ToolkitState::Stop() {
    delete g_state;
    g_state = nullptr;
}

ToolkitState::~ToolkitState() {
    for (NIFHandle* h : handles_) delete h;
    if (oleStarted_) OleUninitialize();
}

const NIFColorConv* ToolkitState::converter(NIF_COCO_TYPE type) {
    std::unique_ptr<NIFColorConv>& slot = type == NIF_COCO_YCC_TO_RGB ? yccToRgb_ : rgbToYcc_;
    if (!slot) slot.reset(new (std::nothrow) NIFColorConv(type));
    return slot.get();
}

// Closed records are kept so that late calls are answered; past a limit the oldest of them go,
// and a call with one of those is answered as a foreign handle.
void ToolkitState::adopt(NIFHandle* handle) {
    constexpr size_t kKeptRecords = 4096;
    if (handles_.size() >= kKeptRecords) {
        auto closed = std::stable_partition(handles_.begin(), handles_.end(), [](NIFHandle* h) { return h->open; });
        for (auto it = closed; it != handles_.end(); ++it) delete *it;
        handles_.erase(closed, handles_.end());
    }
    handles_.push_back(handle);
}

bool ToolkitState::owns(const NIFHandle* handle) const {
    return std::find(handles_.begin(), handles_.end(), handle) != handles_.end();
}

}  // namespace nif
