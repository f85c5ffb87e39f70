// Runs the real kz7ctl macros commands on data folders made here.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>
#include <sstream>

#include "config/config_file.h"
#include "ini/utf8.h"
#include "macros/macro_blocks.h"
#include "macros/macro_fixture.h"
#include "support/run_command.h"

namespace kz7 {
namespace {

using ::testing::HasSubstr;
using testing_support::NumberedName;
using testing_support::Section;
using testing_support::TempFolder;

struct MacroRun {
    int status = -1;
    std::string out;  // stdout
    std::string err;  // stderr
};

class Kz7ctlMacrosTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(Run("init " + (folder_ / "config.bin").string()).status, 0); }

    MacroRun Run(const std::string& arguments) {
        const std::string errFile = (folder_ / "stderr.txt").string();
        const std::string command =
            testing_support::Kz7ctlCommand() + " " + arguments + " --data-dir " + folder_.path().string() + " 2>" + errFile;
        const testing_support::CommandRun shell = testing_support::RunShell(command);
        MacroRun run;
        run.status = shell.status;
        run.out = shell.out;
        run.err = folder_.Read("stderr.txt");
        return run;
    }

    DeviceConfig Config() {
        std::string why;
        const auto image = ReadConfigImage(folder_ / "config.bin", &why);
        EXPECT_TRUE(image) << why;
        return image ? image->config : ZeroConfig();
    }

    TempFolder folder_;
};

std::vector<std::string> OutputLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

TEST_F(Kz7ctlMacrosTest, SaveListShowAndBlocks) {
    folder_.Write("fire.txt", "\xEF\xBB\xBF" "A   Dn\r\n50 ms\r\nA   Up\r\n");
    const MacroRun save = Run("macros save Fire1 " + (folder_ / "fire.txt").string());
    ASSERT_EQ(save.status, 0) << save.err;
    EXPECT_EQ(folder_.Read("record.ini"), Section("Fire1", {"A   Dn", "50 ms", "A   Up"}));
    EXPECT_EQ(Run("macros list").out, "Fire1\n");
    EXPECT_EQ(Run("macros show fire1").out, "A   Dn\n50 ms\nA   Up\n");

    const auto blocks = OutputLines(Run("macros blocks").out);
    ASSERT_EQ(blocks.size(), 12u);
    std::string expected = "block 1: 00 00 05 04 80 04";
    for (int i = 6; i < 128; ++i) expected += " 00";
    EXPECT_EQ(blocks[0], expected);
    EXPECT_TRUE(blocks[11].starts_with("block 12: 00 00 00"));
    EXPECT_EQ(blocks[11].size(), std::string("block 12: ").size() + 128 * 3 - 1);
}

TEST_F(Kz7ctlMacrosTest, CompileRebuildsFromAWindowsRecordIni) {
    const std::string text = "[Burst]\r\nItemCount=3\r\nItem0=L-Button   Dn\r\nItem1=1271 ms\r\nItem2=L-Button   Up\r\n"
                             "[\xE8\xB7\xB3]\r\nItemCount=2\r\nItem0=Space   Up\r\nItem1=1270 ms\r\n";
    folder_.Write("record.ini", "\xFF\xFE" + Utf16FromUtf8(text, false));
    const MacroRun compile = Run("macros compile");
    ASSERT_EQ(compile.status, 0) << compile.err;
    const auto lines = OutputLines(compile.out);
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_TRUE(lines[0].starts_with("block 1: 00 00 47 f0 0c 03 80 f0 00 00")) << lines[0];
    EXPECT_TRUE(lines[1].starts_with("block 2: 00 00 ff 2c 00 00")) << lines[1];
    EXPECT_EQ(Run("macros blocks").out, compile.out) << "compile must store what it prints";
    EXPECT_EQ(Run("macros list").out, "Burst\n\xE8\xB7\xB3\n");
}

TEST_F(Kz7ctlMacrosTest, CompileWithoutRecordIniKeepsTheBlocks) {
    const MacroRun compile = Run("macros compile");
    EXPECT_EQ(compile.status, 0);
    EXPECT_THAT(compile.err, HasSubstr("does not exist"));
    EXPECT_EQ(OutputLines(compile.out).size(), 12u);
}

TEST_F(Kz7ctlMacrosTest, LoopCountIsSetInTheMacrosBlock) {
    folder_.Write("record.ini", Section("One", {"A   Dn"}) + Section("Two", {"B   Dn"}));
    ASSERT_EQ(Run("macros compile").status, 0);
    ASSERT_EQ(Run("macros loop two 256").status, 0);
    EXPECT_EQ(MacroLoopCount(Config(), 1), 256u);
    EXPECT_EQ(Run("macros loop Two").out, "256\n");
    for (const char* bad : {"0", "65536", "12x", "-1", ""}) {
        const MacroRun run = Run(std::string("macros loop Two '") + bad + "'");
        EXPECT_NE(run.status, 0) << bad;
        EXPECT_THAT(run.err, HasSubstr("1 to 65535")) << bad;
    }
    EXPECT_EQ(MacroLoopCount(Config(), 1), 256u);
    EXPECT_NE(Run("macros loop Three 5").status, 0);
}

