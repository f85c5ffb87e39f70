// The system's file calls behind the atomic save. This one file of the core
// library speaks POSIX: the standard library can neither create a file
// exclusively nor fsync it or its folder.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "config/file_system.h"

namespace kz7 {
namespace {

int LastError() { return errno != 0 ? errno : EIO; }

mode_t ModeBits(std::filesystem::perms mode) {
    return static_cast<mode_t>(mode & std::filesystem::perms::mask);
}

class PosixFileSystem final : public FileSystem {
public:
    int CreateNew(const std::filesystem::path& path, std::filesystem::perms mode, int& handle) override {
        for (;;) {
            const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, ModeBits(mode));
            if (fd >= 0) {
                handle = fd;
                return 0;
            }
            if (errno != EINTR) return LastError();
        }
    }

    int Write(int handle, const void* data, std::size_t size, std::size_t& written) override {
        for (;;) {
            const ssize_t n = ::write(handle, data, size);
            if (n >= 0) {
                written = static_cast<std::size_t>(n);
                return 0;
            }
            if (errno != EINTR) return LastError();
        }
    }

    int SetPermissions(int handle, std::filesystem::perms mode) override {
        return ::fchmod(handle, ModeBits(mode)) == 0 ? 0 : LastError();
    }

    int Sync(int handle) override {
        for (;;) {
            if (::fsync(handle) == 0) return 0;
            if (errno != EINTR) return LastError();
        }
    }

    // Linux releases the descriptor even when close reports EINTR, so it is
    // never retried.
    int Close(int handle) override {
        if (::close(handle) == 0 || errno == EINTR) return 0;
        return LastError();
    }

    int Rename(const std::filesystem::path& from, const std::filesystem::path& to) override {
        return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : LastError();
    }

    int OpenFolder(const std::filesystem::path& path, int& handle) override {
        for (;;) {
            const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            if (fd >= 0) {
                handle = fd;
                return 0;
            }
            if (errno != EINTR) return LastError();
        }
    }

    int Remove(const std::filesystem::path& path) override {
        return ::unlink(path.c_str()) == 0 ? 0 : LastError();
    }
};

}  // namespace

FileSystem& SystemFileSystem() {
    static PosixFileSystem files;
    return files;
}

}  // namespace kz7
