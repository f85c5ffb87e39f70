#include "config/atomic_file.h"

#include <cerrno>
#include <fstream>
#include <random>
#include <sstream>
#include <system_error>

namespace kz7 {

namespace {

namespace fs = std::filesystem;

// As many links as the kernel follows before it gives up with ELOOP.
constexpr int kMaxLinkHops = 40;

fs::path TemporarySibling(const fs::path& path) {
    std::random_device random;
    std::ostringstream name;
    name << '.' << path.filename().string() << ".tmp-" << std::hex << random() << random();
    return path.parent_path() / name.str();
}

int ErrorOr(int fallback) { return errno != 0 ? errno : fallback; }

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

void RemoveQuietly(const fs::path& path) {
    std::error_code ignored;
    fs::remove(path, ignored);
}

}  // namespace

int WriteFileAtomically(const fs::path& path, const void* data, std::size_t size) {
    fs::path target;
    if (const int error = FollowLinks(path, target)) return error;
    std::error_code ec;
    const fs::file_status oldStatus = fs::status(target, ec);
    const bool replacing = !ec && fs::exists(oldStatus);
    if (replacing && MadeReadOnly(oldStatus)) return EACCES;

    const fs::path temporary = TemporarySibling(target);
    errno = 0;
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) return ErrorOr(EIO);
        out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
        out.flush();
        if (!out) {
            const int error = ErrorOr(EIO);
            out.close();
            RemoveQuietly(temporary);
            return error;
        }
        out.close();
        if (!out) {
            const int error = ErrorOr(EIO);
            RemoveQuietly(temporary);
            return error;
        }
    }
    if (replacing) fs::permissions(temporary, oldStatus.permissions(), fs::perm_options::replace, ec);
    ec.clear();
    fs::rename(temporary, target, ec);
    if (ec) {
        RemoveQuietly(temporary);
        return ec.value() != 0 ? ec.value() : EIO;
    }
    return 0;
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
