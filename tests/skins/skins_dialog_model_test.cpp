#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "skins/skin_settings.h"
#include "skins/skins_dialog_model.h"
#include "support/temp_folder.h"

namespace kz7 {
namespace {

namespace fs = std::filesystem;
using testing_support::TempFolder;
using Names = std::vector<std::string>;

// A skins root as users leave it: skins, a nested folder, images lying
// directly in the root (the default skin), links, names with blanks or quotes
// around them (which str.ini keeps in quotes), and names that str.ini could
// not give back.
class SkinsRootTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* folder : {"Crimson", "amber", "Blue sky", "Crimson/Inner", " padded", "trailing ",
                                   "line\nbreak", "\"quoted\"", "back\\slash", "日本"}) {
            fs::create_directories(root() / folder);
        }
        Touch(root() / "main.png");
        Touch(root() / "notes.txt");
        Touch(root() / "Crimson" / "main.png");
        fs::create_directory_symlink(root() / "amber", root() / "Linked");
        fs::create_symlink(root() / "notes.txt", root() / "LinkToFile");
        fs::create_symlink(root() / "gone", root() / "Broken");
    }
    static void Touch(const fs::path& file) { std::ofstream(file) << "x"; }
    fs::path root() const { return temp.path() / "Skins"; }

    TempFolder temp;
};

TEST_F(SkinsRootTest, ListsTheFoldersOnlySortedByName) {
    EXPECT_EQ(ListSkinFolders(root()),
              (Names{" padded", "\"quoted\"", "Blue sky", "Crimson", "Linked", "amber", "trailing ", "日本"}));
}

TEST(SkinsRoot, AMissingEmptyOrPlainFileRootListsNothing) {
    TempFolder temp;
    fs::create_directories(temp / "Empty");
    std::ofstream(temp / "File") << "not a folder";
    for (const char* root : {"Missing", "Empty", "File"}) EXPECT_EQ(ListSkinFolders(temp / root), Names{}) << root;
}

TEST(SkinsRoot, OnlyNamesThatStrIniKeepsAreListable) {
    const std::pair<const char*, bool> cases[] = {
        {"Crimson", true},    {"Blue sky", true},  {"日本", true},        {"it's", true},      {"\"half", true},
        {"", false},          {".", false},        {"..", false},         {" padded", true},   {"trailing ", true},
        {"tab\there", true},  {"\ttab", true},     {"line\nbreak", false}, {"cr\rhere", false}, {"\"quoted\"", true},
        {"'quoted'", true},   {"a/b", false},      {"a\\b", false},
    };
    for (const auto& [name, listable] : cases) EXPECT_EQ(IsListableSkinName(name), listable) << '"' << name << '"';
}

TEST_F(SkinsRootTest, TheExactNameOfAListedFolderIsChosenAndAnythingElseChangesNothing) {
    const SkinSettings current{"", root(), {1, 2, 3}};
    struct Case {
        const char* name;
        bool chosen;
    };
    const Case cases[] = {
        {"Crimson", true}, {"Linked", true},     {"日本", true},   {"crimson", false}, {"CRIMSON", false},
        {"Inner", false},  {"notes.txt", false}, {"main.png", false}, {"LinkToFile", false}, {"Broken", false},
        {"", false},       {".", false},         {"..", false},      {" padded", true},   {"Crimson ", false},
    };
    for (const Case& c : cases) {
        SkinsDialogModel model(root(), current);
        EXPECT_EQ(model.ChooseSkin(c.name), c.chosen) << c.name;
        const SkinSettings& result = model.Result();
        EXPECT_EQ(result.skinName, c.chosen ? c.name : "") << c.name;
        EXPECT_EQ(result.skinFolder, c.chosen ? root() / c.name : root()) << c.name;
    }
}

TEST_F(SkinsRootTest, OkWithoutAPickHandsBackTheSkinInUseWithTheNewColour) {
    SkinsDialogModel model(root(), SkinSettings{"Crimson", root() / "Crimson", {0, 255, 0}});
    EXPECT_EQ(model.Colour(), (TextColour{0, 255, 0}));
    model.SetColour({10, 20, 30});
    EXPECT_EQ(model.Result().skinName, "Crimson");
    EXPECT_EQ(model.Result().skinFolder, root() / "Crimson");
    EXPECT_EQ(model.Result().textColour, (TextColour{10, 20, 30}));
}

TEST_F(SkinsRootTest, AFolderGoneSinceTheListWasFilledIsNotChosen) {
    SkinsDialogModel model(root(), SkinSettings{"", root(), {}});
    const Names listed = model.SkinNames();
    ASSERT_EQ(listed[2], "Blue sky");
    ASSERT_TRUE(model.ChooseSkin("amber"));
    fs::remove_all(root() / "Blue sky");
    EXPECT_FALSE(model.ChooseSkin(listed[2]));
    // The earlier choice stands, name and folder together.
    EXPECT_EQ(model.SkinName(), "amber");
    EXPECT_EQ(model.Result().skinFolder, root() / "amber");
    EXPECT_EQ(model.SkinNames(), (Names{" padded", "\"quoted\"", "Crimson", "Linked", "amber", "trailing ", "日本"}));
}

TEST_F(SkinsRootTest, TheDefaultSkinIsOfferedWhileTheRootHoldsItsOwnBackground) {
    SkinsDialogModel model(root(), SkinSettings{"Crimson", root() / "Crimson", {}});
    EXPECT_TRUE(model.OffersDefaultSkin());
    ASSERT_TRUE(model.ChooseDefaultSkin());
    EXPECT_EQ(model.Result(), (SkinSettings{"", root(), {}}));

    ASSERT_TRUE(model.ChooseSkin("Crimson"));
    fs::remove(root() / "main.png");
    EXPECT_FALSE(model.OffersDefaultSkin());
    EXPECT_FALSE(model.ChooseDefaultSkin());
    EXPECT_EQ(model.Result(), (SkinSettings{"Crimson", root() / "Crimson", {}}));
    // A folder of that name is no background.
    fs::create_directory(root() / "main.png");
    EXPECT_FALSE(model.OffersDefaultSkin());
}

TEST_F(SkinsRootTest, TheChoiceIsSavedAsTheFolderNameAndReadBackToTheSameFolder) {
    SkinsDialogModel model(root(), SkinSettings{"", root(), {}});
    ASSERT_TRUE(model.ChooseSkin("Blue sky"));
    model.SetColour({200, 100, 50});
    const fs::path strIni = temp / "str.ini";
    ASSERT_EQ(SaveSkinChoice(strIni, model.Result()), 0);
    EXPECT_EQ(TempFolder::ReadFile(strIni), "[Skins]\nRColor=200\nGColor=100\nBColor=50\nPath=Blue sky\n");
    EXPECT_EQ(SkinChoiceNotSavedMessage(strIni, ENOSPC),
              "The skin choice could not be saved to " + strIni.string() + ": No space left on device (error " +
                  std::to_string(ENOSPC) + ").");
    const SkinSettings loaded = LoadSkinSettings(strIni, root());
    EXPECT_EQ(loaded.skinName, "Blue sky");
    EXPECT_EQ(loaded.skinFolder, model.Result().skinFolder);
    EXPECT_EQ(loaded.textColour, (TextColour{200, 100, 50}));
}

}  // namespace
}  // namespace kz7
