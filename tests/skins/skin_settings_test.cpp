#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

#include "skins/button_labels.h"
#include "skins/skin_settings.h"

namespace kz7 {
namespace {

class StrIniTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = std::filesystem::temp_directory_path() /
              ("kz7-skins-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir / "Skins");
        strIni = dir / "str.ini";
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    void Write(const std::string& text) { std::ofstream(strIni, std::ios::binary) << text; }
    std::string Read() {
        std::ifstream in(strIni, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    std::filesystem::path dir;
    std::filesystem::path strIni;
};

TEST(ButtonLabelKeys, ModeBKeysEndInThree) {
    const std::tuple<int, int, std::string> cases[] = {
        {0, 1, "Item1"}, {0, 9, "Item9"}, {0, 10, "Item10"}, {0, 12, "Item12"},
        {1, 1, "Item13"}, {1, 9, "Item93"}, {1, 10, "Item103"}, {1, 12, "Item123"}};
    for (const auto& [mode, slot, key] : cases) EXPECT_EQ(LabelKey(mode, slot), key);
    EXPECT_EQ(LabelSectionName(UiLanguage::English), "Setting-EN");
    EXPECT_EQ(LabelSectionName(UiLanguage::SimplifiedChinese), "Setting-CHS");
    EXPECT_EQ(LabelSectionName(UiLanguage::TraditionalChinese), "Setting-CHT");
}

TEST_F(StrIniTest, LabelsAreReadPerLanguageForAllTwelveSlotsOfBothModes) {
    Write("[Setting-EN]\nItem1=Left Click\nItem12=twelve\nItem13=B one\nItem123=B twelve\n"
          "[Setting-CHS]\nItem1=左键\n");
    const ButtonLabels english = LoadButtonLabels(strIni, UiLanguage::English);
    EXPECT_EQ(english.text[0][0], "Left Click");
    EXPECT_EQ(english.text[0][11], "twelve");
    EXPECT_EQ(english.text[1][0], "B one");
    EXPECT_EQ(english.text[1][11], "B twelve");
    EXPECT_EQ(english.text[0][1], "");
    const ButtonLabels chinese = LoadButtonLabels(strIni, UiLanguage::SimplifiedChinese);
    EXPECT_EQ(chinese.text[0][0], "左键");
    EXPECT_EQ(chinese.text[1][0], "");
    EXPECT_EQ(LoadButtonLabels(strIni, UiLanguage::TraditionalChinese), ButtonLabels{});
    EXPECT_EQ(LoadButtonLabels(dir / "missing.ini", UiLanguage::English), ButtonLabels{});
}

TEST_F(StrIniTest, LongLabelsAreCutAt1023Characters) {
    std::string wide, wideCut;
    for (int i = 0; i < 1500; ++i) wide += "左";
    for (int i = 0; i < 1023; ++i) wideCut += "左";
    Write("[Setting-EN]\nItem1=" + std::string(1500, 'x') + "\nItem2=" + wide + "\n");
    const ButtonLabels labels = LoadButtonLabels(strIni, UiLanguage::English);
    EXPECT_EQ(labels.text[0][0], std::string(1023, 'x'));
    EXPECT_EQ(labels.text[0][1], wideCut);  // characters, not bytes
}

TEST_F(StrIniTest, SaveWritesSlotsOneToNineOnlyAndKeepsEverythingElse) {
    Write("[Skins]\nRColor=1\n[Setting-EN]\nItem10=hand-made ten\nItem103=hand-made B ten\nItem1=old\n"
          "[Setting-CHS]\nItem1=左键\n");
    ButtonLabels labels;
    for (int mode = 0; mode < 2; ++mode) {
        for (int slot = 1; slot <= 12; ++slot) {
            // Appended: `"A" + std::to_string(slot)` makes GCC 12 at -O3 warn falsely (-Wrestrict).
            std::string& label = labels.text[mode][slot - 1];
            label.assign(1, mode ? 'B' : 'A');
            label += std::to_string(slot);
        }
    }
    ASSERT_EQ(SaveButtonLabels(strIni, UiLanguage::English, labels), 0);

    std::string expected = "[Skins]\nRColor=1\n[Setting-EN]\nItem10=hand-made ten\nItem103=hand-made B ten\nItem1=A1\n";
    for (int slot = 2; slot <= 9; ++slot) expected += "Item" + std::to_string(slot) + "=A" + std::to_string(slot) + "\n";
    for (int slot = 1; slot <= 9; ++slot) expected += "Item" + std::to_string(slot) + "3=B" + std::to_string(slot) + "\n";
    expected += "[Setting-CHS]\nItem1=左键\n";
    EXPECT_EQ(Read(), expected);

    const ButtonLabels back = LoadButtonLabels(strIni, UiLanguage::English);
    EXPECT_EQ(back.text[0][8], "A9");
    EXPECT_EQ(back.text[1][8], "B9");
    EXPECT_EQ(back.text[0][9], "hand-made ten");
    EXPECT_EQ(back.text[1][9], "hand-made B ten");
    EXPECT_EQ(back.text[0][11], "");
}

TEST_F(StrIniTest, SaveCreatesAMissingFileAndReportsAnUnwritableOne) {
    ButtonLabels labels;
    SetDefaultLabels(labels, UiLanguage::TraditionalChinese);
    ASSERT_EQ(SaveButtonLabels(strIni, UiLanguage::TraditionalChinese, labels), 0);
    EXPECT_EQ(LoadButtonLabels(strIni, UiLanguage::TraditionalChinese), labels);
    EXPECT_NE(SaveButtonLabels(dir / "no-such-folder" / "str.ini", UiLanguage::English, labels), 0);
    // A str.ini that cannot be read is never replaced by a file holding only the labels.
    std::filesystem::create_directories(dir / "blocked" / "str.ini");
    EXPECT_NE(SaveButtonLabels(dir / "blocked" / "str.ini", UiLanguage::English, labels), 0);
}

TEST_F(StrIniTest, AFileFromWindowsIsReadAndKeepsItsForm) {
    // UTF-16LE with a byte-order mark and CRLF, as Windows writes it.
    const std::u16string text = u"[Setting-CHS]\r\nItem1=左键\r\nItem2=右键\r\n";
    std::string bytes = "\xFF\xFE";
    for (char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    Write(bytes);
    ButtonLabels labels = LoadButtonLabels(strIni, UiLanguage::SimplifiedChinese);
    EXPECT_EQ(labels.text[0][0], "左键");
    EXPECT_EQ(labels.text[0][1], "右键");
    labels.text[0][0] = "中键";
    ASSERT_EQ(SaveButtonLabels(strIni, UiLanguage::SimplifiedChinese, labels), 0);
    const std::string saved = Read();
    EXPECT_EQ(saved.substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(LoadButtonLabels(strIni, UiLanguage::SimplifiedChinese).text[0][0], "中键");
}

TEST(DefaultLabels, FirstNineSlotsInTheLanguageAndTheRestUntouched) {
    ButtonLabels labels;
    labels.text[0][9] = "kept";
    SetDefaultLabels(labels, UiLanguage::SimplifiedChinese);
    const std::array<std::string, 9> expected = {"左键", "右键", "中键", "前进方向键", "后退方向键",
                                                 "DPI Loop", "按键关闭", "按键关闭", "按键关闭"};
    for (int mode = 0; mode < 2; ++mode)
        for (std::size_t slot = 0; slot < 9; ++slot) EXPECT_EQ(labels.text[mode][slot], expected[slot]);
    EXPECT_EQ(labels.text[0][9], "kept");
    SetDefaultLabels(labels, UiLanguage::English);
    EXPECT_EQ(labels.text[1][0], "Left Click");
    EXPECT_EQ(labels.text[1][8], "Key Off");
}

TEST_F(StrIniTest, ColourAndSkinAreReadWithTheirFallbacks) {
    const std::filesystem::path root = dir / "Skins";
    std::filesystem::create_directories(root / "Blue");
    struct Case {
        std::string file;
        TextColour colour;
        std::string name;
        std::filesystem::path folder;
    };
    const Case cases[] = {
        {"", {0, 0, 0}, "", root},  // no str.ini at all: black text, default skin
        {"[Setting-EN]\nItem1=x\n", {0, 0, 0}, "", root},
        {"[Skins]\nRColor=255\nGColor=128\nBColor=7\nPath=Blue\n", {255, 128, 7}, "Blue", root / "Blue"},
        {"[skins]\nrcolor= 300\nGColor=-1\nBColor=12abc\npath=\n", {44, 255, 12}, "", root},
        {"[Skins]\nPath=Gone\n", {0, 0, 0}, "Gone", root},
        {"[Skins]\nPath=../../etc\n", {0, 0, 0}, "", root},
        {"[Skins]\nPath=..\n", {0, 0, 0}, "", root},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(strIni);
        if (!c.file.empty()) Write(c.file);
        const SkinSettings settings = LoadSkinSettings(strIni, root);
        SCOPED_TRACE(c.file);
        EXPECT_EQ(settings.textColour, c.colour);
        EXPECT_EQ(settings.skinName, c.name);
        EXPECT_EQ(settings.skinFolder, c.folder);
    }
}

TEST_F(StrIniTest, SkinChoiceIsSavedBesideTheLabels) {
    Write("[Setting-EN]\nItem1=Left Click\n[Skins]\nPath=Old\nExtra=1\n");
    std::filesystem::create_directories(dir / "Skins" / "Red");
    SkinSettings settings;
    settings.skinName = "Red";
    settings.skinFolder = dir / "Skins" / "Red";
    settings.textColour = {12, 0, 255};
    ASSERT_EQ(SaveSkinChoice(strIni, settings), 0);
    EXPECT_EQ(Read(), "[Setting-EN]\nItem1=Left Click\n[Skins]\nPath=Red\nExtra=1\nRColor=12\nGColor=0\nBColor=255\n");
    const SkinSettings back = LoadSkinSettings(strIni, dir / "Skins");
    EXPECT_EQ(back.textColour, settings.textColour);
    EXPECT_EQ(back.skinFolder, settings.skinFolder);
}

TEST(SkinNames, OnlyPlainSubfolderNames) {
    EXPECT_TRUE(IsSkinName("Blue"));
    EXPECT_TRUE(IsSkinName("Dark skin 2"));
    EXPECT_TRUE(IsSkinName("..hidden"));
    EXPECT_FALSE(IsSkinName(""));
    EXPECT_FALSE(IsSkinName("."));
    EXPECT_FALSE(IsSkinName(".."));
    EXPECT_FALSE(IsSkinName("a/b"));
    EXPECT_FALSE(IsSkinName("/etc"));
    EXPECT_FALSE(IsSkinName("..\\x"));
    EXPECT_FALSE(IsSkinName(std::string_view("a\0b", 3)));
}

TEST_F(StrIniTest, SkinsRootBesideTheProgramOrInstalled) {
    EXPECT_EQ(ChooseSkinsRoot(dir), dir / "Skins");
    EXPECT_EQ(ChooseSkinsRoot(dir / "bin"), dir / "share" / "kz7" / "Skins");
}

TEST(TextColourValue, RedIsTheLowestByte) {
    EXPECT_EQ(ColourValue(kInitialTextColour), 0x00FF00u);
    EXPECT_EQ(ColourValue({1, 2, 3}), 0x030201u);
    EXPECT_EQ(ColourValue({255, 255, 255}), 0xFFFFFFu);
}

}  // namespace
}  // namespace kz7
