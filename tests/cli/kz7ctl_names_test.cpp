// kz7ctl names prints the lists the program itself uses, one word a line.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <sstream>

#include "config/atomic_file.h"
#include "config/record_labels.h"
#include "device/dpi_tables.h"
#include "keys/button_function_menu.h"
#include "keys/button_functions.h"
#include "keys/key_codes.h"
#include "locale/strings.h"
#include "support/run_command.h"

namespace kz7 {
namespace {

namespace fs = std::filesystem;

using Lines = std::vector<std::string>;

Lines SplitLines(const std::string& text) {
    Lines lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

template <typename Range, typename Project>
Lines Of(const Range& range, Project project) {
    Lines lines;
    for (const auto& item : range) lines.emplace_back(project(item));
    return lines;
}

Lines TextsOf(std::span<const UiText> texts) {
    return Of(texts, [](UiText text) { return Text(text, UiLanguage::English); });
}

Lines NamesOf(std::span<const NamedCode> table) {
    return Of(table, [](const NamedCode& entry) { return entry.name; });
}

Lines DpiLabels(std::uint8_t sensor) {
    Lines labels;
    for (int level = 0; level < DpiTableSize(sensor); ++level) {
        labels.emplace_back(DpiLabelFor(sensor, static_cast<std::uint8_t>(level)));
    }
    return labels;
}

class Kz7ctlNamesTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("kz7-cli-names-" + std::to_string(std::random_device{}()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    testing_support::CommandRun Run(const std::string& arguments, bool withStderr = false) const {
        return testing_support::RunShell(testing_support::Kz7ctlCommand() + " names " + arguments + " --data-dir '" +
                                         dir_.string() + "'" + (withStderr ? " 2>&1" : " 2>/dev/null"));
    }

    fs::path dir_;
};

TEST_F(Kz7ctlNamesTest, EachKindIsTheProgramsOwnList) {
    const struct {
        std::string arguments;
        Lines expected;
    } cases[] = {
        {"functions", Of(FunctionRows(UiLanguage::English), [](std::string_view row) { return row; })},
        {"words", Of(FunctionWords(), [](const FunctionWord& entry) { return entry.word; })},
        {"keys", NamesOf(KeyCodeTable())},
        {"modifiers", NamesOf(ModifierTable())},
        {"fire-keys", NamesOf(FireKeyTable())},
        {"media", TextsOf(MediaKeyTexts())},
        {"launch", TextsOf(LaunchTargetTexts())},
        {"lighting", {"Standard Mode", "Respiration Mode", "Neon Mode"}},
        {"lighting 'Standard Mode'", LedParamRows(1)},
        {"lighting 'Respiration Mode'", {"8S", "7S", "6S", "5S", "4S"}},
        {"lighting 'Neon Mode'", LedParamRows(3)},
        {"rates", {"125", "250", "500", "1000"}},
        {"dpi", DpiLabels(0)},
        {"dpi 1", {"600", "800", "1000", "1200", "1600", "2000", "2400", "3200"}},
        {"macros", {}},  // no record.ini yet
    };
    for (const auto& c : cases) {
        const auto run = Run(c.arguments);
        EXPECT_EQ(run.status, 0) << c.arguments;
        EXPECT_EQ(SplitLines(run.out), c.expected) << c.arguments;
    }
    // Spot checks that the tables are the ones the words name.
    const Lines keys = SplitLines(Run("keys").out);
    EXPECT_NE(std::find(keys.begin(), keys.end(), "Right Ctrl"), keys.end());
    EXPECT_NE(std::find(keys.begin(), keys.end(), "Num *"), keys.end());
    EXPECT_EQ(SplitLines(Run("functions").out).size(), 15u);
    EXPECT_EQ(SplitLines(Run("words").out).front(), "left");
}

TEST_F(Kz7ctlNamesTest, OnlyTheFirstTwelveMacrosCanBeBound) {
    std::string record;
    for (int i = 1; i <= 13; ++i) record += "[Macro " + std::to_string(i) + "]\r\nItemCount=1\r\nItem0=A   Dn\r\n";
    ASSERT_EQ(WriteFileAtomically(dir_ / "record.ini", std::string_view(record)), 0);
    const Lines names = SplitLines(Run("macros").out);
    ASSERT_EQ(names.size(), 12u);
    EXPECT_EQ(names.front(), "Macro 1");
    EXPECT_EQ(names.back(), "Macro 12");
}

TEST_F(Kz7ctlNamesTest, CommandsAndOptionsComeFromTheCommandTables) {
    const Lines commands = SplitLines(Run("commands").out);
    for (const char* command : {"init", "show", "macros save", "pointer show", "names"}) {
        EXPECT_NE(std::find(commands.begin(), commands.end(), command), commands.end()) << command;
    }
    EXPECT_EQ(std::find(commands.begin(), commands.end(), "macros"), commands.end()) << "a group is no command";
    EXPECT_EQ(SplitLines(Run("options show").out), (Lines{"--json", "--sensor N", "--data-dir DIR", "--help"}));
    EXPECT_EQ(SplitLines(Run("options macros loop").out), (Lines{"--data-dir DIR", "--help"}));
    EXPECT_EQ(SplitLines(Run("options").out), (Lines{"--version", "--help-all", "--data-dir DIR", "--help"}));
    const Lines kinds = SplitLines(Run("kinds").out);
    EXPECT_EQ(kinds.front(), "functions");
    EXPECT_EQ(kinds.back(), "kinds");
}

TEST_F(Kz7ctlNamesTest, UnknownKindsAndWordsAreRefusedWithWhatIsAllowed) {
    const struct {
        std::string arguments;
        std::string message;
    } cases[] = {
        {"", "usage: kz7ctl names KIND [WORDS]\nKIND is one of:\n  functions: "},
        {"colours", "kz7ctl: no kind of names \"colours\"\nKIND is one of:"},
        {"lighting 'Off Mode'",
         "kz7ctl: no lighting mode \"Off Mode\"; the modes are Standard Mode, Respiration Mode, Neon Mode\n"},
        {"lighting 'Neon Mode' extra", "kz7ctl: usage: kz7ctl names lighting [MODE]\n"},
        {"keys A", "kz7ctl: names keys takes no further words\n"},
        {"dpi 4", "kz7ctl: SENSOR takes a sensor type from 0 to 3\n"},
        {"options frobnicate", "kz7ctl: no command \"frobnicate\"\n"},
    };
    for (const auto& c : cases) {
        const auto run = Run(c.arguments, true);
        EXPECT_EQ(run.status, 1) << c.arguments;
        EXPECT_NE(run.out.find(c.message), std::string::npos) << c.arguments << "\n" << run.out;
    }
}

}  // namespace
}  // namespace kz7
