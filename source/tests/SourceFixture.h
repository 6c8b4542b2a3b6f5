// The data source opened by the test application, without a camera: the acquire module's port
// points at COM2, where nothing answers.
#pragma once

#include "AcquireModule.h"
#include "SourceSession.h"

#include <gtest/gtest.h>

class SourceTest : public ::testing::Test {
protected:
    void SetUp() override {
        acquiretest::WritePreferences(2, 5);
        session = std::make_unique<sourcetest::SourceSession>();
        ASSERT_TRUE(session->app.loaded()) << "the tests' TWAIN_32.DLL did not load (DLL override twain_32=n)";
        ASSERT_TRUE(session->Open());
    }
    void TearDown() override {
        session.reset();
        acquiretest::WritePreferences(-1, 0);
    }
    TW_UINT16 Direct(TW_IDENTITY* origin, TW_UINT32 group, TW_UINT16 dat, TW_UINT16 message, void* pData) {
        return session->DirectEntry()(origin, group, dat, message, pData);
    }
    TW_UINT16 Send(TW_UINT32 group, TW_UINT16 dat, TW_UINT16 message, void* pData) {
        return session->Send(group, dat, message, pData);
    }
    TW_UINT16 ConditionCode() { return session->app.ConditionCode(); }

    std::unique_ptr<sourcetest::SourceSession> session;
};