TEST_F(Kz7ctlMacrosTest, DeleteRemovesTheSectionButNotTheBlock) {
    folder_.Write("record.ini", Section("One", {"A   Dn"}) + Section("Two", {"B   Dn"}));
    ASSERT_EQ(Run("macros compile").status, 0);
    const std::string blocks = Run("macros blocks").out;
    ASSERT_EQ(Run("macros delete one").status, 0);
    EXPECT_EQ(folder_.Read("record.ini"), Section("Two", {"B   Dn"}));
    EXPECT_EQ(Run("macros blocks").out, blocks);
    EXPECT_NE(Run("macros delete One").status, 0);
    EXPECT_NE(Run("macros show One").status, 0);
}

TEST_F(Kz7ctlMacrosTest, SaveRefusesLongNamesAndAThirteenthMacro) {
    folder_.Write("lines.txt", "A   Dn\n");
    const std::string lines = (folder_ / "lines.txt").string();
    const MacroRun longName = Run("macros save " + std::string(32, 'x') + " " + lines);
    EXPECT_NE(longName.status, 0);
    EXPECT_THAT(longName.err, HasSubstr("at most 31 characters"));
    EXPECT_FALSE(std::filesystem::exists(folder_ / "record.ini"));
    EXPECT_NE(Run("macros save '  ' " + lines).status, 0);

    std::string twelve;
    for (int i = 0; i < 12; ++i) twelve += Section(NumberedName("m", i), {"A   Dn"});
    folder_.Write("record.ini", twelve);
    const MacroRun thirteenth = Run("macros save extra " + lines);
    EXPECT_NE(thirteenth.status, 0);
    EXPECT_THAT(thirteenth.err, HasSubstr("Macro numbers up to 12."));
    EXPECT_EQ(folder_.Read("record.ini"), twelve);
    EXPECT_EQ(Run("macros save M0 " + lines).status, 0) << "replacing one of twelve is allowed";
}

TEST_F(Kz7ctlMacrosTest, ChangesSayWhyAConfigBinCannotBeUsedAndTouchNothing) {
    folder_.Write("lines.txt", "B   Dn\n");
    const std::string record = Section("One", {"A   Dn"});
    const std::string config = (folder_ / "config.bin").string();
    const struct {
        const char* what;
        std::optional<std::string> content;  // none: no config.bin at all
        std::string reason;
    } files[] = {
        {"too short", std::string(5, '\x01'), config + ": not a config.bin (5 bytes, expected 2022)"},
        {"too long", std::string(kConfigFileSize + 1, '\x01'),
         config + ": not a config.bin (2023 bytes, expected 2022)"},
        {"missing", std::nullopt, config + ": no such file"},
    };
    for (const auto& file : files) {
        for (const std::string& command :
             {"macros save One " + (folder_ / "lines.txt").string(), std::string("macros loop One 5"),
              std::string("macros compile")}) {
            folder_.Write("record.ini", record);
            std::filesystem::remove(folder_ / "config.bin");
            if (file.content) folder_.Write("config.bin", *file.content);
            const MacroRun run = Run(command);
            EXPECT_NE(run.status, 0) << file.what << ": " << command;
            EXPECT_EQ(run.err, "kz7ctl: " + file.reason + "\n") << file.what << ": " << command;
            EXPECT_EQ(folder_.Read("record.ini"), record) << file.what << ": " << command;
            if (file.content) {
                EXPECT_EQ(folder_.Read("config.bin"), *file.content) << file.what << ": " << command;
            } else {
                EXPECT_FALSE(std::filesystem::exists(folder_ / "config.bin")) << command;
            }
        }
    }
}

TEST_F(Kz7ctlMacrosTest, AHugeHandMadeRecordIniNamesAFewMacrosWithoutABlock) {
    std::string text;
    for (int i = 0; i < 20000; ++i) text += Section(NumberedName("m", i), {"A   Dn"});
    folder_.Write("record.ini", text);
    const MacroRun compile = Run("macros compile");
    ASSERT_EQ(compile.status, 0) << compile.err.substr(0, 500);
    EXPECT_EQ(compile.err,
              "Warning: The mouse holds 12 macros; record.ini has more, and these are not sent to the mouse: "
              "\"m12\", \"m13\", \"m14\", \"m15\", \"m16\" ... and 19983 more.\n");
    EXPECT_EQ(OutputLines(compile.out).size(), 12u);
    EXPECT_EQ(Config().macroImage[11][3], 0x04);
}

TEST_F(Kz7ctlMacrosTest, SaveOfAMacroTooLongTellsWhichWasCut) {
    std::string text;
    for (int i = 0; i < 70; ++i) text += "A   Dn\n20 ms\n";
    folder_.Write("long.txt", text);
    const MacroRun save = Run("macros save 'Rapid fire' " + (folder_ / "long.txt").string());
    EXPECT_EQ(save.status, 0);
    EXPECT_THAT(save.err, HasSubstr("\"Rapid fire\""));
    const DeviceConfig config = Config();
    EXPECT_EQ(config.macroImage[0][127], 0x04);
    for (std::uint8_t byte : config.macroImage[1]) ASSERT_EQ(byte, 0);
}

}  // namespace
}  // namespace kz7
