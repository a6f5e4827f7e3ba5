#pragma once
#include <ostream>
#include <streambuf>

namespace AudioHost {

// An output stream onto a file descriptor (standard output, standard error) that remembers why
// a write failed, so that a full disk or a closed stream is reported rather than ignored.
class FileDescriptorStream : public std::ostream {
public:
    explicit FileDescriptorStream(int fd);
    ~FileDescriptorStream() override;

    // The errno of the first write that failed, or 0.
    int error() const { return buffer_.error; }

private:
    struct Buffer : std::streambuf {
        explicit Buffer(int fd) : fd(fd) { setp(space, space + sizeof space); }
        int_type overflow(int_type c) override;
        int sync() override;
        bool drain();
        int fd;
        int error = 0;
        char space[4096];
    };
    Buffer buffer_;
};

}  // namespace AudioHost
