#include "config/atomic_file.h"

#include <cerrno>
#include <fstream>
#include <random>
#include <sstream>
#include <system_error>

namespace kz7 {

namespace {

std::filesystem::path TemporarySibling(const std::filesystem::path& path) {
    std::random_device random;
    std::ostringstream name;
    name << '.' << path.filename().string() << ".tmp-" << std::hex << random() << random();
    return path.parent_path() / name.str();
}

int ErrorOr(int fallback) { return errno != 0 ? errno : fallback; }

}  // namespace

int WriteFileAtomically(const std::filesystem::path& path, const void* data, std::size_t size) {
    const std::filesystem::path temporary = TemporarySibling(path);
    errno = 0;
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) return ErrorOr(EIO);
        out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
        out.flush();
        if (!out) {
            const int error = ErrorOr(EIO);
            out.close();
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            return error;
        }
        out.close();
        if (!out) {
            const int error = ErrorOr(EIO);
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            return error;
        }
    }
    std::error_code ec;
    const auto oldStatus = std::filesystem::status(path, ec);
    if (!ec && std::filesystem::exists(oldStatus)) {
        std::filesystem::permissions(temporary, oldStatus.permissions(),
                                     std::filesystem::perm_options::replace, ec);
    }
    ec.clear();
    std::filesystem::rename(temporary, path, ec);
    if (ec) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
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
