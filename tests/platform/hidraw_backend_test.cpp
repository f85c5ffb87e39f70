#include "platform/linux/hidraw_backend.h"

#include <gtest/gtest.h>

namespace kz7::linux_platform {
namespace {

// The machine running the tests may have any HID devices or none; what it
// lists must be usable, and a node that is not there is reported, not hidden.
TEST(HidrawBackend, ListsOnlyCollectionsWithAPathAndOpensNothingMissing) {
    HidrawBackend backend;
    for (const HidInterfaceInfo& info : backend.Enumerate()) {
        EXPECT_EQ(info.path.rfind("/dev/", 0), 0u) << info.path;
        EXPECT_LE(info.featureReportLength, 0xFFFF);
    }
    const auto opened = backend.Open("/dev/hidraw-that-is-not-there", HidAccess::ReadWrite);
    EXPECT_FALSE(opened.handle);
    EXPECT_EQ(opened.error, "No such file or directory");
}

TEST(UdevDeviceWatcher, StartsAndStopsCleanly) {
    UdevDeviceWatcher watcher;
    std::string error;
    if (!watcher.Start([](const DeviceChange&) {}, &error)) GTEST_SKIP() << "no udev here: " << error;
    watcher.Stop();
    watcher.Stop();
    ASSERT_TRUE(watcher.Start([](const DeviceChange&) {}, &error));
}  // the destructor stops it again

}  // namespace
}  // namespace kz7::linux_platform
