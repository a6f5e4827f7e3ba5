#include "Foundation/Data.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <limits>
#include <string>

namespace Foundation {

std::optional<Data> contentsOfFile(std::string_view path, std::size_t limit) {
    // Without waiting for a writer: a FIFO in a file's place is no file.
    const int fd = ::open(std::string(path).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) return std::nullopt;
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    struct stat info;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || std::uint64_t(info.st_size) > limit) return std::nullopt;
    // One byte past the limit tells a file that grew meanwhile.
    const std::size_t most = limit < std::numeric_limits<std::size_t>::max() ? limit + 1 : limit;
    Data data(std::size_t(info.st_size));
    std::size_t filled = 0;
    for (;;) {
        if (filled == data.size()) {
            if (data.size() >= most) break;
            data.resize(std::min(most, std::max<std::size_t>(data.size() * 2, 4096)));
        }
        const ssize_t n = ::read(fd, data.data() + filled, data.size() - filled);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return std::nullopt;
        if (n == 0) break;
        filled += std::size_t(n);
    }
    if (filled > limit) return std::nullopt;
    data.resize(filled);
    return data;
}

}  // namespace Foundation
