#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "app/app_options.h"
#include "app/notifier.h"
#include "app/sim_schedule.h"
#include "app/single_instance.h"
#include "qt_app_fixture.h"

namespace kz7 {
namespace {

using namespace std::chrono_literals;
using Action = SimStep::Action;

TEST(SimSchedule, ParsesStepsInTimeOrder) {
    std::string why;
    const auto steps = ParseSimSchedule(" 4s unplug, 1.5s event 7 2,300ms event 0x09 12 ;6 plug", &why);
    ASSERT_TRUE(steps) << why;
    const std::vector<SimStep> expected = {
        {300ms, Action::Event, 9, 12},
        {1500ms, Action::Event, 7, 2},
        {4000ms, Action::Unplug, 0, 0},
        {6000ms, Action::Plug, 0, 0},
    };
    EXPECT_EQ(*steps, expected);
    EXPECT_TRUE(ParseSimSchedule("", &why)->empty());
}

TEST(SimSchedule, RefusesMalformedSteps) {
    for (const char* text : {"unplug", "2s", "2s jump", "2s event 7", "2s event 7 256",
                             "2s event x 1", "-1s plug", "2h plug", "2s unplug now", "1s plug,,x"}) {
        std::string why;
        EXPECT_FALSE(ParseSimSchedule(text, &why)) << text;
        EXPECT_FALSE(why.empty()) << text;
    }
}

ParsedOptions Parse(std::initializer_list<const char*> args) {
    QStringList list{QStringLiteral("kz7")};
    for (const char* arg : args) list << QString::fromUtf8(arg);
    return ParseAppOptions(list);
}

TEST(AppOptions, ReadsTheSimulationAndDataOptions) {
    const ParsedOptions parsed =
        Parse({"--simulate", "--sim-sensor", "2", "--sim-schedule", "1s event 5 1", "--data-dir",
               "/tmp/x", "--key", "0a0b0c0d0e0f", "--web-link", "https://example.org", "--no-tray"});
    ASSERT_EQ(parsed.outcome, ParseOutcome::Run) << parsed.message.toStdString();
    EXPECT_TRUE(parsed.options.simulate);
    EXPECT_EQ(parsed.options.simSensorType, 2);
    ASSERT_EQ(parsed.options.simSchedule.size(), 1u);
    EXPECT_EQ(parsed.options.simSchedule[0].code, 5);
    EXPECT_EQ(parsed.options.dataDir, "/tmp/x");
    EXPECT_EQ(parsed.options.key, "0a0b0c0d0e0f");
    EXPECT_EQ(parsed.options.webLink, QStringLiteral("https://example.org"));
    EXPECT_TRUE(parsed.options.noTray);
}

TEST(AppOptions, VersionPrintsTheProjectVersion) {
    const ParsedOptions parsed = Parse({"--version"});
    EXPECT_EQ(parsed.outcome, ParseOutcome::ExitOk);
    EXPECT_EQ(parsed.message, QStringLiteral("kz7 " KZ7_PROJECT_VERSION));
}

TEST(AppOptions, HelpExitsWithSuccessAndErrorsSayWhy) {
    EXPECT_EQ(Parse({"--help"}).outcome, ParseOutcome::ExitOk);
    EXPECT_TRUE(Parse({"--help"}).message.contains(QStringLiteral("--sim-schedule")));
    for (auto args : {std::initializer_list<const char*>{"--sim-schedule", "1s plug"},
                      {"--simulate", "--sim-schedule", "soon plug"},
                      {"--simulate", "--sim-sensor", "x"},
                      {"--simulate", "--sim-sensor", "4"},  // as kz7ctl: only sensor types with a DPI table
                      {"--bogus"},
                      {"stray"}}) {
        const ParsedOptions parsed = Parse(args);
        EXPECT_EQ(parsed.outcome, ParseOutcome::ExitError) << *args.begin();
        EXPECT_FALSE(parsed.message.isEmpty());
    }
}

TEST(SingleInstance, OnlyOneHolderAtATimeAndTheLockIsFreedOnExit) {
    testing::TestApplication();
    QTemporaryDir folder;
    auto first = std::make_unique<SingleInstance>(folder.path());
    ASSERT_TRUE(first->Acquire());
    EXPECT_TRUE(first->LockPath().endsWith(QStringLiteral("/VEXORMutex")));
    SingleInstance second(folder.path());
    EXPECT_FALSE(second.Acquire());
    first.reset();
    SingleInstance third(folder.path());
    EXPECT_TRUE(third.Acquire());
}

TEST(Notifier, ShortNotificationsStayLongEnoughToRead) {
    EXPECT_EQ(ShownTimeoutMs(100), kShortestNotificationMs);
    EXPECT_EQ(ShownTimeoutMs(5000), 5000);
}

}  // namespace
}  // namespace kz7
