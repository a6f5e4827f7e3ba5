#include "Host/AudioHost/FileDescriptorStream.hpp"

#include <unistd.h>

#include <cerrno>

namespace AudioHost {

FileDescriptorStream::FileDescriptorStream(int fd) : std::ostream(nullptr), buffer_(fd) { rdbuf(&buffer_); }

FileDescriptorStream::~FileDescriptorStream() { buffer_.drain(); }

bool FileDescriptorStream::Buffer::drain() {
    for (char* p = pbase(); p < pptr();) {
        const ssize_t n = ::write(fd, p, std::size_t(pptr() - p));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (!error) error = n < 0 ? errno : EIO;
            setp(space, space + sizeof space);
            return false;
        }
        p += n;
    }
    setp(space, space + sizeof space);
    return true;
}

FileDescriptorStream::Buffer::int_type FileDescriptorStream::Buffer::overflow(int_type c) {
    if (!drain()) return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
    }
    return traits_type::not_eof(c);
}

int FileDescriptorStream::Buffer::sync() { return drain() ? 0 : -1; }

}  // namespace AudioHost
