// Opening and closing the card's view many times, in the list and in thumbnails, leaves the
// process's handles, GDI objects and windows where they were.
#include "ThumbViewFixture.h"

#include "GdiObject.h"
#include "ProcessCounts.h"
#include "UniqueHandle.h"

#include <cstdio>
#include <cstdlib>

using namespace viewtest;

namespace {

constexpr int kCycles = 200;
// Cycles before the first count: what the first views load once (classes, fonts, icons) stays.
constexpr int kWarmUpCycles = 3;
// What may come and go between two counts without a view being the cause (the runtime's and the
// test's own threads and sockets).
constexpr int kMargin = 4;

class ShellViewLeakTest : public ThumbViewTest {
protected:
    // One open and close of the card's view; every other one switches it to thumbnails.
    void Cycle(TestBrowser& host, int n) {
        ASSERT_EQ(S_OK, OpenView(CardFolder(), host)) << "cycle " << n;
        ASSERT_EQ(S_OK, view->UIActivate(SVUIA_ACTIVATE_FOCUS));
        if (n % 2) {
            Command(host, 1032);
            ASSERT_TRUE(ThumbnailsOf(host.Frame())) << "cycle " << n;
        }
        PumpMessages(0);
        ASSERT_EQ(S_OK, view->UIActivate(SVUIA_DEACTIVATE));
        ASSERT_EQ(S_OK, CloseView()) << "cycle " << n;
        PumpMessages(0);
    }
};

}  // namespace

TEST(ProcessCountsTest, EachKindOfResourceIsCounted) {
    // The thread's first window brings the windows a thread gets once (Wine's input method window).
    pv::UniqueWindow first(CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr));
    pvtest::ProcessResources before = pvtest::CountProcessResources();
    pv::UniqueHandle event(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    pv::GdiBrush brush(CreateSolidBrush(RGB(1, 2, 3)));
    pv::UniqueWindow window(CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr));
    pv::UniqueWindow child(CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 5, 5, window.get(), nullptr, nullptr, nullptr));
    pvtest::ProcessResources during = pvtest::CountProcessResources();
    EXPECT_EQ(before.handles + 1, during.handles);
    EXPECT_EQ(before.gdiObjects + 1, during.gdiObjects);
    EXPECT_EQ(before.windows + 2, during.windows);
}

TEST_F(ShellViewLeakTest, TwoHundredViewsLeaveHandlesGdiObjectsAndWindowsFlat) {
    TestBrowser& host = NewBrowser();
    for (int n = 0; n < kWarmUpCycles; ++n) ASSERT_NO_FATAL_FAILURE(Cycle(host, n));
    pvtest::ProcessResources before = pvtest::CountProcessResources();
    ULONGLONG start = GetTickCount64();
    for (int n = 0; n < kCycles; ++n) ASSERT_NO_FATAL_FAILURE(Cycle(host, n));
    pvtest::ProcessResources after = pvtest::CountProcessResources();
    std::printf("%d views opened and closed in %llu ms: before %s; after %s\n", kCycles, GetTickCount64() - start,
                before.Text().c_str(), after.Text().c_str());
    EXPECT_LE(std::abs(after.handles - before.handles), kMargin);
    EXPECT_LE(std::abs(after.gdiObjects - before.gdiObjects), kMargin);
    EXPECT_EQ(before.windows, after.windows);
}
