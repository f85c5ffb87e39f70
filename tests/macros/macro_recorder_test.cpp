#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "macros/macro_area.h"
#include "macros/macro_fixture.h"
#include "macros/macro_recorder.h"

namespace kz7 {
namespace {

using Lines = std::vector<std::string>;
using Message = RecordingPrompter::Message;
using testing_support::Section;
using testing_support::TempFolder;

RecordedKey Down(std::string_view name) { return {name, true, false}; }
RecordedKey Repeat(std::string_view name) { return {name, true, true}; }
RecordedKey Up(std::string_view name) { return {name, false, false}; }

class MacroRecorderTest : public ::testing::Test {
protected:
    MacroRecorderTest() : area(folder.path() / "record.ini", config, prompter) {
        folder.Write("record.ini", Section("Reload", {"R   Dn", "50 ms", "R   Up"}));
        area.Load();
    }
    void Record(std::initializer_list<RecordedKey> keys) {
        for (const RecordedKey& key : keys) recorder.Key(key);
    }

    TempFolder folder;
    DeviceConfig config = ZeroConfig();
    RecordingPrompter prompter;
    MacroArea area;
    MacroRecorder recorder{area, prompter, UiLanguage::English};
};

TEST_F(MacroRecorderTest, APressAndAReleaseGiveThreeLines) {
    ASSERT_TRUE(recorder.Start());
    EXPECT_EQ(prompter.messages, (std::vector<Message>{{"Start Recording", ""}}));
    EXPECT_TRUE(area.lineList.empty());  // the macro's old lines make way
    Record({Down("A"), Up("A")});
    EXPECT_EQ(area.lineList, (Lines{"A   Dn", "50 ms", "A   Up"}));
    EXPECT_EQ(area.selectedLine, 2);
}

TEST_F(MacroRecorderTest, RecordsKeyStreamsAsTheKeyboardGivesThem) {
    struct Case {
        const char* what;
        std::vector<RecordedKey> keys;
        Lines lines;
    };
    const Case cases[] = {
        {"a held key from the very first press", {Down("A"), Repeat("A"), Repeat("A"), Up("A")},
         {"A   Dn", "50 ms", "A   Up"}},
        {"the same key twice", {Down("A"), Up("A"), Down("A"), Up("A")},
         {"A   Dn", "50 ms", "A   Up", "50 ms", "A   Dn", "50 ms", "A   Up"}},
        {"a key held before the start", {Up("Shift")}, {"50 ms", "Shift   Up"}},
        {"a repeat of a key held before the start counts once",
         {Repeat("B"), Repeat("B"), Up("B")}, {"B   Dn", "50 ms", "B   Up"}},
        {"left and right differ", {Down("Ctrl"), Down("Right Ctrl"), Up("Right Ctrl"), Up("Ctrl")},
         {"Ctrl   Dn", "50 ms", "Right Ctrl   Dn", "50 ms", "Right Ctrl   Up", "50 ms", "Ctrl   Up"}},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(recorder.Start()) << c.what;
        for (const RecordedKey& key : c.keys) recorder.Key(key);
        EXPECT_EQ(area.lineList, c.lines) << c.what;
        recorder.Stop();
    }
}

TEST_F(MacroRecorderTest, CtrlBreakEndsTheRecordingWithoutLeavingEitherKey) {
    ASSERT_TRUE(recorder.Start());
    Record({Down("A"), Up("A"), Down("Ctrl")});
    EXPECT_TRUE(recorder.Key(Down("Pause")));
    EXPECT_FALSE(recorder.Recording());
    EXPECT_EQ(area.lineList, (Lines{"A   Dn", "50 ms", "A   Up"}));
    Record({Up("Pause"), Up("Ctrl"), Down("B")});  // after the end: not recorded
    EXPECT_EQ(area.lineList, (Lines{"A   Dn", "50 ms", "A   Up"}));

    // Ctrl alone, then Break: an empty macro.
    ASSERT_TRUE(recorder.Start());
    Record({Down("Right Ctrl"), Down("Pause")});
    EXPECT_TRUE(area.lineList.empty());

    // After a release of a key held before the start, the first press comes without a pause.
    ASSERT_TRUE(recorder.Start());
    Record({Up("Enter"), Down("Ctrl"), Down("Pause")});
    EXPECT_EQ(area.lineList, (Lines{"50 ms", "Enter   Up"}));
}

TEST_F(MacroRecorderTest, CtrlBreakAfterACombinationReleasesTheCtrl) {
    ASSERT_TRUE(recorder.Start());
    Record({Down("Ctrl"), Down("C"), Up("C"), Down("Pause")});
    EXPECT_FALSE(recorder.Recording());
    EXPECT_EQ(area.lineList, (Lines{"Ctrl   Dn", "50 ms", "C   Dn", "50 ms", "C   Up", "50 ms", "Ctrl   Up"}));
    // Pause without Ctrl is an ordinary key.
    ASSERT_TRUE(recorder.Start());
    Record({Down("Pause"), Up("Pause")});
    EXPECT_TRUE(recorder.Recording());
    EXPECT_EQ(area.lineList, (Lines{"Pause   Dn", "50 ms", "Pause   Up"}));
}

TEST_F(MacroRecorderTest, StartAndStopSayWhatHappens) {
    // Stop before any recording: pointless.
    recorder.Stop();
    EXPECT_EQ(prompter.messages, (std::vector<Message>{{"Stop Recording", ""},
                                                       {"It doesn’t start recording, unnecessary to press Stop key!",
                                                        "Warning"}}));
    prompter.messages.clear();
    ASSERT_TRUE(recorder.Start());
    recorder.Stop();
    EXPECT_FALSE(recorder.Recording());
    recorder.Stop();  // after a recording has ended: only the box
    EXPECT_EQ(prompter.messages,
              (std::vector<Message>{{"Start Recording", ""}, {"Stop Recording", ""}, {"Stop Recording", ""}}));
    Record({Down("A")});
    EXPECT_TRUE(area.lineList.empty());
}

TEST_F(MacroRecorderTest, NothingStartsWithoutAMacroAndKeysWithoutASelectionAreDropped) {
    MacroArea empty(folder.path() / "none.ini", config, prompter);
    MacroRecorder without(empty, prompter, UiLanguage::English);
    EXPECT_FALSE(without.Start());
    EXPECT_EQ(prompter.messages, (std::vector<Message>{{"Macro name is blank", "Warning"}}));
    EXPECT_FALSE(without.Recording());

    ASSERT_TRUE(recorder.Start());
    area.selectedMacro = -1;
    Record({Down("A"), Up("A")});
    EXPECT_TRUE(area.lineList.empty());
    EXPECT_TRUE(recorder.Recording());
}

TEST_F(MacroRecorderTest, AStartDuringARecordingStartsAfresh) {
    ASSERT_TRUE(recorder.Start());
    Record({Down("A")});
    ASSERT_TRUE(recorder.Start());
    Record({Down("B")});
    EXPECT_EQ(area.lineList, (Lines{"B   Dn"}));
    recorder.Abandon();
    Record({Up("B")});
    EXPECT_EQ(area.lineList, (Lines{"B   Dn"}));
}

}  // namespace
}  // namespace kz7
