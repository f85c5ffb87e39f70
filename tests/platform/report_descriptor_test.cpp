#include "platform/linux/report_descriptor.h"

#include <gtest/gtest.h>

#include <vector>

namespace kz7::linux_platform {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A plain three-button wheel mouse (boot protocol layout), no report IDs.
const Bytes kBootMouse = {
    0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x09, 0x01, 0xA1, 0x00, 0x05, 0x09, 0x19, 0x01, 0x29, 0x03,
    0x15, 0x00, 0x25, 0x01, 0x95, 0x03, 0x75, 0x01, 0x81, 0x02, 0x95, 0x01, 0x75, 0x05, 0x81, 0x01,
    0x05, 0x01, 0x09, 0x30, 0x09, 0x31, 0x09, 0x38, 0x15, 0x81, 0x25, 0x7F, 0x75, 0x08, 0x95, 0x03,
    0x81, 0x06, 0xC0, 0xC0,
};

// A keyboard with LEDs (report ID 1) and a consumer-control collection
// (report ID 2) in one interface, as many wireless receivers have it.
const Bytes kKeyboardAndConsumer = {
    0x05, 0x01, 0x09, 0x06, 0xA1, 0x01, 0x85, 0x01, 0x05, 0x07, 0x19, 0xE0, 0x29, 0xE7, 0x15, 0x00,
    0x25, 0x01, 0x75, 0x01, 0x95, 0x08, 0x81, 0x02, 0x95, 0x01, 0x75, 0x08, 0x81, 0x01, 0x95, 0x05,
    0x75, 0x01, 0x05, 0x08, 0x19, 0x01, 0x29, 0x05, 0x91, 0x02, 0x95, 0x01, 0x75, 0x03, 0x91, 0x01,
    0x95, 0x06, 0x75, 0x08, 0x15, 0x00, 0x25, 0x65, 0x05, 0x07, 0x19, 0x00, 0x29, 0x65, 0x81, 0x00,
    0xC0,
    0x05, 0x0C, 0x09, 0x01, 0xA1, 0x01, 0x85, 0x02, 0x15, 0x00, 0x26, 0xFF, 0x03, 0x19, 0x00, 0x2A,
    0xFF, 0x03, 0x75, 0x10, 0x95, 0x01, 0x81, 0x00, 0xC0,
};

// The gaming mouse's vendor interface without report IDs: 8-byte feature
// reports for headers, 32-byte input and output reports for data.
const Bytes kCommandInterface = {
    0x06, 0x00, 0xFF, 0x0A, 0x00, 0xFF, 0xA1, 0x01, 0x15, 0x00, 0x26, 0xFF, 0x00, 0x75, 0x08,
    0x95, 0x08, 0x09, 0x01, 0xB1, 0x02, 0x95, 0x20, 0x09, 0x02, 0x81, 0x02, 0x95, 0x20, 0x09,
    0x03, 0x91, 0x02, 0xC0,
};

// Its event interface: report ID 6, 32 bytes after the ID.
const Bytes kEventInterface = {
    0x06, 0x01, 0xFF, 0x0A, 0x01, 0xFF, 0xA1, 0x01, 0x85, 0x06, 0x15, 0x00, 0x26, 0xFF, 0x00,
    0x75, 0x08, 0x95, 0x20, 0x09, 0x01, 0x81, 0x02, 0xC0,
};

// Several reports of different IDs in one collection, Push/Pop, a long item,
// and a 4-byte usage that carries its own page.
const Bytes kMixed = {
    0x0B, 0x02, 0x00, 0x01, 0x00,        // Usage 0x0001:0002 (extended)
    0xA1, 0x01,                          // Collection (Application)
    0x85, 0x01, 0x75, 0x08, 0x95, 0x03,  // ID 1, 3 bytes
    0x81, 0x02,                          // Input
    0xA4,                                // Push
    0x85, 0x02, 0x95, 0x0A, 0x81, 0x02,  // ID 2, 10 bytes
    0xB4,                                // Pop: ID 1, 3 bytes again
    0x81, 0x02,                          // ID 1 grows to 6 bytes
    0xFE, 0x02, 0x10, 0xAA, 0xBB,        // long item, skipped
    0x75, 0x01, 0x95, 0x05, 0xB1, 0x02,  // ID 1 feature, 5 bits
    0xC0,
};

struct Expected {
    std::uint16_t usagePage, usage, feature, input, output;
};

void ExpectCollections(const Bytes& descriptor, bool ids, const std::vector<Expected>& expected) {
    const auto info = ParseReportDescriptor(descriptor);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->usesReportIds, ids);
    ASSERT_EQ(info->collections.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("collection " + std::to_string(i));
        const auto& c = info->collections[i];
        EXPECT_EQ(c.usagePage, expected[i].usagePage);
        EXPECT_EQ(c.usage, expected[i].usage);
        EXPECT_EQ(c.featureReportLength, expected[i].feature);
        EXPECT_EQ(c.inputReportLength, expected[i].input);
        EXPECT_EQ(c.outputReportLength, expected[i].output);
    }
}

TEST(ReportDescriptor, LengthsCountTheReportIdByteAsTheSystemDoes) {
    ExpectCollections(kBootMouse, false, {{0x0001, 0x0002, 0, 5, 0}});
    ExpectCollections(kCommandInterface, false, {{0xFF00, 0xFF00, 9, 33, 33}});
    ExpectCollections(kEventInterface, true, {{0xFF01, 0xFF01, 0, 33, 0}});
}

TEST(ReportDescriptor, EachTopLevelCollectionHasItsOwnLengths) {
    ExpectCollections(kKeyboardAndConsumer, true, {{0x0001, 0x0006, 0, 9, 2}, {0x000C, 0x0001, 0, 3, 0}});
}

TEST(ReportDescriptor, LongestReportOfACollectionWins) {
    ExpectCollections(kMixed, true, {{0x0001, 0x0002, 2, 11, 0}});
}

TEST(ReportDescriptor, TruncatedOrUnbalancedDescriptorsAreRejected) {
    const Bytes cases[] = {
        Bytes(kBootMouse.begin(), kBootMouse.end() - 1),           // a collection left open
        Bytes{0x06, 0x00},                                         // item cut short
        Bytes{0xC0},                                               // end without a collection
        Bytes{0xB4},                                               // pop without push
        Bytes{0xFE, 0x05, 0x10, 0x01},                             // long item cut short
    };
    for (const auto& descriptor : cases) EXPECT_FALSE(ParseReportDescriptor(descriptor));
    EXPECT_TRUE(ParseReportDescriptor(Bytes{}));
}

TEST(HidId, ReadsVendorAndProduct) {
    const auto id = ParseHidId("0003:000004D9:0000A09F");
    ASSERT_TRUE(id);
    EXPECT_EQ(id->vendorId, 0x04D9);
    EXPECT_EQ(id->productId, 0xA09F);
    EXPECT_TRUE(ParseHidId("0003:000004d9:0000a09f"));
    for (const char* bad : {"", "0003:000004D9", "0003::0000A09F", "0003:000104D9:0000A09F", "x:1:2", "1:2:3:4"}) {
        EXPECT_FALSE(ParseHidId(bad)) << bad;
    }
}

}  // namespace
}  // namespace kz7::linux_platform
