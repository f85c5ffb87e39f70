#pragma once

#include <cstddef>
#include <filesystem>

namespace kz7 {

// The calls an atomic save (WriteFileAtomically) makes on the file system,
// so that each of them can be made to fail. Every call returns 0 or the
// error number of its failure; a handle is an open file or folder.
class FileSystem {
public:
    virtual ~FileSystem() = default;
    // Creates a file that must not exist yet, open for writing, with `mode`
    // (less the process's umask).
    virtual int CreateNew(const std::filesystem::path& path, std::filesystem::perms mode, int& handle) = 0;
    // Writes some of the bytes and says how many in `written`.
    virtual int Write(int handle, const void* data, std::size_t size, std::size_t& written) = 0;
    virtual int SetPermissions(int handle, std::filesystem::perms mode) = 0;
    // Returns once what was written (or renamed, for a folder) is on the disk.
    virtual int Sync(int handle) = 0;
    virtual int Close(int handle) = 0;
    virtual int Rename(const std::filesystem::path& from, const std::filesystem::path& to) = 0;
    // A folder, open so that Sync can make the names in it durable.
    virtual int OpenFolder(const std::filesystem::path& path, int& handle) = 0;
    virtual int Remove(const std::filesystem::path& path) = 0;
};

// The operating system's own calls.
FileSystem& SystemFileSystem();

// What saves go through: SystemFileSystem() unless another was put in place.
FileSystem& SaveFileSystem();

// Puts another file system in place of the system's for every save of the
// process while it lives (fault injection). Make it before the saves it is
// for start and drop it after they end.
class ScopedSaveFileSystem {
public:
    explicit ScopedSaveFileSystem(FileSystem& files);
    ~ScopedSaveFileSystem();
    ScopedSaveFileSystem(const ScopedSaveFileSystem&) = delete;
    ScopedSaveFileSystem& operator=(const ScopedSaveFileSystem&) = delete;

private:
    FileSystem* previous_;
};

}  // namespace kz7
