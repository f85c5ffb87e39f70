#include "config/atomic_file.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <utility>
#include <vector>

#include "config/file_system.h"
#include "support/faulty_file_system.h"
#include "support/temp_folder.h"

namespace kz7 {
namespace {

namespace fs = std::filesystem;
using testing_support::FaultyFileSystem;
using testing_support::TempFolder;
using Call = FaultyFileSystem::Call;
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

// The order is what makes a save survive a power cut: the content is on the
// disk before the rename, and the rename before the save reports success.
TEST_F(AtomicFileTest, ASaveSyncsTheFileBeforeTheRenameAndTheFolderAfterIt) {
    const struct {
        const char* what;
        bool replacing;
        std::vector<Call> calls;
    } cases[] = {
        {"new file",
         false,
         {Call::OpenFolder, Call::CreateNew, Call::Write, Call::Sync, Call::Close, Call::Rename, Call::Sync,
          Call::Close}},
        {"replacing a file (its mode is kept)",
         true,
         {Call::OpenFolder, Call::CreateNew, Call::Write, Call::SetPermissions, Call::Sync, Call::Close,
          Call::Rename, Call::Sync, Call::Close}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove(At("home/config.bin"));
        if (c.replacing) folder_.Write("home/config.bin", "old");
        FaultyFileSystem files;
        const ScopedSaveFileSystem inPlace(files);
        ASSERT_EQ(WriteFileAtomically(At("home/config.bin"), "new"), 0);
        std::vector<Call> made;
        for (const auto& call : files.calls) made.push_back(call.call);
        EXPECT_EQ(made, c.calls);
        EXPECT_EQ(files.calls.front().path, At("home"));
        EXPECT_EQ(files.calls[made.size() - 2].path, At("home"));  // the folder's own sync
        EXPECT_EQ(folder_.Read("home/config.bin"), "new");
    }
}

TEST_F(AtomicFileTest, AWriteCutShortIsCarriedOnUntilEveryByteIsWritten) {
    FaultyFileSystem files;
    files.writeLimit = 7;
    const ScopedSaveFileSystem inPlace(files);
    const std::string content(1000, 'x');
    ASSERT_EQ(WriteFileAtomically(At("home/record.ini"), content), 0);
    EXPECT_EQ(folder_.Read("home/record.ini"), content);
}

// Every call of a save fails in turn, with each error a disk gives.
TEST_F(AtomicFileTest, AFailedCallLeavesTheOldFileAndNoTemporaryFileAndIsReported) {
    std::size_t callsOfOneSave = 0;
    {
        folder_.Write("home/config.bin", "old");
        FaultyFileSystem files;
        const ScopedSaveFileSystem inPlace(files);
        ASSERT_EQ(WriteFileAtomically(At("home/config.bin"), "new"), 0);
        callsOfOneSave = files.calls.size();
    }
    for (std::size_t at = 0; at < callsOfOneSave; ++at) {
        for (const int error : testing_support::kInjectedErrors) {
            folder_.Write("home/config.bin", "old");
            FaultyFileSystem files;
            int result = 0;
            {
                const ScopedSaveFileSystem inPlace(files);
                files.FailCall(static_cast<int>(at), error);
                result = WriteFileAtomically(At("home/config.bin"), "new");
            }
            const Call failed = files.calls[at].call;
            const bool afterRename = at + 2 >= callsOfOneSave;  // the folder's sync and close
            SCOPED_TRACE(std::string(FaultyFileSystem::Name(failed)) + (afterRename ? " of the folder" : "") +
                         " fails with " + std::to_string(error));
            if (failed == Call::Close && afterRename) {
                EXPECT_EQ(result, 0);  // a read-only folder handle loses nothing
                EXPECT_EQ(folder_.Read("home/config.bin"), "new");
            } else {
                EXPECT_EQ(result, error);
                // Before the rename the old file stands; after it, only the
                // new one's durability is in doubt, and it is complete.
                EXPECT_EQ(folder_.Read("home/config.bin"), afterRename ? "new" : "old");
            }
            EXPECT_TRUE(Leftovers().empty());
            ASSERT_EQ(WriteFileAtomically(At("home/config.bin"), "next"), 0);  // the fault is gone
            EXPECT_EQ(folder_.Read("home/config.bin"), "next");
        }
    }
}

TEST_F(AtomicFileTest, AFolderThatCannotBeSyncedIsNoFailure) {
    // Some file systems answer fsync on a folder with EINVAL: nothing more can be made durable there.
    FaultyFileSystem files;
    const ScopedSaveFileSystem inPlace(files);
    files.FailCall(6, EINVAL);  // open folder, create, write, fsync, close, rename, fsync folder
    EXPECT_EQ(WriteFileAtomically(At("home/str.ini"), "new"), 0);
    ASSERT_EQ(files.calls[6].call, Call::Sync);
    EXPECT_EQ(files.calls[6].path, At("home"));
    EXPECT_EQ(folder_.Read("home/str.ini"), "new");
}

}  // namespace
}  // namespace kz7
