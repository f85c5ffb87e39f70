// A profile is written to a data folder whole, or not at all.
#include <gtest/gtest.h>

#include "config/starter_config.h"
#include "macros/macro_blocks.h"
#include "profile/profile_state.h"
#include "support/temp_folder.h"

namespace kz7 {
namespace {

namespace fs = std::filesystem;
using testing_support::TempFolder;

ProfileState Sample() {
    ProfileState state;
    state.config = StarterConfig();
    state.labels[1].text[0][0] = "左键";
    state.macros = {{"Spray", {"A   Dn", "50 ms", "A   Up", "50 ms"}, 5}, {"Empty", {}, 0}};
    state.skin.skinName = "Crimson";
    RebuildProfileBlocks(state, nullptr);
    return state;
}

TEST(ProfileState, WhatIsWrittenReadsBackTheSame) {
    TempFolder folder;
    const DataPaths paths = DataPaths::InFolder(folder.path());
    folder.Write("str.ini", "; kept\n[Other]\nKey=1\n");
    const ProfileState state = Sample();
    ASSERT_EQ(WriteProfileState(paths, state), "");
    std::string problem;
    const auto read = ReadProfileState(paths, problem);
    ASSERT_TRUE(read) << problem;
    EXPECT_TRUE(SameBytes(read->config, state.config));
    EXPECT_EQ(read->labels, state.labels);
    EXPECT_EQ(read->macros, state.macros);
    EXPECT_EQ(read->skin.skinName, "Crimson");
    EXPECT_EQ(MacroLoopCount(read->config, 0), 5u);
    EXPECT_EQ(folder.Read("str.ini").rfind("; kept\n[Other]\nKey=1\n", 0), 0u);
}

TEST(ProfileState, AFileThatCannotBeWrittenPutsTheOthersBack) {
    TempFolder folder;
    const DataPaths paths = DataPaths::InFolder(folder.path());
    folder.WriteConfigBin(1, ZeroConfig());
    folder.Write("record.ini", "[Old]\nItemCount=0\n");
    // A read-only config.bin is never replaced, and it is written last.
    fs::permissions(paths.config, fs::perms::owner_read);
    const std::string problem = WriteProfileState(paths, Sample());
    fs::permissions(paths.config, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_NE(problem.find("config.bin could not be written: Permission denied"), std::string::npos) << problem;
    EXPECT_EQ(folder.Read("record.ini"), "[Old]\nItemCount=0\n");
    EXPECT_FALSE(fs::exists(paths.settings));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 2);
}

TEST(ProfileState, AFolderWithoutAConfigurationIsNoProfile) {
    TempFolder folder;
    folder.Write("config.bin", "short");
    std::string problem;
    EXPECT_FALSE(ReadProfileState(DataPaths::InFolder(folder.path()), problem));
    EXPECT_NE(problem.find("config.bin"), std::string::npos);
}

}  // namespace
}  // namespace kz7
