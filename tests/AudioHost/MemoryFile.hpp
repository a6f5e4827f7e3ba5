#pragma once
#include <sys/mman.h>
#include <unistd.h>

#include <string>

namespace AudioHostTests {

// Bytes behind a path, held in memory: a reader that opens files by name reads them without a
// trip to the disk.
class MemoryFile {
public:
    explicit MemoryFile(const std::string& bytes) : fd_(::memfd_create("auhost-test", MFD_CLOEXEC)) {
        if (fd_ >= 0 && ::write(fd_, bytes.data(), bytes.size()) != ssize_t(bytes.size())) {
            ::close(fd_);
            fd_ = -1;
        }
    }
    ~MemoryFile() {
        if (fd_ >= 0) ::close(fd_);
    }
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;

    bool valid() const { return fd_ >= 0; }
    std::string path() const { return "/proc/self/fd/" + std::to_string(fd_); }

private:
    int fd_;
};

}  // namespace AudioHostTests
