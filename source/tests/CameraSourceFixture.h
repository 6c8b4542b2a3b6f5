// The data source opened by the test application with the simulated camera on COM1, where the
// acquire module looks for it.
#pragma once

#include "AcquireModule.h"
#include "SimulatedCamera.h"
#include "SourceSession.h"

#include <memory>
#include <vector>

class CameraSourceTest : public SimulatedCameraTest {
protected:
    void SetUp() override {
        SimulatedCameraTest::SetUp();
        acquiretest::WritePreferences(1, 5);
        session = std::make_unique<sourcetest::SourceSession>();
        ASSERT_TRUE(session->app.loaded());
    }
    void TearDown() override {
        session.reset();
        acquiretest::WritePreferences(-1, 0);
        SimulatedCameraTest::TearDown();
    }
    TW_UINT16 Send(TW_UINT32 group, TW_UINT16 dat, TW_UINT16 message, void* pData) {
        return session->Send(group, dat, message, pData);
    }

    std::unique_ptr<sourcetest::SourceSession> session;
};

// The messages of the notifications, in order.
inline std::vector<TW_UINT16> Messages(const std::vector<TestDsmNotification>& notifications) {
    std::vector<TW_UINT16> messages;
    for (const TestDsmNotification& n : notifications) messages.push_back(n.message);
    return messages;
}
