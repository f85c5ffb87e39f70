#include <gtest/gtest.h>

#include <future>
#include <memory>

#include "config/starter_config.h"
#include "device/link_fixture.h"
#include "pointer/memory_pointer_backend.h"
#include "session/apply_session.h"
#include "skins/button_labels.h"

namespace kz7 {
namespace {

using testing::MouseOptions;
using testing::SimulatedLink;
using testing::TempFolder;

constexpr std::array<std::uint8_t, 6> kKey = {0x3c, 0xa5, 0x0f, 0x77, 0x81, 0xee};

// One apply session over the simulated mouse, its files in a fresh folder
// and the desktop in memory.
struct SessionRig {
    explicit SessionRig(std::uint8_t firstRunFlag = 1, VirtualMouse::Options mouse = MouseOptions(kKey))
        : sim(mouse), paths(DataPaths::InFolder(folder.path())), pointer(desktop, prompter) {
        model.config = StarterConfig();
        model.config.reportRate = 2;
        model.config.pointerSpeed = 8;
        folder.WriteConfigBin(firstRunFlag, ZeroConfig());
        model.firstRunFlag = firstRunFlag;
        labels.text[0][0] = "Left Click";
        labels.text[1][3] = "Single Key-A";
        session = std::make_unique<ApplySession>(
            ApplySession::Parts{sim.link, model, paths, UiLanguage::English, labels, pointer, prompter});
    }

    std::optional<ConfigImage> Saved() const { return ReadConfigImage(paths.config, nullptr); }

