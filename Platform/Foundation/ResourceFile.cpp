#include "Foundation/ResourceFile.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <limits>

#include "Foundation/NSError.hpp"

namespace Foundation {

namespace {

constexpr long fileReadNoSuchFileError = 260;
constexpr long fileReadTooLargeError = 263;

[[noreturn]] void refuse(long code, const std::string& path, const std::string& why) {
    throw NSError(NSCocoaErrorDomain, code, "The file \"" + path + "\" " + why);
}

[[noreturn]] void unreadable(const std::string& path, const std::string& why) {
    refuse(fileReadNoSuchFileError, path, "could not be read: " + why + ".");
}

[[noreturn]] void tooLarge(const std::string& path, std::string_view kind, std::uint64_t size, std::size_t limit) {
    refuse(fileReadTooLargeError, path,
           "is too large to be " + std::string(kind) + " (" + std::to_string(size) + " bytes; at most " + std::to_string(limit) + ").");
}

std::string whatIsThere(mode_t mode) {
    if (S_ISFIFO(mode)) return "it is a FIFO, not a regular file";
    if (S_ISDIR(mode)) return "it is a folder, not a regular file";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "it is a device, not a regular file";
    if (S_ISSOCK(mode)) return "it is a socket, not a regular file";
    return "it is not a regular file";
}

// Opened without waiting for a writer, so a FIFO is looked at rather than waited on; closed
// with the scope.
struct Opened {
    int fd = -1;
    std::uint64_t size = 0;
    ~Opened() {
        if (fd >= 0) ::close(fd);
    }
};

// False when nothing is at `path` and `mayBeAbsent`.
bool open(Opened& file, const std::string& path, std::string_view kind, std::size_t limit, bool mayBeAbsent) {
    file.fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (file.fd < 0) {
        const int why = errno;
        if (mayBeAbsent && (why == ENOENT || why == ENOTDIR)) return false;
        unreadable(path, why == ENOENT ? "there is no such file" : std::strerror(why));
    }
    struct stat info;
    if (::fstat(file.fd, &info) != 0) unreadable(path, std::strerror(errno));
    if (!S_ISREG(info.st_mode)) unreadable(path, whatIsThere(info.st_mode));
    file.size = std::uint64_t(info.st_size);
    if (file.size > limit) tooLarge(path, kind, file.size, limit);
    return true;
}

std::optional<Data> take(const std::string& path, std::string_view kind, std::size_t limit, bool mayBeAbsent) {
    Opened file;
    if (!open(file, path, kind, limit, mayBeAbsent)) return std::nullopt;
    // One byte past the limit tells a file that grew meanwhile.
    const std::size_t most = limit < std::numeric_limits<std::size_t>::max() ? limit + 1 : limit;
    Data data(std::size_t(file.size));
    std::size_t filled = 0;
    for (;;) {
        if (filled == data.size()) {
            if (data.size() >= most) break;
            data.resize(std::min(most, std::max<std::size_t>(data.size() * 2, 4096)));
        }
        const ssize_t n = ::read(file.fd, data.data() + filled, data.size() - filled);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) unreadable(path, std::strerror(errno));
        if (n == 0) break;
        filled += std::size_t(n);
    }
    if (filled > limit)
        refuse(fileReadTooLargeError, path,
               "is too large to be " + std::string(kind) + " (it grew past " + std::to_string(limit) + " bytes as it was read).");
    data.resize(filled);
    return data;
}

}  // namespace

Data ResourceFile::read(const std::string& path, std::string_view kind, std::size_t limit) {
    return *take(path, kind, limit, false);
}

std::optional<Data> ResourceFile::readIfPresent(const std::string& path, std::string_view kind, std::size_t limit) {
    return take(path, kind, limit, true);
}

void ResourceFile::check(const std::string& path, std::string_view kind, std::size_t limit) {
    Opened file;
    open(file, path, kind, limit, false);
}

}  // namespace Foundation
