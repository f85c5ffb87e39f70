#include "macros/macro_store.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "macros/macro_fixture.h"

namespace kz7 {
namespace {

using testing_support::Section;
using testing_support::TempFolder;
using Lines = std::vector<std::string>;

TEST(MacroLineKinds, ClassifiedBySubstringDownBeforeUp) {
    const struct {
        const char* line;
        MacroLineKind kind;
    } cases[] = {
        {"A   Dn", MacroLineKind::KeyDown},   {"L-Button   Up", MacroLineKind::KeyUp},
        {"50 ms", MacroLineKind::Other},      {"A  Dn", MacroLineKind::Other},  // two blanks only
        {"A   dn", MacroLineKind::Other},     {"X   Up   Dn", MacroLineKind::KeyDown},
        {"", MacroLineKind::Other},
    };
    for (const auto& c : cases) EXPECT_EQ(ClassifyMacroLine(c.line), c.kind) << c.line;
}

TEST(MacroSectionRead, CountAndLinesAsTheProfileFunctionsReadThem) {
    const IniFile file = IniFile::Parse(
        "[NoCount]\nItem0=A   Dn\n"
        "[Digits]\nItemCount=2 lines\nItem0=A   Dn\nItem1=50 ms\n"
        "[Gap]\nItemCount=3\nItem0=A   Dn\nitem2=A   Up\n"
        "[Sparse]\nItemCount=7\nItem0=A   Dn\nItem2=50 ms\nItem5=A   Up\n"
        "[Negative]\nItemCount=-4\nItem0=x\n");
    const struct {
        const char* name;
        int itemCount;
        Lines lines;
    } cases[] = {
        {"NoCount", 0, {}},
        {"Digits", 2, {"A   Dn", "50 ms"}},
        {"Gap", 3, {"A   Dn", "", "A   Up"}},  // a missing line reads as the empty string
        {"Sparse", 7, {"A   Dn", "", "50 ms", "", "", "A   Up", ""}},  // ItemCount lines, not one per key
        {"Negative", 0, {}},
        {"Absent", 0, {}},
    };
    for (const auto& c : cases) {
        const MacroSection section(file, c.name);
        EXPECT_EQ(section.itemCount(), c.itemCount) << c.name;
        EXPECT_EQ(section.Lines(), c.lines) << c.name;
    }
}

TEST(MacroSectionRead, ADamagedHugeCountWalksNoFurtherThanTheBound) {
    const MacroSection section(IniFile::Parse("[Huge]\nItemCount=2000000000\nItem0=A   Dn\n"), "Huge");
    EXPECT_EQ(section.itemCount(), 2000000000);
    ASSERT_EQ(section.lineCount(), kMaxMacroLines);
    const Lines lines = section.Lines();
    ASSERT_EQ(lines.size(), kMaxMacroLines);
    EXPECT_EQ(lines[0], "A   Dn");
    EXPECT_EQ(std::count(lines.begin(), lines.end(), ""), static_cast<std::ptrdiff_t>(kMaxMacroLines - 1));
}

TEST(MacroSectionRead, AMacroLongerThanTheBoundKeepsEveryStoredLine) {
    const std::size_t count = kMaxMacroLines + 10;
    std::string text = "[Long]\nItemCount=" + std::to_string(count) + "\n";
    for (std::size_t i = 0; i < count; ++i) text += "Item" + std::to_string(i) + "=" + std::to_string(i) + " ms\n";
    const Lines lines = MacroSection(IniFile::Parse(text), "Long").Lines();
    ASSERT_EQ(lines.size(), count);
    EXPECT_EQ(lines.back(), std::to_string(count - 1) + " ms");
}

TEST(MacroSectionRead, LinesAreReadIntoA1024CharacterBuffer) {
    const IniFile file = IniFile::Parse("[M]\nItemCount=1\nItem0=" + std::string(3000, 'k') + "\n");
    EXPECT_EQ(MacroSection(file, "M").Line(0), std::string(1023, 'k'));
}

TEST(MacroStoreFile, SavingMovesTheSectionToTheEndAndReplacesItsLines) {
    TempFolder folder;
    folder.Write("record.ini", Section("One", {"A   Dn", "50 ms", "A   Up"}) + Section("Two", {"B   Dn"}) +
                                   Section("Three", {"C   Dn"}));
    const MacroStore store(folder / "record.ini");
    ASSERT_EQ(store.Save("one", {"D   Dn", "70 ms", "D   Up"}), 0);
    EXPECT_EQ(store.Names(), (Lines{"Two", "Three", "one"}));
    EXPECT_EQ(folder.Read("record.ini"), Section("Two", {"B   Dn"}) + Section("Three", {"C   Dn"}) +
                                             Section("one", {"D   Dn", "70 ms", "D   Up"}));
    EXPECT_EQ(store.Section("ONE").Lines(), (Lines{"D   Dn", "70 ms", "D   Up"}));
}

TEST(MacroStoreFile, FirstSaveCreatesTheFileAndDeleteRemovesTheSection) {
    TempFolder folder;
    const MacroStore store(folder / "record.ini");
    EXPECT_FALSE(store.Exists());
    EXPECT_TRUE(store.Names().empty());
    EXPECT_EQ(store.Delete("Fire1"), 0);
    EXPECT_FALSE(store.Exists()) << "a delete must not create the file";
    ASSERT_EQ(store.Save("Fire1", {"A   Dn", "50 ms", "A   Up"}), 0);
    EXPECT_EQ(folder.Read("record.ini"), Section("Fire1", {"A   Dn", "50 ms", "A   Up"}));
    ASSERT_EQ(store.Save("Empty", {}), 0);
    EXPECT_EQ(store.Section("Empty").itemCount(), 0);
    ASSERT_EQ(store.Delete("FIRE1"), 0);
    EXPECT_EQ(folder.Read("record.ini"), "[Empty]\nItemCount=0\n");
}

TEST(MacroStoreFile, EverySectionIsListedHoweverLongTheNames) {
    TempFolder folder;
    std::string text;
    Lines expected;
    for (int i = 0; i < 12; ++i) {
        expected.push_back("macro number " + std::to_string(i) + " with a long name");
        text += Section(expected.back(), {"A   Dn"});
    }
    folder.Write("record.ini", text);
    EXPECT_EQ(MacroStore(folder / "record.ini").Names(), expected);
}

TEST(MacroStoreFile, AFileWrittenOnWindowsIsReadAndKeepsItsForm) {
    TempFolder folder;
    const std::string crlf = "\xEF\xBB\xBF[Fire1]\r\nItemCount=1\r\nItem0=A   Dn\r\n";
    folder.Write("record.ini", crlf);
    const MacroStore store(folder / "record.ini");
    ASSERT_EQ(store.Save("Fire2", {"B   Up"}), 0);
    EXPECT_EQ(folder.Read("record.ini"), crlf + "[Fire2]\r\nItemCount=1\r\nItem0=B   Up\r\n");
}

TEST(MacroNames, FoundWithoutRegardToCase) {
    const Lines names{"Fire1", "Jump"};
    EXPECT_EQ(FindMacroName(names, "fire1"), 0);
    EXPECT_EQ(FindMacroName(names, "JUMP"), 1);
    EXPECT_EQ(FindMacroName(names, "Fire"), -1);
}

}  // namespace
}  // namespace kz7
