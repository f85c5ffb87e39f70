// HID report descriptors and HID_ID texts on any bytes, as the hidraw
// backend reads them from sysfs. The parser never reads past the descriptor
// (it gets an exact-size copy, and every prefix of a cut one), and the
// report lengths it finds, handed to the command channel, never make a
// transfer reach past the channel's buffers.


#include <chrono>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "device/command_frame.h"
#include "device/command_set.h"
#include "fuzz_support.h"
#include "platform/linux/report_descriptor.h"

namespace kz7 {
namespace {

using linux_platform::ParseHidId;
using linux_platform::ParseReportDescriptor;
using linux_platform::ReportDescriptorInfo;

bool SameInfo(const ReportDescriptorInfo& a, const ReportDescriptorInfo& b) {
    if (a.usesReportIds != b.usesReportIds || a.collections.size() != b.collections.size()) return false;
    for (std::size_t i = 0; i < a.collections.size(); ++i) {
        const auto& x = a.collections[i];
        const auto& y = b.collections[i];
        if (x.usagePage != y.usagePage || x.usage != y.usage || x.featureReportLength != y.featureReportLength ||
            x.inputReportLength != y.inputReportLength || x.outputReportLength != y.outputReportLength) {
            return false;
        }
    }
    return true;
}

// A collection that answers every request at once, and checks that no
// request is longer than the report it is for.
class MeasuringHandle : public HidHandle {
public:
    bool SetFeature(std::span<const std::uint8_t> report) override { return Fits(report.size(), kHeaderReportSize); }
    bool GetFeature(std::span<std::uint8_t> report) override {
        Fits(report.size(), kHeaderReportSize);
        for (std::size_t i = 0; i < report.size(); ++i) report[i] = static_cast<std::uint8_t>(0xF0 + i);
        return true;
    }
    bool WriteOutput(std::span<const std::uint8_t> report) override { return Fits(report.size(), kDataReportSize); }
    ReadResult ReadInput(std::span<std::uint8_t> report, int) override {
        Fits(report.size(), kDataReportSize);
        for (auto& byte : report) byte = 0xEE;
        return {IoStatus::Ok, report.size()};
    }
    void Wake() override {}

private:
    static bool Fits(std::size_t length, std::size_t report) {
        KZ7_FUZZ_REQUIRE(length <= report);
        return true;
    }
};

class NoPause : public Pauser {
public:
    void Pause(std::chrono::milliseconds) override {}
};

// One read and one write of each primitive with the collection's lengths.
void TransferWith(const linux_platform::TopLevelCollection& collection) {
    MeasuringHandle handle;
    NoPause pauser;
    CommandChannel channel;
    channel.feature = &handle;
    channel.pauser = &pauser;
    channel.featureReportLength = collection.featureReportLength;
    channel.inputReportLength = collection.inputReportLength;
    channel.outputReportLength = collection.outputReportLength;
    CommandHeader status = MakeHeader(kCmdReadStatus);
    Transact(channel, status);
    std::vector<std::uint8_t> block(kMacroImageSize);  // exact size: ASan sees a store past it
    CommandHeader read = MakeHeader(kCmdReadMacroBlock, 1);
    TransferBlock(channel, read, block);
    CommandHeader write = MakeHeader(kCmdWriteMacroBlock, 1, kMacroImageSize);
    TransferBlock(channel, write, block);
}

void CheckHidId(std::string_view text) {
    const auto id = ParseHidId(text);
    if (!id) return;
    char canonical[32];
    std::snprintf(canonical, sizeof canonical, "0003:%08X:%08X", id->vendorId, id->productId);
    const auto again = ParseHidId(canonical);
    KZ7_FUZZ_REQUIRE(again && again->vendorId == id->vendorId && again->productId == id->productId);
}

}  // namespace
}  // namespace kz7

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kz7;
    const std::vector<std::uint8_t> descriptor(data, data + size);
    const auto info = ParseReportDescriptor(descriptor);
    if (info) {
        KZ7_FUZZ_REQUIRE(info->collections.size() <= size);
        for (const auto& collection : info->collections) TransferWith(collection);
        const auto again = ParseReportDescriptor(descriptor);
        KZ7_FUZZ_REQUIRE(again && SameInfo(*info, *again));
    }
    // The same descriptor cut short somewhere: read only up to the cut.
    if (size > 1) {
        const std::size_t cut = (data[0] * 256u + data[size - 1]) % size;
        const std::vector<std::uint8_t> prefix(data, data + cut);
        (void)ParseReportDescriptor(prefix);
    }
    CheckHidId(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
