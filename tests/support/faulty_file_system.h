#pragma once

// The system's file calls with faults injected: any one call of a save can
// be made to fail with a chosen error number, and every call is recorded.

#include <cerrno>
#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "config/file_system.h"

namespace kz7::testing_support {

class FaultyFileSystem : public FileSystem {
public:
    enum class Call { OpenFolder, CreateNew, Write, SetPermissions, Sync, Close, Rename, Remove };
    struct Made {
        Call call;
        std::filesystem::path path;  // the file or folder the call was about
        bool failed = false;
        std::string written;  // Write: the bytes that went into the file
    };

    static const char* Name(Call call) {
        switch (call) {
            case Call::OpenFolder: return "open folder";
            case Call::CreateNew: return "create";
            case Call::Write: return "write";
            case Call::SetPermissions: return "chmod";
            case Call::Sync: return "fsync";
            case Call::Close: return "close";
            case Call::Rename: return "rename";
            case Call::Remove: return "unlink";
        }
        return "?";
    }

    // Fails call number `index` of those made from now on (0 = the next)
    // with `error`, without making it; a negative index fails none.
    void FailCall(int index, int error) {
        failAt_ = index < 0 ? -1 : static_cast<int>(calls.size()) + index;
        error_ = error;
        told_ = false;
    }
    // Called once the save whose call failed has ended (it ends by closing
    // its folder, or at once when the folder was what failed to open), to
    // look at what that save left before the caller goes on.
    std::function<void()> afterFailedSave;
    // At most this many bytes per write (0: as many as asked), as a pipe or
    // a signal can cut a write short.
    std::size_t writeLimit = 0;
    std::vector<Made> calls;

    int CreateNew(const std::filesystem::path& path, std::filesystem::perms mode, int& handle) override {
        if (const int error = Begin(Call::CreateNew, path)) return error;
        const int error = inner_.CreateNew(path, mode, handle);
        if (!error) paths_[handle] = path;
        return error;
    }
    int Write(int handle, const void* data, std::size_t size, std::size_t& written) override {
        if (const int error = Begin(Call::Write, paths_[handle])) return error;
        const int error = inner_.Write(handle, data, writeLimit != 0 && size > writeLimit ? writeLimit : size, written);
        if (!error) calls.back().written.assign(static_cast<const char*>(data), written);
        return error;
    }
    int SetPermissions(int handle, std::filesystem::perms mode) override {
        if (const int error = Begin(Call::SetPermissions, paths_[handle])) return error;
        return inner_.SetPermissions(handle, mode);
    }
    // The data is not forced to the disk: these tests look at what each
    // call's failure leaves, and thousands of real fsyncs would take minutes
    // on a busy disk.
    int Sync(int handle) override { return Begin(Call::Sync, paths_[handle]); }
    // A failed close still releases the handle, as close(2) does.
    int Close(int handle) override {
        const int error = Begin(Call::Close, paths_[handle]);
        const int closed = inner_.Close(handle);
        const bool folder = folders_.erase(handle) != 0;
        paths_.erase(handle);
        if (folder) SaveEnded();
        return error ? error : closed;
    }
    int Rename(const std::filesystem::path& from, const std::filesystem::path& to) override {
        if (const int error = Begin(Call::Rename, to)) return error;
        return inner_.Rename(from, to);
    }
    int OpenFolder(const std::filesystem::path& path, int& handle) override {
        if (const int error = Begin(Call::OpenFolder, path)) {
            SaveEnded();
            return error;
        }
        const int error = inner_.OpenFolder(path, handle);
        if (!error) {
            paths_[handle] = path;
            folders_.insert(handle);
        }
        return error;
    }
    int Remove(const std::filesystem::path& path) override {
        if (const int error = Begin(Call::Remove, path)) return error;
        return inner_.Remove(path);
    }

private:
    int Begin(Call call, const std::filesystem::path& path) {
        const bool fail = static_cast<int>(calls.size()) == failAt_;
        calls.push_back({call, path, fail, {}});
        return fail ? error_ : 0;
    }

    void SaveEnded() {
        if (failAt_ < 0 || static_cast<int>(calls.size()) <= failAt_ || told_) return;
        told_ = true;
        if (afterFailedSave) afterFailedSave();
    }

    FileSystem& inner_ = SystemFileSystem();
    std::set<int> folders_;
    bool told_ = false;
    int failAt_ = -1;
    int error_ = EIO;
    std::map<int, std::filesystem::path> paths_;
};

// The three error numbers a save meets in the field: a failing disk, a full
// one, and a folder or file it may not write.
inline constexpr int kInjectedErrors[] = {EIO, ENOSPC, EACCES};

}  // namespace kz7::testing_support
