#include "macros/macro_blocks.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>

#include "macros/macro_fixture.h"
#include "macros/macro_messages.h"

namespace kz7 {
namespace {

using testing_support::NumberedName;
using testing_support::Section;
using Bytes = std::vector<std::uint8_t>;

struct EventCase {
    bool keyUp;
    std::uint8_t code;
    int pause;
    Bytes expected;
};

TEST(MacroEvent, ShortAndLongRecords) {
    const EventCase cases[] = {
        {false, 0x04, 50, {0x05, 0x04}},
        {true, 0x04, 50, {0x85, 0x04}},
        {false, 0x04, 0, {0x00, 0x04}},
        {false, 0x04, 9, {0x00, 0x04}},                     // truncated to 10 ms units
        {false, 0x04, 19, {0x01, 0x04}},
        {false, 0x04, 1270, {0x7F, 0x04}},                  // longest short record
        {false, 0x04, 1271, {71, 0x04, 12, 0x03}},          // shortest long record
        {true, 0x04, 1271, {71 + 128, 0x04, 12, 0x03}},
        {false, 0x04, 1550, {0x32, 0x04, 0x0F, 0x03}},
        {true, 0xF0, 10000, {0x80, 0xF0, 100, 0x03}},       // longest pause of the editor
        {false, 0x05, 25599, {99, 0x05, 255, 0x03}},         // longest a record can hold
        {false, 0x05, 40000, {99, 0x05, 255, 0x03}},         // held there, never wrapped
        {false, 0x05, -30, {0x00, 0x05}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EncodeMacroEvent(c.keyUp, c.code, c.pause), c.expected) << c.pause << (c.keyUp ? " up" : " down");
    }
}

TEST(MacroEvent, PauseOfLineReadsLeadingDigitsAfterRemovingTheUnit) {
    const struct {
        const char* line;
        int pause;
    } cases[] = {
        {"50 ms", 50}, {"1550 ms", 1550}, {"  70 ms", 70}, {"abc", 0}, {"", 0}, {"A   Up", 0},
        {"12x ms", 12}, {"-50 ms", 0}, {"99999999999 ms", kLongestPause},
    };
    for (const auto& c : cases) EXPECT_EQ(PauseOfLine(c.line), c.pause) << c.line;
}

Bytes EventArea(const std::uint8_t (&block)[kMacroImageSize], std::size_t length) {
    return Bytes(block + 2, block + 2 + length);
}

bool ZeroFrom(const std::uint8_t (&block)[kMacroImageSize], std::size_t from) {
    for (std::size_t i = from; i < kMacroImageSize; ++i) {
        if (block[i]) return false;
    }
    return true;
}

struct BlockCase {
    const char* name;
    std::string section;  // a section named M
    Bytes events;         // expected event area; the rest is zero
};

TEST(MacroBlock, EncodesEachMacroFromOffsetTwo) {
    const BlockCase cases[] = {
        {"tap", Section("M", {"A   Dn", "50 ms", "A   Up"}), {0x05, 0x04, 0x80, 0x04}},
        {"last event has pause 0", Section("M", {"A   Dn", "1550 ms", "A   Up"}), {0x32, 0x04, 0x0F, 0x03, 0x80, 0x04}},
        {"delay first", Section("M", {"50 ms", "A   Up", "20 ms", "B   Dn"}), {0x82, 0x04, 0x00, 0x05}},
        {"key-up first", Section("M", {"B   Up", "30 ms"}), {0x83, 0x05}},
        {"unknown key name", Section("M", {"NoSuchKey   Dn", "50 ms"}), {0x05, 0x00}},
        {"mouse buttons", Section("M", {"L-Button   Dn", "50 ms", "R-Button   Up", "60 ms", "M-Button   Dn"}),
         {0x05, 0xF0, 0x86, 0xF1, 0x00, 0xF2}},
        {"delays only", Section("M", {"50 ms", "60 ms"}), {}},
        {"pause not a number", Section("M", {"A   Dn", "soon"}), {0x00, 0x04}},
        {"event follows event", Section("M", {"A   Dn", "B   Dn"}), {0x00, 0x04, 0x00, 0x05}},
        // The pause is the next stored line, even one past ItemCount.
        {"stale line after count", "[M]\nItemCount=1\nItem0=A   Dn\nItem1=40 ms\n", {0x04, 0x04}},
        // Every line up to ItemCount counts, stored or not; a missing one is "".
        {"sparse lines", "[M]\nItemCount=7\nItem0=A   Dn\nItem1=50 ms\nItem4=A   Up\nItem6=B   Dn\n",
         {0x05, 0x04, 0x80, 0x04, 0x00, 0x05}},
        // A damaged count is walked up to the bound and no further.
        {"damaged count",
         "[M]\nItemCount=2000000000\nItem0=A   Dn\nItem1=40 ms\nItem" + std::to_string(kMaxMacroLines - 1) +
             "=B   Up\nItem" + std::to_string(kMaxMacroLines) + "=C   Dn\n",
         {0x04, 0x04, 0x80, 0x05}},
    };
    for (const auto& c : cases) {
        DeviceConfig config = ZeroConfig();
        std::fill(std::begin(config.macroImage[0]), std::end(config.macroImage[0]), std::uint8_t{0xEE});
        const MacroRebuild result = RebuildMacroBlocks(IniFile::Parse(c.section), config);
        EXPECT_TRUE(result.cut.empty()) << c.name;
        const auto& block = config.macroImage[0];
        EXPECT_EQ(block[0], 0xEE) << c.name << ": the loop count is kept";
        EXPECT_EQ(block[1], 0xEE) << c.name;
        EXPECT_EQ(EventArea(block, c.events.size()), c.events) << c.name;
        EXPECT_TRUE(ZeroFrom(block, 2 + c.events.size())) << c.name;
    }
}

TEST(MacroBlock, EmptyOrCountlessMacroClearsTheWholeBlock) {
    for (const char* text : {"[M]\nItemCount=0\nItem0=A   Dn\n", "[M]\nItem0=A   Dn\n", "[M]\nItemCount=none\n"}) {
        DeviceConfig config = ZeroConfig();
        std::fill(std::begin(config.macroImage[0]), std::end(config.macroImage[0]), std::uint8_t{0xEE});
        RebuildMacroBlocks(IniFile::Parse(text), config);
        EXPECT_TRUE(ZeroFrom(config.macroImage[0], 0)) << text;
    }
}

// n events, each followed by a pause line, and perhaps one more line.
std::string ManyEvents(const std::string& name, int n, const std::string& pause, const std::string& last = "") {
    std::string text = "[" + name + "]\nItemCount=" + std::to_string(2 * n + (last.empty() ? 0 : 1)) + "\n";
    for (int i = 0; i < n; ++i) {
        text += "Item" + std::to_string(2 * i) + "=" + (i % 2 ? "A   Up" : "A   Dn") + "\n";
        text += "Item" + std::to_string(2 * i + 1) + "=" + pause + "\n";
    }
    if (!last.empty()) text += "Item" + std::to_string(2 * n) + "=" + last + "\n";
    return text;
}

TEST(MacroBlock, AMacroTooLongForItsBlockIsCutAfterTheLastRecordThatFits) {
    const struct {
        const char* name;
        std::string sections;
        std::optional<std::size_t> firstLineLeftOut;
        std::size_t bytesUsed;
    } cases[] = {
        {"63 short records fill the area", ManyEvents("Long", 63, "50 ms"), std::nullopt, 126},
        {"the 64th short record is left out", ManyEvents("Long", 64, "50 ms"), 126, 126},
        {"31 long records fit", ManyEvents("Long", 31, "2000 ms"), std::nullopt, 124},
        {"a 32nd long record is left out", ManyEvents("Long", 32, "2000 ms"), 62, 124},
        {"a hundred short records", ManyEvents("Long", 100, "50 ms"), 126, 126},
    };
    for (const auto& c : cases) {
        DeviceConfig config = ZeroConfig();
        std::fill(std::begin(config.macroImage[1]), std::end(config.macroImage[1]), std::uint8_t{0x5A});
        const MacroRebuild result = RebuildMacroBlocks(IniFile::Parse(c.sections), config);
        if (c.firstLineLeftOut) {
            ASSERT_EQ(result.cut.size(), 1u) << c.name;
            EXPECT_EQ(result.cut[0].name, "Long");
            EXPECT_EQ(result.cut[0].firstLineLeftOut, *c.firstLineLeftOut) << c.name;
        } else {
            EXPECT_TRUE(result.cut.empty()) << c.name;
        }
        EXPECT_TRUE(ZeroFrom(config.macroImage[0], 2 + c.bytesUsed)) << c.name;
        for (std::uint8_t byte : config.macroImage[1]) ASSERT_EQ(byte, 0x5A) << c.name << ": spilled into the next block";
    }
}

TEST(MacroBlock, LongThenShortFillsTheAreaExactly) {
    DeviceConfig config = ZeroConfig();
    const MacroRebuild result = RebuildMacroBlocks(IniFile::Parse(ManyEvents("M", 31, "2000 ms", "B   Dn")), config);
    EXPECT_TRUE(result.cut.empty());
    EXPECT_EQ(config.macroImage[0][126], 0x00);
    EXPECT_EQ(config.macroImage[0][127], 0x05);
}

TEST(MacroRebuildAll, SectionsFillBlocksInFileOrderAndLaterBlocksKeepTheirContent) {
    DeviceConfig config = ZeroConfig();
    for (auto& block : config.macroImage) std::fill(std::begin(block), std::end(block), std::uint8_t{0x77});
    const std::string file = Section("Second", {"B   Dn"}) + Section("First", {"A   Dn"});
    const MacroRebuild result = RebuildMacroBlocks(IniFile::Parse(file), config);
    EXPECT_TRUE(result.withoutBlock.empty());
    EXPECT_EQ(EventArea(config.macroImage[0], 2), (Bytes{0x00, 0x05}));
    EXPECT_EQ(EventArea(config.macroImage[1], 2), (Bytes{0x00, 0x04}));
    for (int i = 2; i < kMacroCount; ++i) {
        EXPECT_EQ(config.macroImage[i][64], 0x77) << "block " << i << " has no section and must not change";
    }
}

TEST(MacroRebuildAll, SectionsAfterTheTwelfthHaveNoBlock) {
    std::string file;
    for (int i = 0; i < 14; ++i) file += Section(NumberedName("m", i), {"A   Dn"});
    DeviceConfig config = ZeroConfig();
    const auto before = ConfigBytes(config);
    const MacroRebuild result = RebuildMacroBlocks(IniFile::Parse(file), config);
    EXPECT_EQ(result.withoutBlock, (std::vector<std::string>{"m12", "m13"}));
    for (int i = 0; i < kMacroCount; ++i) EXPECT_EQ(config.macroImage[i][3], 0x04) << i;
    const auto after = ConfigBytes(config);
    const std::size_t macroEnd = 384 + kMacroCount * kMacroImageSize;
    EXPECT_TRUE(std::equal(after.begin() + macroEnd, after.end(), before.begin() + macroEnd))
        << "nothing past the macro image may change";
}

TEST(MacroRebuildAll, TheWarningNamesAFewMacrosWithoutABlockAndCountsTheRest) {
    const std::string head = "The mouse holds 12 macros; record.ini has more, and these are not sent to the mouse: ";
    const struct {
        std::size_t count;
        std::string list;
    } cases[] = {
        {1, "\"x0\""},
        {5, "\"x0\", \"x1\", \"x2\", \"x3\", \"x4\""},
        {6, "\"x0\", \"x1\", \"x2\", \"x3\", \"x4\" ... and 1 more"},
        {19988, "\"x0\", \"x1\", \"x2\", \"x3\", \"x4\" ... and 19983 more"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> names;
        for (std::size_t i = 0; i < c.count; ++i) names.push_back(NumberedName("x", i));
        EXPECT_EQ(MacrosWithoutBlockMessage(names), head + c.list + ".") << c.count;
    }
}

TEST(MacroRebuildAll, TheUserIsToldWhichMacroWasCut) {
    testing_support::TempFolder folder;
    folder.Write("record.ini", Section("Short", {"A   Dn"}) + ManyEvents("Rapid fire", 70, "20 ms"));
    DeviceConfig config = ZeroConfig();
    RecordingPrompter prompter;
    EXPECT_TRUE(RebuildMacroBlocks(MacroStore(folder / "record.ini"), config, prompter));
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_THAT(prompter.messages[0].text, ::testing::HasSubstr("\"Rapid fire\""));
    EXPECT_THAT(prompter.messages[0].text, ::testing::HasSubstr("line 127"));
    EXPECT_EQ(prompter.messages[0].caption, "Warning");

    RecordingPrompter quiet;
    EXPECT_FALSE(RebuildMacroBlocks(MacroStore(folder / "absent.ini"), config, quiet));
    EXPECT_TRUE(quiet.messages.empty());
}

TEST(MacroLoopCount, BigEndianInTheFirstTwoBytes) {
    DeviceConfig config = ZeroConfig();
    SetMacroLoopCount(config, 0, 65535);
    SetMacroLoopCount(config, 11, 256);
    SetMacroLoopCount(config, 12, 9);  // no such block: nothing happens
    EXPECT_EQ(config.macroImage[0][0], 0xFF);
    EXPECT_EQ(config.macroImage[0][1], 0xFF);
    EXPECT_EQ(config.macroImage[11][0], 0x01);
    EXPECT_EQ(config.macroImage[11][1], 0x00);
    EXPECT_EQ(MacroLoopCount(config, 0), 65535u);
    EXPECT_EQ(MacroLoopCount(config, 11), 256u);
    EXPECT_EQ(MacroLoopCount(config, 12), 0u);
}

}  // namespace
}  // namespace kz7
