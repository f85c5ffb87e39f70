// kz7ctl export and import between real data folders.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "config/atomic_file.h"
#include "support/run_command.h"

namespace kz7 {
namespace {

namespace fs = std::filesystem;
using testing_support::CommandRun;

class Kz7ctlProfileTest : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() / ("kz7-profile-" + std::to_string(std::random_device{}()));
        fs::create_directories(root_ / "from");
        ASSERT_EQ(Run("init " + (root_ / "from/config.bin").string()).status, 0);
        ASSERT_EQ(Run("macros save --data-dir " + Folder("from") + " Spray - <<'END'\nA   Dn\n50 ms\nA   Up\n50 ms\nEND").status, 0);
        for (const char* line : {"button 2 macro Spray --repeat 2", "--lang cht button 3 key Tab", "dpi 3 --level 9 --sensor 0",
                                 "color 2 '#123456'"}) {
            ASSERT_EQ(Run("set --data-dir " + Folder("from") + " " + line).status, 0) << line;
        }
        ASSERT_EQ(Run("macros loop --data-dir " + Folder("from") + " Spray 7").status, 0);
    }
    void TearDown() override { fs::remove_all(root_); }

    CommandRun Run(const std::string& arguments) const {
        return testing_support::RunShell(testing_support::Kz7ctlCommand() + " " + arguments + " 2>&1");
    }
    std::string Folder(const char* name) const { return (root_ / name).string(); }
    std::string Content(const fs::path& path) const {
        std::string content;
        ReadWholeFile(path, content);
        return content;
    }
    fs::path root_;
};

TEST_F(Kz7ctlProfileTest, ExportThenImportIntoAnEmptyFolderRestoresTheSetup) {
    const std::string profile = (root_ / "game.json").string();
    ASSERT_EQ(Run("export --data-dir " + Folder("from") + " " + profile).status, 0);
    const CommandRun run = Run("import --data-dir " + Folder("to") + " " + profile);
    ASSERT_EQ(run.status, 0) << run.out;
    EXPECT_TRUE(Content(root_ / "to/config.bin") == Content(root_ / "from/config.bin"));
    EXPECT_EQ(Content(root_ / "to/record.ini"), Content(root_ / "from/record.ini"));
    // The first line names the file.
    auto labels = [&](const char* folder) {
        const std::string out = Run("labels --lang cht --data-dir " + Folder(folder)).out;
        return out.substr(out.find('\n'));
    };
    EXPECT_EQ(labels("to"), labels("from"));
    EXPECT_EQ(Run("macros loop --data-dir " + Folder("to") + " Spray").out, "7\n");
}

TEST_F(Kz7ctlProfileTest, AFaultyDocumentLeavesEveryFileAsItWas) {
    fs::copy(root_ / "from", root_ / "to");
    const std::string before[] = {Content(root_ / "to/config.bin"), Content(root_ / "to/record.ini"),
                                  Content(root_ / "to/str.ini")};
    ASSERT_EQ(WriteFileAtomically(root_ / "bad.json", std::string_view(R"({"kz7Profile": 1, "reportRateHz": 300,
        "macros": [{"name": "Spray", "lines": ["B   Dn"]}, {"name": "spray"}]})")), 0);
    const CommandRun run = Run("import --data-dir " + Folder("to") + " " + (root_ / "bad.json").string());
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find("bad.json: /macros/1/name: a second macro named \"spray\""), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("bad.json: /reportRateHz: expected 125, 250, 500 or 1000, found 300"), std::string::npos);
    EXPECT_NE(run.out.find("kz7ctl: nothing was imported: 2 problems"), std::string::npos);
    EXPECT_TRUE(Content(root_ / "to/config.bin") == before[0]);
    EXPECT_EQ(Content(root_ / "to/record.ini"), before[1]);
    EXPECT_EQ(Content(root_ / "to/str.ini"), before[2]);
    EXPECT_EQ(std::distance(fs::directory_iterator(root_ / "to"), fs::directory_iterator()), 3);

    EXPECT_EQ(Run("import --data-dir " + Folder("empty") + " " + (root_ / "bad.json").string()).status, 1);
    EXPECT_FALSE(fs::exists(root_ / "empty/config.bin"));
}

TEST_F(Kz7ctlProfileTest, StandardInputAndOutputCarryTheDocumentAndApplyReachesTheMouse) {
    const CommandRun run = Run("export --data-dir " + Folder("from") + " - | " + testing_support::Kz7ctlCommand() +
                               " import --data-dir " + Folder("to") + " --apply --simulate -");
    ASSERT_EQ(run.status, 0) << run.out;
    EXPECT_TRUE(Content(root_ / "to/config.bin") == Content(root_ / "from/config.bin"));
    EXPECT_NE(Run("export --data-dir " + Folder("nothing")).out.find("cannot export"), std::string::npos);
}

TEST_F(Kz7ctlProfileTest, ExportedDocumentsFollowThePublishedSchema) {
    const std::string profile = (root_ / "game.json").string();
    ASSERT_EQ(Run("export --sensor 1 --data-dir " + Folder("from") + " " + profile).status, 0);
    // Debian's python3-jsonschema, whichever python3 comes first on the path.
    const CommandRun check = testing_support::RunShell(
        "/usr/bin/python3 -c 'import json, sys, jsonschema; "
        "jsonschema.validate(json.load(open(sys.argv[2])), json.load(open(sys.argv[1])))' " KZ7_SOURCE_DIR
        "/data/kz7-profile.schema.json " + profile + " 2>&1");
    EXPECT_EQ(check.status, 0) << check.out;
}

}  // namespace
}  // namespace kz7
