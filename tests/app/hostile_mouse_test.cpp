// The window over a simulated mouse that misbehaves: one that floods its
// event collection, one that stops answering in the middle of an apply, and
// one whose cable is pulled at every transfer of an apply.
#include <QElapsedTimer>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "main_window_fixture.h"

namespace kz7 {
namespace {

using namespace kz7::testing;
using namespace std::chrono_literals;

const Shown kDetected{"Info", "The system detect the gaming mouse.", 100};
const Shown kNotDetected{"Warning", "The system did not detect the gaming mouse!", 100};

// The process's resident memory, from /proc.
long ResidentKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    }
    return -1;
}

bool ShownStartingWith(const std::vector<Shown>& shown, const std::string& start) {
    return std::any_of(shown.begin(), shown.end(), [&](const Shown& s) { return s.text.rfind(start, 0) == 0; });
}

class HostileMouseTest : public MainWindowTest {
protected:
    // A click on the other page's tab, posted as the system posts it, and
    // the time until the window has changed pages.
    double ClickLatencyMs() {
        const bool onBasic = window->CurrentPage() == MainWindow::kBasicPage;
        const QPointF at = Centre(onBasic ? frame::kAdvancedTab : frame::kBasicTab);
        const MainWindow::Page expected = onBasic ? MainWindow::kAdvancedPage : MainWindow::kBasicPage;
        const QPointF global = window->mapToGlobal(at);
        QElapsedTimer clock;
        clock.start();
        QCoreApplication::postEvent(window.get(), new QMouseEvent(QEvent::MouseButtonPress, at, global, Qt::LeftButton,
                                                                  Qt::LeftButton, Qt::NoModifier));
        QCoreApplication::postEvent(window.get(), new QMouseEvent(QEvent::MouseButtonRelease, at, global,
                                                                  Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
        EXPECT_TRUE(SpinUntil([&] { return window->CurrentPage() == expected; }, 10s)) << "the click was never handled";
        return static_cast<double>(clock.nsecsElapsed()) / 1e6;
    }
};

// At least 100 000 event reports in two seconds, of every kind the window
// shows, of kinds it ignores and of another report ID, with the cable pulled
// and put back in the middle. The time a click takes is printed, not checked.
TEST_F(HostileMouseTest, AFloodingMouseLeavesTheQueueShortAndEveryKindShown) {
    traceWire = false;  // a trace of every report would be the test's own memory growth
    Start();
    ASSERT_TRUE(NotifiedWith(kDetected));
    // Both pages drawn once first, so that loading their images does not count as the flood's memory.
    ClickLatencyMs();
    ClickLatencyMs();
    std::vector<double> quiet;
    for (int i = 0; i < 20; ++i) quiet.push_back(ClickLatencyMs());
    std::sort(quiet.begin(), quiet.end());
    notifier.shown.clear();
    const long memoryBefore = ResidentKilobytes();

    const std::vector<std::array<std::uint8_t, 4>> reports = {
        {6, 7, 0, 1}, {6, 5, 0, 2}, {6, 8, 0, 1}, {6, 9, 0, 3},  // DPI stage, rate, key matrix, macro key
        {6, 7, 0, 2}, {6, 5, 0, 8}, {6, 8, 0, 2}, {6, 9, 0, 7},
        {6, 7, 0, 9}, {6, 5, 0, 3}, {6, 8, 0, 3}, {6, 9, 0, 0},  // values nothing is shown for
        {6, 6, 0, 1}, {6, 0, 0, 0}, {5, 7, 0, 1}, {0, 0, 0, 0},  // codes and IDs the window ignores
    };
    constexpr std::size_t kReports = 120000;
    constexpr auto kFlood = 2000ms;
    QElapsedTimer clock;
    clock.start();
    mouse->StartFlood(reports, kReports, kFlood);

    std::vector<double> latencies;
    bool unplugged = false;
    bool pluggedAgain = false;
    std::vector<Shown> beforeUnplug;
    while (clock.elapsed() < kFlood.count()) {
        if (!unplugged && clock.elapsed() >= 1200) {
            beforeUnplug = notifier.shown;
            mouse->Unplug();
            unplugged = true;
        } else if (unplugged && !pluggedAgain && clock.elapsed() >= 1500) {
            mouse->PlugIn();
            pluggedAgain = true;
        } else if (!unplugged) {
            latencies.push_back(ClickLatencyMs());
        }
        SpinFor(15ms);
    }
    mouse->WaitForFlood();
    const double floodSeconds = static_cast<double>(clock.elapsed()) / 1000.0;
    // What the last batch holds comes within one pacing interval.
    SpinFor(std::chrono::milliseconds(3 * window->EventPacingMs()));
    const double seconds = static_cast<double>(clock.elapsed()) / 1000.0;
    const long memoryAfter = ResidentKilobytes();

    const VirtualMouse::EventCounts sent = mouse->EventReports();
    const DeviceEventQueue::Counts queue = window->EventQueue().counts();
    std::sort(latencies.begin(), latencies.end());
    const double median = latencies.empty() ? 0 : latencies[latencies.size() / 2];
    const double worst = latencies.empty() ? 0 : latencies.back();
    std::printf("[ flood    ] %zu reports sent in %.2f s (%.0f/s); %zu dropped by the 64-report input buffer\n",
                sent.sent, floodSeconds, static_cast<double>(sent.sent) / floodSeconds, sent.dropped);
    std::printf("[ flood    ] %zu events with a notification reached the window's queue (%.0f/s), "
                "%zu replaced by newer ones, %zu dropped; at most %zu waiting (capacity %zu)\n",
                queue.pushed, static_cast<double>(queue.pushed) / floodSeconds, queue.replaced, queue.dropped,
                queue.mostWaiting, DeviceEventQueue::kCapacity);
    std::printf("[ flood    ] %zu notifications shown; click handled in %.2f ms (median of %zu), %.2f ms at worst; "
                "%.2f ms (median of %zu) without the flood\n",
                notifier.shown.size(), median, latencies.size(), worst, quiet[quiet.size() / 2], quiet.size());
    std::printf("[ flood    ] resident memory %ld kB before, %ld kB after (%+ld kB)\n", memoryBefore, memoryAfter,
                memoryAfter - memoryBefore);

    EXPECT_GE(sent.sent, 100000u);
    EXPECT_GT(queue.pushed, 1000u) << "the listener hardly heard the flood";
    // Bounded: at most one report of each kind on either side of the unplug and the plug, and nothing lost.
    EXPECT_LE(queue.mostWaiting, 16u);
    EXPECT_EQ(queue.dropped, 0u);
    // Shown at most once per pacing interval, so the desktop is not flooded either.
    const double batches = seconds * 1000.0 / window->EventPacingMs() + 2;
    EXPECT_LE(static_cast<double>(notifier.shown.size()), batches * 6);
#ifndef __SANITIZE_ADDRESS__  // AddressSanitizer keeps freed memory in quarantine: resident memory grows there
    EXPECT_LT(memoryAfter - memoryBefore, 8 * 1024);
#endif
    EXPECT_FALSE(latencies.empty());

    // Every kind was still shown, and the unplug and the plug in their order.
    for (const char* kind : {"Switch DPI into the ", "Switch report rate into ", "Switch to key matrix ",
                             "Switch to macro key"}) {
        EXPECT_TRUE(ShownStartingWith(beforeUnplug, kind)) << kind;
    }
    const auto unplug = std::find(notifier.shown.begin(), notifier.shown.end(), kNotDetected);
    ASSERT_NE(unplug, notifier.shown.end());
    EXPECT_NE(std::find(unplug, notifier.shown.end(), kDetected), notifier.shown.end());
    const std::vector<Shown> afterPlug(std::find(unplug, notifier.shown.end(), kDetected), notifier.shown.end());
    EXPECT_TRUE(ShownStartingWith(afterPlug, "Switch DPI into the ")) << "the mouse plugged in again is heard";
    EXPECT_TRUE(link->devicePresent);
}

// The mouse stops answering at the 41st transfer of an Apply: that transfer
// waits for the kernel's timeout (300 ms here), the rest are skipped, and the
// user is told; the record is saved.
TEST_F(HostileMouseTest, AMouseThatStopsAnsweringMidApplyCostsOneTransferAndIsTold) {
    Start();
    model.config.reportRate = 2;
    const int before = mouse->TransferCount();
    mouse->StallAtTransfer(40, 300ms);
    QElapsedTimer clock;
    clock.start();
    window->ClickAt(Centre(frame::kApply));
    std::printf("[ stall    ] Apply on a mouse silent from transfer 41 returned after %lld ms "
                "(one unanswered transfer of 300 ms)\n",
                static_cast<long long>(clock.elapsed()));

    EXPECT_EQ(mouse->TransferCount() - before, 41);
    EXPECT_EQ(prompter.messages,
              (std::vector<RecordingPrompter::Message>{{std::string(kMouseStoppedMessage), "Warning"}}));
    EXPECT_TRUE(window->isVisible());
    const auto saved = SavedImage();
    ASSERT_TRUE(saved);
    EXPECT_TRUE(SameBytes(saved->config, model.config));
    EXPECT_TRUE(SameBytes(model.appliedConfig, model.config));

    // Once the mouse answers again, OK takes the whole record to it.
    mouse->StallAtTransfer(-1, 0ms);
    prompter.messages.clear();
    window->ClickAt(Centre(frame::kOk));
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_EQ(mouse->Snapshot().status[1], 2);
    EXPECT_FALSE(window->isVisible());
}

// The cable is pulled at every transfer of an apply started from the window
// in turn (OK and Apply by turns): the window ends hidden, says the mouse is
// gone and that the apply did not reach it all, has config.bin whole and
// saved, and takes the mouse back when it is plugged in again.
TEST_F(HostileMouseTest, UnpluggingAtEveryTransferOfAnApplyLeavesTheWindowConsistent) {
    eventPacingMs = 0;  // two notifications a round, held back by nothing here
    Start();
    int transfersOfOneApply = 0;
    {
        const int before = mouse->TransferCount();
        window->ClickAt(Centre(frame::kApply));
        transfersOfOneApply = mouse->TransferCount() - before;
    }
    ASSERT_GT(transfersOfOneApply, 100);
    std::printf("[ unplug   ] an apply is %d transfers; the cable is pulled at each in turn\n", transfersOfOneApply);

    for (int at = 0; at < transfersOfOneApply; ++at) {
        const bool ok = at % 2 == 1;
        SCOPED_TRACE(std::string(ok ? "OK" : "Apply") + ", unplugged at transfer " + std::to_string(at));
        model.config.reportRate = ok ? 2 : 4;
        model.config.dpiLevel[0] = static_cast<std::uint8_t>(at % 10 + 1);
        notifier.shown.clear();
        prompter.messages.clear();
        mouse->UnplugAtTransfer(at);
        window->ClickAt(Centre(ok ? frame::kOk : frame::kApply));

        EXPECT_TRUE(NotifiedWith(kNotDetected));
        EXPECT_FALSE(window->isVisible());
        EXPECT_FALSE(link->devicePresent);
        EXPECT_EQ(prompter.messages,
                  (std::vector<RecordingPrompter::Message>{{std::string(kMouseStoppedMessage), "Warning"}}));
        const auto saved = SavedImage();  // exactly 2022 bytes, or it would not read
        ASSERT_TRUE(saved);
        EXPECT_EQ(saved->firstRunFlag, 1);
        EXPECT_TRUE(SameBytes(saved->config, model.config));
        EXPECT_TRUE(SameBytes(model.appliedConfig, model.config));

        // Plugged in again, the mouse is taken back and the window opens on it.
        mouse->PlugIn();
        EXPECT_TRUE(NotifiedWith(kDetected));
        EXPECT_TRUE(link->devicePresent);
        window->OnTrayLeftClick();
        EXPECT_TRUE(window->isVisible());
        EXPECT_EQ(window->CurrentPage(), MainWindow::kBasicPage);
    }
}

}  // namespace
}  // namespace kz7
