// The line as the host hears it: the camera's bytes arrive only when both ends run at one speed.
#include "Line.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

namespace pvsim {
namespace {

TEST(Line, OutputToAHostAtAnotherSpeedArrivesAsNoiseAndIsReportedOnce) {
    int ends[2];
    ASSERT_EQ(0, socketpair(AF_UNIX, SOCK_STREAM, 0, ends));
    Transcript transcript;
    Counters counters;
    Violations violations;
    std::atomic<bool> stop{false};
    unsigned hostSpeed = 57600;
    Line line(ends[0], [&] { return hostSpeed; }, LineEvidence{transcript, counters, violations}, stop);
    const uint8_t answer[2] = {0xD1, 0x00};
    uint8_t heard[2] = {};
    for (int i = 0; i < 2; ++i) {
        line.write(answer, 2);
        ASSERT_EQ(2, read(ends[1], heard, 2));
        EXPECT_FALSE(heard[0] == 0xD1 && heard[1] == 0x00) << "the host heard good bytes at the wrong speed";
    }
    ASSERT_EQ(1u, violations.list().size());
    EXPECT_EQ("host reads at 57600 baud while the camera sends at 9600", violations.list()[0]);
    hostSpeed = 9600;
    line.write(answer, 2);
    ASSERT_EQ(2, read(ends[1], heard, 2));
    EXPECT_EQ(0xD1, heard[0]);
    EXPECT_EQ(0x00, heard[1]);
    EXPECT_EQ(1u, violations.list().size());
    close(ends[0]);
    close(ends[1]);
}

}  // namespace
}  // namespace pvsim
