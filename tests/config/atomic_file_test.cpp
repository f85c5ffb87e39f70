#include "config/atomic_file.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <utility>
#include <vector>

#include "support/temp_folder.h"

namespace kz7 {
namespace {

namespace fs = std::filesystem;
using testing_support::TempFolder;
using Links = std::vector<std::pair<std::string, std::string>>;  // link -> the text it holds

// A data folder "home" whose file is a link into "dotfiles", as a dotfile
// manager sets it up.
class AtomicFileTest : public ::testing::Test {
protected:
    AtomicFileTest() {
        fs::create_directories(folder_ / "home");
        fs::create_directories(folder_ / "dotfiles" / "real");
    }

    fs::path At(const std::string& relative) const { return folder_.path() / relative; }
    // "@" in a link's text stands for the test folder, for absolute links.
    std::string LinkText(std::string text) const {
        if (const auto at = text.find('@'); at != std::string::npos) text.replace(at, 1, folder_.path().string());
        return text;
    }
    void MakeLinks(const Links& links) const {
        for (const auto& [link, text] : links) fs::create_symlink(LinkText(text), At(link));
    }
    void ExpectLinksKept(const Links& links, const std::string& what) const {
        for (const auto& [link, text] : links) {
            EXPECT_TRUE(fs::is_symlink(fs::symlink_status(At(link)))) << what << ": " << link;
            EXPECT_EQ(fs::read_symlink(At(link)).string(), LinkText(text)) << what << ": " << link;
        }
    }
    // Temporary files that a save left behind anywhere in the test folder.
    std::vector<std::string> Leftovers() const {
        std::vector<std::string> left;
        for (const auto& entry : fs::recursive_directory_iterator(folder_.path())) {
            if (entry.path().filename().string().find(".tmp-") != std::string::npos) left.push_back(entry.path());
        }
        return left;
    }

    TempFolder folder_;
};

TEST_F(AtomicFileTest, ASymlinkedFileIsReplacedAtItsTargetAndStaysALink) {
    const struct {
        const char* what;
        Links links;
        const char* target;  // where the bytes must land
        bool targetExists;
    } cases[] = {
        {"relative link", {{"home/config.bin", "../dotfiles/config.bin"}}, "dotfiles/config.bin", true},
        {"absolute link", {{"home/config.bin", "@/dotfiles/config.bin"}}, "dotfiles/config.bin", true},
        {"chain of links, each relative to its own folder",
         {{"home/config.bin", "../dotfiles/step"}, {"dotfiles/step", "real/config.bin"}},
         "dotfiles/real/config.bin",
         true},
        {"dangling link", {{"home/config.bin", "../dotfiles/config.bin"}}, "dotfiles/config.bin", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(At("home"));
        fs::remove_all(At("dotfiles"));
        fs::create_directories(At("home"));
        fs::create_directories(At("dotfiles/real"));
        if (c.targetExists) {
            folder_.Write(c.target, "old");
            fs::permissions(At(c.target), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
        }
        MakeLinks(c.links);

        ASSERT_EQ(WriteFileAtomically(At("home/config.bin"), "new"), 0);
        EXPECT_EQ(folder_.Read(c.target), "new");
        ExpectLinksKept(c.links, c.what);
        if (c.targetExists) {
            EXPECT_EQ(fs::status(At(c.target)).permissions() & fs::perms::all,
                      fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
        }
        EXPECT_TRUE(Leftovers().empty());
    }
}

TEST_F(AtomicFileTest, LinksThatLeadNowhereFailAndWriteNothing) {
    const struct {
        const char* what;
        Links links;
        int error;
    } cases[] = {
        {"loop", {{"home/config.bin", "other"}, {"home/other", "config.bin"}}, ELOOP},
        {"self", {{"home/config.bin", "config.bin"}}, ELOOP},
        {"into a missing folder", {{"home/config.bin", "../nowhere/config.bin"}}, ENOENT},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(At("home"));
        fs::create_directories(At("home"));
        MakeLinks(c.links);
        EXPECT_EQ(WriteFileAtomically(At("home/config.bin"), "new"), c.error);
        ExpectLinksKept(c.links, c.what);
        EXPECT_FALSE(fs::exists(At("nowhere")));
        EXPECT_TRUE(Leftovers().empty());
    }
}

TEST_F(AtomicFileTest, AFileWithoutItsOwnerWriteBitIsNotReplaced) {
    using P = fs::perms;
    const struct {
        P mode;
        bool refused;
    } cases[] = {
        {P::owner_read | P::group_read | P::others_read, true},   // chmod a-w
        {P::owner_read, true},
        {P::none, true},
        {P::owner_read | P::group_read | P::group_write, true},   // chmod u-w on a group-writable file
        {P::owner_read | P::owner_write, false},
        {P::owner_read | P::owner_write | P::group_read | P::others_read, false},
        {P::owner_write, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.mode));
        folder_.Write("home/str.ini", "old");
        fs::permissions(At("home/str.ini"), c.mode);
        EXPECT_EQ(WriteFileAtomically(At("home/str.ini"), "new"), c.refused ? EACCES : 0);
        fs::permissions(At("home/str.ini"), P::owner_read | P::owner_write);
        EXPECT_EQ(folder_.Read("home/str.ini"), c.refused ? "old" : "new");
        EXPECT_TRUE(Leftovers().empty());
        fs::remove(At("home/str.ini"));
    }
}

TEST_F(AtomicFileTest, TheTargetsModeDecidesNotTheLinks) {
    folder_.Write("dotfiles/record.ini", "old");
    fs::permissions(At("dotfiles/record.ini"), fs::perms::owner_read);
    fs::create_symlink("../dotfiles/record.ini", At("home/record.ini"));
    EXPECT_EQ(WriteFileAtomically(At("home/record.ini"), "new"), EACCES);
    EXPECT_EQ(folder_.Read("dotfiles/record.ini"), "old");
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(At("home/record.ini"))));
}

}  // namespace
}  // namespace kz7
