#pragma once

// Fails every file-system call of a user's action in turn, with each error a
// disk gives, and checks what the user is left with.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "config/atomic_file.h"
#include "config/file_system.h"
#include "support/faulty_file_system.h"
#include "support/temp_folder.h"

namespace kz7::testing_support {

using FolderFiles = std::map<std::string, std::string>;  // relative path -> content

inline bool IsTemporaryFile(const std::filesystem::path& path) {
    return path.filename().string().find(".tmp-") != std::string::npos;
}

// Every regular file below `folder`, temporary files included.
inline FolderFiles FilesIn(const std::filesystem::path& folder) {
    FolderFiles files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        if (!entry.is_regular_file()) continue;
        std::string content;
        ReadWholeFile(entry.path(), content);
        files[entry.path().lexically_relative(folder).string()] = content;
    }
    return files;
}

// Something a user does that saves files, as a front end does it.
struct SaveAction {
    std::string what;
    // Puts the files the action starts from into an empty folder.
    std::function<void(const std::filesystem::path& folder)> prepare;
    // Does it in that folder and says whether the user was told that
    // something failed (a message, a failing exit status). It may check
    // more of its own outcome with EXPECT_*.
    std::function<bool(const std::filesystem::path& folder)> run;
    // The same action once more after a failure, when `run` would refuse a
    // second time for another reason (a macro already deleted); `run` if empty.
    std::function<bool(const std::filesystem::path& folder)> again = nullptr;
};

namespace save_faults_detail {

// One atomic save among the calls: from the opening of its folder to its closing.
struct Save {
    std::string file;  // relative to the action's folder
    std::size_t first = 0, rename = 0, last = 0;
    std::string content;
    FolderFiles before;  // the whole folder before this save
};

inline std::vector<Save> SavesOf(const std::vector<FaultyFileSystem::Made>& calls,
                                 const std::filesystem::path& folder, FolderFiles state) {
    using Call = FaultyFileSystem::Call;
    std::vector<Save> saves;
    std::optional<Save> open;
    for (std::size_t i = 0; i < calls.size(); ++i) {
        const auto& call = calls[i];
        if (call.call == Call::OpenFolder) {
            open = Save{};
            open->first = i;
            open->before = state;
        } else if (open && call.call == Call::Write) {
            open->content += call.written;
        } else if (open && call.call == Call::Rename) {
            open->rename = i;
            open->file = call.path.lexically_relative(folder).string();
        } else if (open && call.call == Call::Close && !IsTemporaryFile(call.path)) {
            open->last = i;
            state[open->file] = open->content;
            saves.push_back(*open);
            open.reset();
        }
    }
    return saves;
}

}  // namespace save_faults_detail

// Runs `action` once without faults, then once for every call its saves
// make, failing that call with each of `errors`, and checks:
// - the user was told, except when only the read-only handle of a folder
//   failed to close, which loses nothing (the action must then succeed);
// - when the failed save has ended, the file it was for is as it was
//   before, or, for a fault after the rename, the complete new file, and
//   nothing else in the folder changed (no temporary file either);
// - when the action has ended, no temporary file is left;
// - the same action without the fault then saves what the first run saved.
inline void ExpectEveryFailedCallReported(const SaveAction& action,
                                          std::span<const int> errors = kInjectedErrors) {
    using namespace save_faults_detail;
    SCOPED_TRACE(action.what);
    // Preparing and the runs without faults go without fsync as well.
    FaultyFileSystem withoutSync;
    const ScopedSaveFileSystem quick(withoutSync);
    TempFolder clean;
    action.prepare(clean.path());
    const FolderFiles before = FilesIn(clean.path());
    FaultyFileSystem recorder;
    {
        const ScopedSaveFileSystem inPlace(recorder);
        ASSERT_FALSE(action.run(clean.path())) << "a save without faults was reported as failed";
    }
    const FolderFiles after = FilesIn(clean.path());
    const std::vector<Save> saves = SavesOf(recorder.calls, clean.path(), before);
    ASSERT_FALSE(saves.empty()) << "the action saved nothing";
    ASSERT_EQ(saves.back().last + 1, recorder.calls.size()) << "calls outside a save";
    const auto& again = action.again ? action.again : action.run;
    std::printf("[ faults   ] %s: %zu saves, %zu calls, each failed with %zu errors\n", action.what.c_str(),
                saves.size(), recorder.calls.size(), errors.size());

    for (const Save& save : saves) {
        for (std::size_t at = save.first; at <= save.last; ++at) {
            for (const int error : errors) {
                const auto call = recorder.calls[at].call;
                const bool ofTheFolder = at > save.rename;
                SCOPED_TRACE(save.file + ": " + FaultyFileSystem::Name(call) + (ofTheFolder ? " of the folder" : "") +
                             " (call " + std::to_string(at) + ") fails with error " + std::to_string(error));
                TempFolder folder;
                action.prepare(folder.path());
                FaultyFileSystem faulty;
                faulty.FailCall(static_cast<int>(at), error);
                std::optional<FolderFiles> leftBySave;
                faulty.afterFailedSave = [&] { leftBySave = FilesIn(folder.path()); };
                bool told = false;
                {
                    const ScopedSaveFileSystem inPlace(faulty);
                    told = action.run(folder.path());
                }
                ASSERT_GT(faulty.calls.size(), at);
                ASSERT_EQ(faulty.calls[at].call, call) << "the action took another course";
                const bool harmless = at == save.last;
                EXPECT_EQ(told, !harmless) << (harmless ? "a save that worked was reported as failed"
                                                        : "a failed save was reported as success");

                FolderFiles expected = save.before;
                if (ofTheFolder) {
                    expected[save.file] = save.content;
                }
                ASSERT_TRUE(leftBySave) << "the save did not end";
                EXPECT_EQ(*leftBySave, expected) << "what the failed save left";
                for (const auto& [name, content] : FilesIn(folder.path())) {
                    EXPECT_FALSE(IsTemporaryFile(name)) << "left behind: " << name;
                }

                ASSERT_FALSE(again(folder.path())) << "the next save, without the fault, failed";
                EXPECT_EQ(FilesIn(folder.path()), after) << "the next save";
            }
        }
    }
}

}  // namespace kz7::testing_support
