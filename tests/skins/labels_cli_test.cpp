// Runs the real kz7ctl labels command on a str.ini made here.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <sys/wait.h>

#include "config/atomic_file.h"

namespace kz7 {
namespace {

namespace fs = std::filesystem;

class LabelsCliTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("kz7-labels-cli-" + std::to_string(std::random_device{}()));
        fs::create_directories(dir_);
        ASSERT_EQ(system((std::string(KZ7_BINARY_DIR "/bin/kz7ctl init '") + (dir_ / "config.bin").string() + "'")
                             .c_str()),
                  0);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::pair<int, std::string> Labels(const std::string& environment, const std::string& arguments) const {
        const std::string command = "env -u LC_ALL -u LC_MESSAGES " + environment + " " KZ7_BINARY_DIR
                                    "/bin/kz7ctl labels " + arguments + " --data-dir '" + dir_.string() + "' 2>&1";
        FILE* pipe = popen(command.c_str(), "r");
        std::string out;
        if (!pipe) return {-1, out};
        char buffer[4096];
        std::size_t n;
        while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
        const int status = pclose(pipe);
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
    }

    fs::path dir_;
};

TEST_F(LabelsCliTest, PrintsBothModesOfTheChosenLanguage) {
    ASSERT_EQ(WriteFileAtomically(dir_ / "str.ini",
                                  "[Setting-EN]\nItem1=Left Click\nItem123=B twelve\n"
                                  "[Setting-CHS]\nItem1=左键\nItem93=按键关闭\n"),
              0);
    const auto [status, out] = Labels("LANG=C", "--lang chs");
    EXPECT_EQ(status, 0) << out;
    EXPECT_NE(out.find("[Setting-CHS]"), std::string::npos) << out;
    EXPECT_NE(out.find("  Item1 (button 1): 左键\n"), std::string::npos) << out;
    EXPECT_NE(out.find("  Item93 (button 9): 按键关闭\n"), std::string::npos) << out;
    EXPECT_EQ(out.find("Left Click"), std::string::npos) << out;

    const auto [englishStatus, english] = Labels("LANG=C", "");
    EXPECT_EQ(englishStatus, 0);
    EXPECT_NE(english.find("  Item123 (button 12): B twelve\n"), std::string::npos) << english;
}

TEST_F(LabelsCliTest, FollowsTheSystemLanguageAndRefusesUnknownOnes) {
    const auto [status, out] = Labels("LANG=zh_TW.UTF-8", "");
    EXPECT_EQ(status, 0) << out;
    EXPECT_NE(out.find("[Setting-CHT]"), std::string::npos) << out;
    EXPECT_NE(out.find("  Item1 (button 1): \n"), std::string::npos) << out;  // no str.ini: empty labels
    EXPECT_EQ(Labels("LANG=C", "--lang de").first, 1);
}

}  // namespace
}  // namespace kz7
