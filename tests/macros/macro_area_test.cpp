#include "macros/macro_area.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "config/file_system.h"
#include "macros/macro_blocks.h"
#include "macros/macro_fixture.h"
#include "macros/macro_messages.h"
#include "support/faulty_file_system.h"

namespace kz7 {
namespace {

using testing_support::Section;
using testing_support::TempFolder;
using Lines = std::vector<std::string>;
using Message = RecordingPrompter::Message;

class MacroAreaTest : public ::testing::Test {
protected:
    MacroAreaTest() : area_(folder_ / "record.ini", config_, prompter_) {}

    void WriteStore(const std::string& text) { folder_.Write("record.ini", text); }
    void WithMacros(std::initializer_list<std::string> names) {
        std::string text;
        for (const auto& name : names) text += Section(name, {name + "   Dn"});
        WriteStore(text);
        area_.Load();
    }

    TempFolder folder_;
    DeviceConfig config_ = ZeroConfig();
    RecordingPrompter prompter_;
    MacroArea area_;
};

TEST_F(MacroAreaTest, LoadWithoutRecordIniShowsNothing) {
    area_.macroList = {"stale"};
    area_.loopCountField = "7";
    area_.Load();
    EXPECT_TRUE(area_.macroList.empty());
    EXPECT_TRUE(area_.lineList.empty());
    EXPECT_EQ(area_.loopCountField, "");
    EXPECT_EQ(area_.selectedMacro, -1);
}

TEST_F(MacroAreaTest, LoadShowsTheFirstMacroAndTheLoopCountOfBlockZero) {
    WriteStore(Section("Fire1", {"A   Dn", "50 ms", "A   Up"}) + Section("Jump", {"Space   Dn"}));
    SetMacroLoopCount(config_, 0, 300);
    area_.Load();
    EXPECT_EQ(area_.macroList, (Lines{"Fire1", "Jump"}));
    EXPECT_EQ(area_.selectedMacro, 0);
    EXPECT_EQ(area_.nameField, "Fire1");
    EXPECT_EQ(area_.lineList, (Lines{"A   Dn", "50 ms", "A   Up"}));
    EXPECT_EQ(area_.loopCountField, "300");
}

TEST_F(MacroAreaTest, LoadWalksEverySectionHoweverLongTheNames) {
    // Together these names are far longer than 255 characters.
    Lines names;
    std::string text;
    for (int i = 0; i < 12; ++i) {
        names.push_back(std::string(28, static_cast<char>('a' + i)) + std::to_string(i));
        text += Section(names.back(), {"A   Dn"});
    }
    WriteStore(text);
    area_.Load();
    EXPECT_EQ(area_.macroList, names);
}

TEST_F(MacroAreaTest, SelectShowsTheMacroAndTheLoopCountOfItsListPosition) {
    WriteStore(Section("Fire1", {"A   Dn"}) + "[Empty]\nItemCount=0\n" + Section("Jump", {"Space   Dn", "20 ms"}));
    SetMacroLoopCount(config_, 2, 5);
    area_.Load();
    area_.Select(2);
    EXPECT_EQ(area_.nameField, "Jump");
    EXPECT_EQ(area_.lineList, (Lines{"Space   Dn", "20 ms"}));
    EXPECT_EQ(area_.loopCountField, "5");
    area_.Select(1);
    EXPECT_EQ(area_.nameField, "Empty");
    EXPECT_TRUE(area_.lineList.empty());
    EXPECT_EQ(area_.loopCountField, "5") << "an empty macro keeps the field's text";
    area_.Select(-1);
    area_.Select(3);
    EXPECT_EQ(area_.selectedMacro, 1) << "no selection changes nothing";
}

struct NewCase {
    const char* what;
    std::vector<std::string> existing;
    std::string name;
    std::vector<Message> messages;
    std::vector<std::string> listAfter;
};

TEST_F(MacroAreaTest, NewChecksTheNameAndTheCount) {
    const std::string longest(31, 'n');
    const std::string tooLong(40, 'x');  // record.ini may hold one; New never makes one
    const std::string chinese31 = [] {
        std::string s;
        for (int i = 0; i < 31; ++i) s += "\xE5\xAE\x8F";  // one character, three bytes
        return s;
    }();
    std::vector<std::string> twelve;
    for (int i = 0; i < 12; ++i) twelve.push_back("m" + std::to_string(i));

    const NewCase cases[] = {
        {"blank", {"Fire1"}, "", {{"Macro name is blank", ""}}, {"Fire1"}},
        {"only blanks", {"Fire1"}, "   ", {{"Macro name is blank", ""}}, {"Fire1"}},
        {"duplicate in other case", {"Fire1"}, "FIRE1", {{"Macro name already exists", ""}}, {"Fire1"}},
        {"appended", {"Fire1"}, "Jump", {}, {"Fire1", "Jump"}},
        {"blanks trimmed", {"Fire1"}, "  Jump ", {}, {"Fire1", "Jump"}},
        {"first name", {}, "Jump", {}, {"Jump"}},
        {"31 characters", {}, longest, {}, {longest}},
        {"31 Chinese characters", {"x"}, chinese31, {}, {"x", chinese31}},
        {"32 characters",
         {},
         longest + "n",
         {{"Macro name \"" + longest + "n\" is too long: a macro name has at most 31 characters.", "Warning"}},
         {}},
        {"line break", {"Fire1"}, "Ju\nmp", {{"A macro name cannot hold line breaks, tabs or other control characters.", "Warning"}}, {"Fire1"}},
        {"line break in the first name",
         {},
         "Ju\nmp",
         {{"A macro name cannot hold line breaks, tabs or other control characters.", "Warning"}},
         {}},
        {"thirteenth", twelve, "New", {{"Macro numbers up to 12.", "Warning"}}, twelve},
        {"thirteenth even if a duplicate", twelve, "m1", {{"Macro numbers up to 12.", "Warning"}}, twelve},
        // The count and the duplicate check come before the name's own problems.
        {"thirteenth even if too long", twelve, longest + "n", {{"Macro numbers up to 12.", "Warning"}}, twelve},
        {"thirteenth even with a tab", twelve, "a\tb", {{"Macro numbers up to 12.", "Warning"}}, twelve},
        {"blank before the count", twelve, " ", {{"Macro name is blank", ""}}, twelve},
        {"duplicate of a long hand-made name",
         {tooLong},
         "X" + tooLong.substr(1),
         {{"Macro name already exists", ""}},
         {tooLong}},
    };
    for (const auto& c : cases) {
        area_.macroList = c.existing;
        area_.selectedMacro = c.existing.empty() ? -1 : 0;
        area_.lineList = {"A   Dn"};
        area_.nameField = c.name;
        prompter_.messages.clear();
        area_.New();
        EXPECT_EQ(prompter_.messages, c.messages) << c.what;
        EXPECT_EQ(area_.macroList, c.listAfter) << c.what;
        if (c.listAfter.size() > c.existing.size()) {
            EXPECT_EQ(area_.selectedMacro, static_cast<int>(c.listAfter.size()) - 1) << c.what;
            if (!c.existing.empty()) {
                EXPECT_TRUE(area_.lineList.empty()) << c.what;
            }
        }
    }
    EXPECT_FALSE(area_.store().Exists()) << "New never writes record.ini";
}

TEST_F(MacroAreaTest, NameMessagesFollowTheUiLanguage) {
    MacroArea chinese(folder_ / "record.ini", config_, prompter_, UiLanguage::SimplifiedChinese);
    chinese.macroList = {"Fire1"};
    chinese.nameField = "";
    chinese.New();
    chinese.nameField = "fire1";
    chinese.New();
    EXPECT_EQ(prompter_.messages,
              (std::vector<Message>{{"宏名称为空", ""}, {"宏名称已经存在", ""}}));
}

TEST_F(MacroAreaTest, DeleteRemovesTheSectionAtOnceButLeavesTheBlocks) {
    WriteStore(Section("Fire1", {"A   Dn"}) + Section("Jump", {"Space   Dn"}));
    area_.Load();
    area_.Confirm();  // blocks now hold both macros
    const auto blocksBefore = ConfigBytes(config_);
    area_.Select(1);
    area_.Delete();
    EXPECT_EQ(area_.macroList, Lines{"Fire1"});
    EXPECT_EQ(area_.selectedMacro, -1);
    EXPECT_TRUE(area_.lineList.empty());
    EXPECT_EQ(area_.nameField, "");
    EXPECT_EQ(folder_.Read("record.ini"), Section("Fire1", {"A   Dn"}));
    EXPECT_EQ(ConfigBytes(config_), blocksBefore);
    area_.Delete();  // nothing selected: nothing happens
    EXPECT_EQ(area_.macroList, Lines{"Fire1"});
}

TEST_F(MacroAreaTest, ADeleteThatCannotBeSavedKeepsTheMacroListedAndSaysWhy) {
    const std::string text = Section("Fire1", {"A   Dn"}) + Section("Jump", {"Space   Dn"});
    WriteStore(text);
    area_.Load();
    area_.Select(1);
    testing_support::FaultyFileSystem files;
    {
        const ScopedSaveFileSystem inPlace(files);
        files.FailCall(2, ENOSPC);  // the write of the new record.ini
        area_.Delete();
    }
    EXPECT_EQ(prompter_.messages, (std::vector<Message>{{RecordFileFailedMessage(ENOSPC), "Warning"}}));
    EXPECT_EQ(area_.macroList, (Lines{"Fire1", "Jump"}));
    EXPECT_EQ(area_.selectedMacro, 1);
    EXPECT_EQ(folder_.Read("record.ini"), text);
}

TEST_F(MacroAreaTest, ConfirmSavesTheSelectedEntryLastAndRebuildsEveryBlock) {
    WriteStore(Section("One", {"A   Dn"}) + Section("Two", {"B   Dn"}) + Section("Three", {"C   Dn"}));
    area_.Load();
    SetMacroLoopCount(config_, 2, 9);
    area_.nameField = "ignored: the list entry names the macro";
    area_.lineList = {"D   Dn", "50 ms", "D   Up"};
    area_.Confirm();
    EXPECT_EQ(folder_.Read("record.ini"),
              Section("Two", {"B   Dn"}) + Section("Three", {"C   Dn"}) + Section("One", {"D   Dn", "50 ms", "D   Up"}));
    EXPECT_EQ(config_.macroImage[0][3], 0x05);  // Two
    EXPECT_EQ(config_.macroImage[1][3], 0x06);  // Three
    const std::vector<std::uint8_t> one(config_.macroImage[2], config_.macroImage[2] + 6);
    EXPECT_EQ(one, (std::vector<std::uint8_t>{0x00, 0x09, 0x05, 0x07, 0x80, 0x07}));
    EXPECT_TRUE(prompter_.messages.empty());
}

TEST_F(MacroAreaTest, ConfirmOfANewMacroCreatesTheFile) {
    area_.Load();
    area_.nameField = "Fire1";
    area_.New();
    area_.lineList = {"A   Dn", "50 ms", "A   Up"};
    area_.Confirm();
    EXPECT_EQ(folder_.Read("record.ini"), Section("Fire1", {"A   Dn", "50 ms", "A   Up"}));
    EXPECT_EQ(config_.macroImage[0][2], 0x05);
}

TEST_F(MacroAreaTest, ConfirmTellsWhichMacroWasCut) {
    WithMacros({"Fire1"});
    area_.lineList.clear();
    for (int i = 0; i < 40; ++i) area_.lineList.insert(area_.lineList.end(), {"A   Dn", "10 ms", "A   Up", "10 ms"});
    area_.Confirm();
    ASSERT_EQ(prompter_.messages.size(), 1u);
    EXPECT_THAT(prompter_.messages[0].text, ::testing::HasSubstr("\"Fire1\""));
    EXPECT_EQ(config_.macroImage[0][127], 0x04);
}

TEST_F(MacroAreaTest, ConfirmWithoutASelectionDoesNothing) {
    WithMacros({"Fire1"});
    const std::string before = folder_.Read("record.ini");
    area_.selectedMacro = -1;
    area_.lineList = {"B   Dn"};
    area_.Confirm();
    EXPECT_EQ(folder_.Read("record.ini"), before);
}

TEST_F(MacroAreaTest, LoopCountFieldGoesStraightIntoTheSelectedBlock) {
    WithMacros({"One", "Two"});
    area_.Select(1);
    const struct {
        const char* field;
        const char* shown;
        unsigned stored;
    } cases[] = {
        {"256", "256", 256}, {"65535", "65535", 65535}, {"", "1", 1}, {"0", "1", 1},
        {"65536", "1", 1},   {"12abc", "12abc", 12},    {"-3", "1", 1}, {"99999999999", "1", 1},
    };
    for (const auto& c : cases) {
        area_.loopCountField = c.field;
        area_.LoopCountChanged();
        EXPECT_EQ(area_.loopCountField, c.shown) << c.field;
        EXPECT_EQ(MacroLoopCount(config_, 1), c.stored) << c.field;
    }
    EXPECT_EQ(MacroLoopCount(config_, 0), 0u);
}

}  // namespace
}  // namespace kz7
