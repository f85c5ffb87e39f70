#include "platform/linux/report_descriptor.h"

#include <map>
#include <utility>

namespace kz7::linux_platform {

namespace {

enum ItemType : std::uint8_t { kMain = 0, kGlobal = 1, kLocal = 2 };

enum MainTag : std::uint8_t {
    kInput = 0x8,
    kOutput = 0x9,
    kCollection = 0xA,
    kFeature = 0xB,
    kEndCollection = 0xC,
};

enum GlobalTag : std::uint8_t {
    kUsagePage = 0x0,
    kReportSize = 0x7,
    kReportId = 0x8,
    kReportCount = 0x9,
    kPush = 0xA,
    kPop = 0xB,
};

constexpr std::uint8_t kLocalUsage = 0x0;
constexpr std::uint8_t kLongItemPrefix = 0xFE;

struct Globals {
    std::uint32_t usagePage = 0;
    std::uint32_t reportSize = 0;
    std::uint32_t reportCount = 0;
    std::uint8_t reportId = 0;
};

struct LocalUsage {
    std::uint32_t value = 0;
    bool extended = false;  // 4-byte usage: the page is in its upper half
};

// Bits per (report kind, report ID) of one top-level collection.
using ReportBits = std::map<std::pair<int, std::uint8_t>, std::uint64_t>;

std::uint16_t LongestReport(const ReportBits& bits, int kind) {
    std::uint64_t longest = 0;
    bool any = false;
    for (const auto& [key, count] : bits) {
        if (key.first != kind) continue;
        any = true;
        longest = std::max(longest, (count + 7) / 8);
    }
    if (!any) return 0;
    return static_cast<std::uint16_t>(std::min<std::uint64_t>(longest + 1, 0xFFFF));
}

}  // namespace

std::optional<ReportDescriptorInfo> ParseReportDescriptor(std::span<const std::uint8_t> d) {
    ReportDescriptorInfo info;
    Globals globals;
    std::vector<Globals> stack;
    std::vector<LocalUsage> usages;
    int depth = 0;
    std::vector<ReportBits> bits;

    std::size_t i = 0;
    while (i < d.size()) {
        const std::uint8_t prefix = d[i];
        if (prefix == kLongItemPrefix) {  // long items carry nothing we need: skip them
            if (i + 2 >= d.size()) return std::nullopt;
            const std::size_t size = d[i + 1];
            if (i + 3 + size > d.size()) return std::nullopt;
            i += 3 + size;
            continue;
        }
        const std::size_t size = (prefix & 3) == 3 ? 4 : (prefix & 3);
        const auto type = static_cast<std::uint8_t>((prefix >> 2) & 3);
        const auto tag = static_cast<std::uint8_t>(prefix >> 4);
        if (i + 1 + size > d.size()) return std::nullopt;
        std::uint32_t value = 0;
        for (std::size_t b = 0; b < size; ++b) value |= static_cast<std::uint32_t>(d[i + 1 + b]) << (8 * b);
        i += 1 + size;

        if (type == kGlobal) {
            switch (tag) {
                case kUsagePage: globals.usagePage = value; break;
                case kReportSize: globals.reportSize = value; break;
                case kReportCount: globals.reportCount = value; break;
                case kReportId:
                    globals.reportId = static_cast<std::uint8_t>(value);
                    info.usesReportIds = true;
                    break;
                case kPush: stack.push_back(globals); break;
                case kPop:
                    if (stack.empty()) return std::nullopt;
                    globals = stack.back();
                    stack.pop_back();
                    break;
                default: break;
            }
        } else if (type == kLocal) {
            if (tag == kLocalUsage) usages.push_back({value, size == 4});
        } else if (type == kMain) {
            switch (tag) {
                case kCollection:
                    if (depth == 0) {
                        TopLevelCollection collection;
                        if (!usages.empty()) {
                            const LocalUsage& usage = usages.front();
                            collection.usagePage = static_cast<std::uint16_t>(
                                usage.extended ? usage.value >> 16 : globals.usagePage);
                            collection.usage = static_cast<std::uint16_t>(usage.value & 0xFFFF);
                        } else {
                            collection.usagePage = static_cast<std::uint16_t>(globals.usagePage);
                        }
                        info.collections.push_back(collection);
                        bits.emplace_back();
                    }
                    ++depth;
                    break;
                case kEndCollection:
                    if (depth == 0) return std::nullopt;
                    --depth;
                    break;
                case kInput:
                case kOutput:
                case kFeature:
                    // Reports outside any collection belong to none of them.
                    if (!bits.empty() && depth > 0) {
                        bits.back()[{tag, globals.reportId}] +=
                            static_cast<std::uint64_t>(globals.reportSize) * globals.reportCount;
                    }
                    break;
                default: break;
            }
            usages.clear();  // local items last until the next main item
        }
    }
    if (depth != 0) return std::nullopt;
    for (std::size_t c = 0; c < info.collections.size(); ++c) {
        info.collections[c].inputReportLength = LongestReport(bits[c], kInput);
        info.collections[c].outputReportLength = LongestReport(bits[c], kOutput);
        info.collections[c].featureReportLength = LongestReport(bits[c], kFeature);
    }
    return info;
}

std::optional<HidId> ParseHidId(std::string_view text) {
    // bus:vendor:product, each in hex; vendor and product are 8 digits wide.
    std::uint32_t fields[3] = {};
    int field = 0;
    bool digits = false;
    for (char c : text) {
        if (c == ':') {
            if (!digits || ++field > 2) return std::nullopt;
            digits = false;
            continue;
        }
        int value = -1;
        if (c >= '0' && c <= '9') value = c - '0';
        else if (c >= 'a' && c <= 'f') value = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F') value = c - 'A' + 10;
        if (value < 0 || fields[field] > 0x0FFFFFFF) return std::nullopt;
        fields[field] = fields[field] * 16 + static_cast<std::uint32_t>(value);
        digits = true;
    }
    if (field != 2 || !digits || fields[1] > 0xFFFF || fields[2] > 0xFFFF) return std::nullopt;
    return HidId{static_cast<std::uint16_t>(fields[1]), static_cast<std::uint16_t>(fields[2])};
}

}  // namespace kz7::linux_platform
