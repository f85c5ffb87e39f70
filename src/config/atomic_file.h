#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace kz7 {

// Replaces the file at `path` with `size` bytes: they are written to a
// temporary file in the same folder and synced to the disk, the temporary
// file is renamed over the old one, and then the folder is synced, so that a
// crash, a power cut or a full disk leaves the old or the new file, never a
// half-written one, and no temporary file. The old file's permissions are
// kept. Every call goes through SaveFileSystem() (config/file_system.h).
//
// A symbolic link (or a chain of them) is followed to the file it names, and
// that file is replaced, in its own folder, so the link stays a link; a
// dangling link gets the file it names created. A file whose owner write
// permission bit is clear was made read-only on purpose and is not replaced
// (EACCES). That is decided from the mode bits alone: the rename would get
// past a read-only file, and for root every access check passes.
//
// Returns 0, or the error number of the step that failed. The old file is
// then untouched, except when only the folder could not be synced after the
// rename: the new file is then in place, complete, but may not survive a
// power cut, and that is reported as a failure too.
int WriteFileAtomically(const std::filesystem::path& path, const void* data, std::size_t size);
inline int WriteFileAtomically(const std::filesystem::path& path, std::string_view text) {
    return WriteFileAtomically(path, text.data(), text.size());
}

// The whole content of a file, or false when it cannot be read.
bool ReadWholeFile(const std::filesystem::path& path, std::string& content);

}  // namespace kz7