    TempFolder folder;
    SimulatedLink sim;
    DataPaths paths;
    ConfigModel model;
    ButtonLabels labels;
    MemoryPointerBackend desktop;
    RecordingPrompter prompter;
    SystemPointer pointer;
    std::unique_ptr<ApplySession> session;
};

TEST(ApplySession, WritesTheMouseSavesRecordAndLabelsAndAppliesThePointer) {
    SessionRig rig;
    ASSERT_TRUE(rig.sim.Connect());
    const int transfersBefore = rig.sim.mouse.TransferCount();
    const ApplyOutcome outcome = rig.session->Apply();

    EXPECT_TRUE(outcome.Ok());
    EXPECT_GT(rig.sim.mouse.TransferCount(), transfersBefore);
    const auto saved = rig.Saved();
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->firstRunFlag, 1);
    EXPECT_TRUE(SameBytes(saved->config, rig.model.config));
    EXPECT_TRUE(SameBytes(rig.model.appliedConfig, rig.model.config));
    EXPECT_EQ(LoadButtonLabels(rig.paths.settings, UiLanguage::English), rig.labels);
    EXPECT_EQ(rig.desktop.speed, SpeedFromLevel(8));
    EXPECT_TRUE(rig.prompter.messages.empty());
}

TEST(ApplySession, AFailedSaveIsReportedAndCancelKeepsTheLastSavedRecord) {
    SessionRig rig;
    ASSERT_TRUE(rig.sim.Connect());
    const DeviceConfig lastSaved = rig.model.appliedConfig;
    // A folder where config.bin was: the new image cannot take its place.
    std::filesystem::remove(rig.paths.config);
    std::filesystem::create_directory(rig.paths.config);

    const ApplyOutcome outcome = rig.session->Apply();
    EXPECT_FALSE(outcome.configSaved);
    EXPECT_FALSE(outcome.Ok());
    EXPECT_TRUE(SameBytes(rig.model.appliedConfig, lastSaved));
    ASSERT_FALSE(rig.prompter.messages.empty());
    EXPECT_EQ(rig.prompter.messages[0].caption, kSaveFailedCaption);
    // The rest of the apply still happens.
    EXPECT_EQ(outcome.labelsError, 0);
    EXPECT_EQ(rig.desktop.speed, SpeedFromLevel(8));
}

TEST(ApplySession, AFailedLabelSaveAndAFailedPointerWriteAreOutcomes) {
    SessionRig rig;
    ASSERT_TRUE(rig.sim.Connect());
    std::filesystem::create_directory(rig.paths.settings);  // str.ini cannot be read or replaced
    rig.desktop.failing = {PointerSetting::Speed};

    const ApplyOutcome outcome = rig.session->Apply();
    EXPECT_TRUE(outcome.configSaved);
    EXPECT_NE(outcome.labelsError, 0);
    EXPECT_EQ(outcome.pointer.failed, std::vector<PointerSetting>{PointerSetting::Speed});
    EXPECT_FALSE(outcome.Ok());
    ASSERT_EQ(rig.prompter.messages.size(), 2u);
    EXPECT_EQ(rig.prompter.messages[0].text, LabelsNotSavedMessage(rig.paths.settings, outcome.labelsError));
    EXPECT_EQ(rig.prompter.messages[1].text, kSetMouseSpeedFailed);
}

TEST(ApplySession, FirstDeviceReadExchangesTheStatusAndGivesANewRecordTheDefaultLabels) {
    for (const std::uint8_t flag : {std::uint8_t{0}, std::uint8_t{1}}) {
        SCOPED_TRACE(int(flag));
        SessionRig rig(flag, MouseOptions(kKey, 3));
        ASSERT_TRUE(rig.sim.Connect());
        const ButtonLabels before = rig.labels;
        EXPECT_EQ(rig.session->FirstDeviceRead(), 0);
        EXPECT_EQ(rig.sim.link.Images().activeSensorType, 3);
        EXPECT_EQ(rig.sim.mouse.Snapshot().status[3], 0x40);
        if (flag == 0) {
            ButtonLabels defaults = before;
            SetDefaultLabels(defaults, UiLanguage::English);
            EXPECT_EQ(rig.labels, defaults);
            EXPECT_EQ(LoadButtonLabels(rig.paths.settings, UiLanguage::English), defaults);
        } else {
            EXPECT_EQ(rig.labels, before);
            EXPECT_FALSE(std::filesystem::exists(rig.paths.settings));
        }
    }
}

TEST(ApplySession, WithoutAMouseEveryTransferFailsQuietlyAndTheFileIsSaved) {
    auto mouse = MouseOptions(kKey);
    mouse.pluggedIn = false;
    SessionRig rig(1, mouse);
    EXPECT_FALSE(rig.sim.Connect());
    const ApplyOutcome outcome = rig.session->Apply();
    EXPECT_TRUE(outcome.Ok());
    EXPECT_TRUE(SameBytes(rig.Saved()->config, rig.model.config));
    EXPECT_TRUE(rig.prompter.messages.empty());
}

TEST(ApplySession, AMouseThatStopsAnsweringIsToldAndTheRecordIsStillSaved) {
    SessionRig rig;
    ASSERT_TRUE(rig.sim.Connect());
    rig.model.config.reportRate = 2;
    rig.sim.mouse.StallAtTransfer(40, std::chrono::milliseconds(20));
    const int before = rig.sim.mouse.TransferCount();
    const ApplyOutcome outcome = rig.session->Apply();
    EXPECT_EQ(rig.sim.mouse.TransferCount() - before, 41);  // the silent transfer was the last one tried
    EXPECT_FALSE(outcome.mouseWritten);
    EXPECT_TRUE(outcome.configSaved);
    EXPECT_EQ(outcome.labelsError, 0);
    EXPECT_FALSE(outcome.Ok());
    ASSERT_FALSE(rig.prompter.messages.empty());
    EXPECT_EQ(rig.prompter.messages[0].text, kMouseStoppedMessage);
    EXPECT_EQ(rig.prompter.messages[0].caption, "Warning");
    EXPECT_TRUE(SameBytes(rig.Saved()->config, rig.model.config));
    EXPECT_TRUE(SameBytes(rig.model.appliedConfig, rig.model.config));
    EXPECT_TRUE(rig.sim.mouse.IsPluggedIn());
}

// The cable is pulled at every single transfer of an apply in turn.
TEST(ApplySession, UnplugAtEveryTransferNeitherCrashesNorHangsAndStillSaves) {
    int transfersOfOneApply = 0;
    {
        SessionRig rig;
        ASSERT_TRUE(rig.sim.Connect());
        const int before = rig.sim.mouse.TransferCount();
        rig.session->Apply();
        transfersOfOneApply = rig.sim.mouse.TransferCount() - before;
    }
    ASSERT_GT(transfersOfOneApply, 100);

    for (int at = 0; at < transfersOfOneApply; ++at) {
        SCOPED_TRACE("unplugged at transfer " + std::to_string(at));
        SessionRig rig;
        std::vector<DeviceChange> changes;
        auto watcher = rig.sim.mouse.MakeWatcher();
        watcher->Start([&](const DeviceChange& change) { changes.push_back(change); }, nullptr);
        ASSERT_TRUE(rig.sim.Connect());

        rig.sim.mouse.UnplugAtTransfer(at);
        auto done = std::async(std::launch::async, [&] { return rig.session->Apply(); });
        ASSERT_EQ(done.wait_for(std::chrono::seconds(10)), std::future_status::ready) << "the apply hangs";
        const ApplyOutcome outcome = done.get();
        EXPECT_TRUE(outcome.configSaved);
        // The apply did not reach the whole mouse, and says so.
        EXPECT_FALSE(outcome.mouseWritten);
        EXPECT_FALSE(outcome.Ok());
        EXPECT_EQ(rig.prompter.messages,
                  (std::vector<RecordingPrompter::Message>{{std::string(kMouseStoppedMessage), "Warning"}}));
        EXPECT_FALSE(rig.sim.mouse.IsPluggedIn());
        ASSERT_EQ(changes.size(), 2u);
        EXPECT_EQ(changes[0].kind, DeviceChangeKind::Removal);
        EXPECT_TRUE(SameBytes(rig.Saved()->config, rig.model.config));
        watcher->Stop();
    }
}

}  // namespace
}  // namespace kz7
