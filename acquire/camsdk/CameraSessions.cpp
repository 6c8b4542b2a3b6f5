#include "CameraSessions.h"

#include <map>
#include <memory>

namespace {

constexpr DWORD kSpeeds[] = {9600, 19200, 38400, 57600, 115200};
constexpr int kLastPort = 8;          // pvhost serves COM1 to COM8
constexpr DWORD kPortStep = 586;      // OpenCamera's step texts: open the port, ...
constexpr DWORD kStatusStep = 589;    // ... read the status at the new speed

std::map<uint32_t, std::unique_ptr<CameraSession>>& Sessions() {
    static std::map<uint32_t, std::unique_ptr<CameraSession>> sessions;
    return sessions;
}

uint32_t NextSessionNumber() {
    static uint32_t last = 0;
    return ++last;
}

// Notes the step of OpenCamera that failed, so that the search knows what to try next.
DWORD CALLBACK NoteFailedStep(ULONG_PTR user, DWORD text, DWORD, DWORD state) {
    if (state == kStepFailed) *reinterpret_cast<DWORD*>(user) = text;
    return 0;
}

enum class Attempt { kConnected, kNextSpeed, kNextPort };

Attempt TryOpen(int port, DWORD baud, CameraSession* session) {
    DWORD failedStep = 0;
    try {
        session->camera.reset(OpenCamera(DWORD(port - 1), baud, 1, NoteFailedStep, reinterpret_cast<ULONG_PTR>(&failedStep)));
    } catch (const CCameraException&) {
        return failedStep == kStatusStep ? Attempt::kNextSpeed : Attempt::kNextPort;
    }
    if (!session->camera) return Attempt::kNextPort;
    session->baud = baud;
    return Attempt::kConnected;
}

bool Writable(const PvConnection* connection) { return connection && !IsBadWritePtr(const_cast<PvConnection*>(connection), sizeof *connection); }

}  // namespace

int16_t StatusOf(DWORD cameraResult) {
    switch (cameraResult) {
    case kCamOk: return kPvOk;
    case kCamOutOfMemory: return kPvOutOfMemory;
    case kCamCancelled: return kPvCancelled;
    case kCamBadArgument: return kPvBadArgument;
    case kCamPortOpenFailed:
    case kCamNotConnected: return kPvNotFound;
    default: return kPvLinkFailed;
    }
}

int16_t OpenSession(PvConnection* connection) {
    if (!Writable(connection)) return kPvBadArgument;
    CloseSession(connection);
    int firstPort = connection->port, lastPort = connection->port;
    if (connection->port == 0) {
        firstPort = 1;
        lastPort = kLastPort;
    } else if (connection->port < 0 || connection->port > 9) {
        return kPvBadArgument;
    }
    std::vector<DWORD> speeds;
    if (connection->speed == 0) {
        speeds.assign(std::rbegin(kSpeeds), std::rend(kSpeeds));
    } else if (connection->speed >= 1 && connection->speed <= 5) {
        speeds.push_back(kSpeeds[connection->speed - 1]);
    } else {
        return kPvBadArgument;
    }
    auto session = std::make_unique<CameraSession>();
    for (int port = firstPort; port <= std::min(lastPort, kLastPort); ++port) {
        for (DWORD baud : speeds) {
            Attempt attempt = TryOpen(port, baud, session.get());
            if (attempt == Attempt::kNextPort) break;
            if (attempt == Attempt::kNextSpeed) continue;
            uint32_t number = NextSessionNumber();
            Sessions()[number] = std::move(session);
            connection->session = number;
            connection->portInUse = port;
            return kPvOk;
        }
    }
    return kPvNotFound;
}

CameraSession* FindSession(const PvConnection* connection) {
    if (!Writable(connection)) return nullptr;
    auto found = Sessions().find(connection->session);
    return found == Sessions().end() ? nullptr : found->second.get();
}

bool CloseSession(PvConnection* connection) {
    if (!FindSession(connection)) return false;
    Sessions().erase(connection->session);
    connection->session = 0;
    connection->portInUse = 0;
    return true;
}
