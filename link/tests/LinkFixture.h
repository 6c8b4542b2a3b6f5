// A COM port played by the Linux-side peer, with the link's registry key under the test's control.
#pragma once

#include "PeerClient.h"
#include "RegistryFixture.h"
#include "pvlink.h"

#include <gtest/gtest.h>

#include <chrono>

// The test's port: COM1 for the Windows side, port number 0 for the link library.
constexpr DWORD kPort = 0;
constexpr int kCom = 1;

class LinkTest : public ::testing::Test {
protected:
    void SetUp() override {
        key.set("LockDelay", 0);   // the delay has tests of its own
        peer.openPort(kCom);
    }
    void TearDown() override {
        // Give back every open of this test: a deferred close answers 0 with location 0.
        for (DWORD port = 0; port < 8; ++port)
            for (int i = 0; i < 8 && CommClose(port) == 0 && Location(port) == kLocSuccess; ++i) {
            }
        peer.closePort(kCom);
    }

    static DWORD Location(DWORD port = kPort) {
        DWORD location = 0xFFFF;
        CommGetStatus(port, nullptr, nullptr, nullptr, &location);
        return location;
    }

    pvtest::ScopedLinkKey key;
    pvtest::PeerClient peer;
};

// Milliseconds that a call takes.
template <class F>
long long ElapsedMs(F&& f) {
    auto start = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start)
        .count();
}
