// A camera simulator on COM1 with a fresh card image, and helpers to read what crossed the line.
#pragma once

#include "PeerClient.h"
#include "RegistryFixture.h"
#include "SerialCamera.h"
#include "UniqueHandle.h"
#include "pvhost.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

constexpr DWORD kPort = 0;
constexpr int kCom = 1;

class CameraTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Opens the camera through OpenCamera (reset, speed change, status).
    CSerialCamera* Open(DWORD speed = 115200);
    std::string Sim(const std::string& command) { return sim->command(command); }
    // Everything the host sent since the last call, as one hex string; the same for the camera.
    std::string HostBytes();
    std::string CameraBytes() { return cameraBytes_; }
    // The number of protocol violations the simulator saw (none is the rule).
    int Violations();
    // Writes a file of the given size into the card image (path relative to the card folder).
    void PutCardFile(const std::string& relative, size_t size, unsigned char fill = 0x5A);
    std::string CardPath(const std::string& relative) const;

    pvtest::ScopedLinkKey key;
    pvtest::PeerClient peer;
    std::unique_ptr<pvtest::PeerClient> sim;
    std::string card;
    CSerialCamera* camera = nullptr;

private:
    std::string cameraBytes_;
};

// Hex of bytes, for comparing with transcripts.
std::string Hex(const BYTE* data, size_t size);
