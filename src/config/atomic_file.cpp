#include "config/atomic_file.h"

#include <atomic>
#include <cerrno>
#include <fstream>
#include <optional>
#include <random>
#include <sstream>
#include <system_error>

#include "config/file_system.h"

namespace kz7 {

namespace {

namespace fs = std::filesystem;

// As many links as the kernel follows before it gives up with ELOOP.
constexpr int kMaxLinkHops = 40;

std::atomic<FileSystem*> g_saveFileSystem{nullptr};

fs::path TemporarySibling(const fs::path& path) {
    std::random_device random;
    std::ostringstream name;
    name << '.' << path.filename().string() << ".tmp-" << std::hex << random() << random();
    return path.parent_path() / name.str();
}

// The file a save replaces: `path` itself, or the end of its chain of
// symbolic links, whether that exists yet or not. Renaming over the link
// itself would turn it into a plain file and cut it off from its target
// (a dotfile manager's link, say). A relative link is read from its own
// folder, as the kernel reads it.
int FollowLinks(const fs::path& path, fs::path& target) {
    target = path;
    for (int hops = 0;; ++hops) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(target, ec))) return 0;  // other trouble shows in the steps after
        if (hops == kMaxLinkHops) return ELOOP;
        const fs::path next = fs::read_symlink(target, ec);
        if (ec) return ec.value() != 0 ? ec.value() : EIO;
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
}

bool MadeReadOnly(const fs::file_status& status) {
    return (status.permissions() & fs::perms::owner_write) == fs::perms::none;
}

// Mode of a file that replaces nothing, less the umask, as any new file gets.
constexpr fs::perms kNewFileMode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                                   fs::perms::group_write | fs::perms::others_read | fs::perms::others_write;
// A temporary file starts private; it takes the old file's mode before the rename.
constexpr fs::perms kTemporaryMode = fs::perms::owner_read | fs::perms::owner_write;
// Random names that are all taken are somebody's doing, not bad luck.
constexpr int kTemporaryNameTries = 8;

fs::path FolderOf(const fs::path& target) {
    const fs::path folder = target.parent_path();
    return folder.empty() ? fs::path(".") : folder;
}

int WriteAll(FileSystem& files, int handle, const void* data, std::size_t size) {
    const auto* next = static_cast<const char*>(data);
    while (size > 0) {
        std::size_t written = 0;
        if (const int error = files.Write(handle, next, size, written)) return error;
        if (written == 0 || written > size) return EIO;  // no progress: never loop for ever
        next += written;
        size -= written;
    }
    return 0;
}

// The new content, complete and on the disk, in a temporary file of the
// target's folder, then renamed over the target. On failure the temporary
// file is removed and the target is as it was.
int ReplaceWithNewFile(FileSystem& files, const fs::path& target, const void* data, std::size_t size,
                       const std::optional<fs::perms>& oldMode) {
    fs::path temporary;
    int handle = -1;
    int error = 0;
    for (int tries = 1;; ++tries) {
        temporary = TemporarySibling(target);
        error = files.CreateNew(temporary, oldMode ? kTemporaryMode : kNewFileMode, handle);
        if (error != EEXIST || tries == kTemporaryNameTries) break;
    }
    if (error) return error;
    error = WriteAll(files, handle, data, size);
    if (!error && oldMode) error = files.SetPermissions(handle, *oldMode);
    if (!error) error = files.Sync(handle);
    // A failed close may mean lost data (NFS reports write errors there).
    const int closed = files.Close(handle);
    if (!error) error = closed;
    if (!error) error = files.Rename(temporary, target);
    if (error) files.Remove(temporary);
    return error;
}

}  // namespace

FileSystem& SaveFileSystem() {
    FileSystem* files = g_saveFileSystem.load();
    return files ? *files : SystemFileSystem();
}

ScopedSaveFileSystem::ScopedSaveFileSystem(FileSystem& files) : previous_(g_saveFileSystem.exchange(&files)) {}

ScopedSaveFileSystem::~ScopedSaveFileSystem() { g_saveFileSystem.store(previous_); }

int WriteFileAtomically(const fs::path& path, const void* data, std::size_t size) {
    fs::path target;
    if (const int error = FollowLinks(path, target)) return error;
    std::error_code ec;
    const fs::file_status oldStatus = fs::status(target, ec);
    std::optional<fs::perms> oldMode;
    if (!ec && fs::exists(oldStatus)) {
        if (MadeReadOnly(oldStatus)) return EACCES;
        oldMode = oldStatus.permissions() & fs::perms::mask;
    }

    FileSystem& files = SaveFileSystem();
    // The folder is opened first: once the rename is done it must be synced,
    // and a folder that cannot be opened is better found while the old file
    // is still in place.
    int folder = -1;
    if (const int error = files.OpenFolder(FolderOf(target), folder)) return error;
    int error = ReplaceWithNewFile(files, target, data, size, oldMode);
    if (!error) {
        // Only now is the rename itself on the disk, so that a power cut
        // leaves the old or the new file. A file system that cannot sync a
        // folder (EINVAL) has nothing more to write.
        error = files.Sync(folder);
        if (error == EINVAL) error = 0;
    }
    files.Close(folder);  // read-only: closing it cannot lose anything
    return error;
}

bool ReadWholeFile(const std::filesystem::path& path, std::string& content) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    if (in.bad()) return false;
    content = std::move(buffer).str();
    return true;
}

}  // namespace kz7
