// A structured storage made in memory, and the same bytes opened again after a commit: what
// was created and written must read back from the reopened storage.
#pragma once

#include "NIFStorage.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

class RoundTrip : public ::testing::Test {
protected:
    void SetUp() override {
        NIFStorage* root = nullptr;
        ASSERT_EQ(0, NIFStorage::CreateOnMemory(&root));
        created_.reset(root);
    }

    std::unique_ptr<NIFStorage> Reopen() {
        EXPECT_EQ(0, created_->Commit());
        EXPECT_EQ(0, created_->GetBytes(&bytes_));
        NIFStorage* root = nullptr;
        EXPECT_EQ(0, NIFStorage::OpenOnMemory(bytes_.data(), bytes_.size(), &root));
        return std::unique_ptr<NIFStorage>(root);
    }

    std::unique_ptr<NIFStorage> created_;
    std::vector<uint8_t> bytes_;
};
