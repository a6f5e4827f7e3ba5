#include "Host/AudioHost/OutputFile.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "Host/AudioHost/BadInput.hpp"

namespace AudioHost {

namespace {

BadInput cannotWrite(const std::string& path, int error) {
    return BadInput("cannot write " + path + ": " + std::strerror(error));
}

}  // namespace

void OutputFile::write(const std::string& path, const std::function<void(const std::string&)>& write) {
    struct stat info;
    if (::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) throw cannotWrite(path, EISDIR);

    std::string pattern = path + ".partial-XXXXXX";
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) throw cannotWrite(path, errno);
    ::close(fd);
    const std::string temporary = pattern;
    try {
        write(temporary);
        // mkstemp makes the file private; give the result the usual permissions.
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::chmod(temporary.c_str(), 0666 & ~mask);
        if (::rename(temporary.c_str(), path.c_str()) != 0) throw cannotWrite(path, errno);
    } catch (...) {
        ::unlink(temporary.c_str());
        throw;
    }
}

void OutputFile::writeText(const std::string& path, const std::string& text) {
    write(path, [&](const std::string& temporary) {
        FILE* file = std::fopen(temporary.c_str(), "wb");
        if (!file) throw cannotWrite(path, errno);
        const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
        const int error = errno;
        if (std::fclose(file) != 0 || !written) throw cannotWrite(path, written ? errno : error);
    });
}

}  // namespace AudioHost
