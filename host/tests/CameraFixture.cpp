#include "CameraFixture.h"

#include <sstream>
#include <vector>

void CameraTest::SetUp() {
    key.set("LockDelay", 0);
    key.set("Timeout", 300);
    auto s = peer.startSimulator(kCom, 1, "--no-throttle");
    sim = std::make_unique<pvtest::PeerClient>(s.control);
    card = s.cardDir;
}

void CameraTest::TearDown() {
    DestroyCamera(camera);
    camera = nullptr;
    EXPECT_EQ(0, Violations()) << Sim("violations");
    peer.stopSimulator(kCom);
}

CSerialCamera* CameraTest::Open(DWORD speed) {
    try {
        camera = OpenCamera(kPort, speed, 1, nullptr, 0);
    } catch (const MounterException& e) {
        char text[256];
        e.GetErrorText(text, sizeof text);
        ADD_FAILURE() << "the camera could not be opened: " << text;
        return nullptr;
    }
    HostBytes();
    return camera;
}

std::string CameraTest::HostBytes() {
    std::istringstream in(Sim("transcript clear"));
    std::string segment, host;
    cameraBytes_.clear();
    while (in >> segment) {
        if (segment.rfind("H:", 0) == 0) host += segment.substr(2);
        if (segment.rfind("C:", 0) == 0) cameraBytes_ += segment.substr(2);
    }
    return host;
}

int CameraTest::Violations() { return std::stoi(Sim("violations")); }

std::string CameraTest::CardPath(const std::string& relative) const {
    std::string path = card + "\\" + relative;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

void CameraTest::PutCardFile(const std::string& relative, size_t size, unsigned char fill) {
    pv::UniqueHandle h(CreateFileA(CardPath(relative).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    ASSERT_TRUE(h) << relative;
    std::vector<unsigned char> bytes(size);
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<unsigned char>(fill + i * 13);
    DWORD written = 0;
    if (size) WriteFile(h.get(), bytes.data(), static_cast<DWORD>(size), &written, nullptr);
}

std::string Hex(const BYTE* data, size_t size) {
    static const char digits[] = "0123456789ABCDEF";
    std::string s;
    for (size_t i = 0; i < size; ++i) {
        s += digits[data[i] >> 4];
        s += digits[data[i] & 15];
    }
    return s;
}
