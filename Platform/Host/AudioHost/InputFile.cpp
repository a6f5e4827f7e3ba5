#include "Host/AudioHost/InputFile.hpp"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "Host/AudioHost/BadInput.hpp"

namespace AudioHost {

std::string InputFile::read(const std::string& path) {
    struct stat info;
    if (::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) throw BadInput("cannot read " + path + ": it is a directory");
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) throw BadInput("cannot read " + path + ": " + std::strerror(errno));
    std::string data;
    if (::stat(path.c_str(), &info) == 0 && info.st_size > 0) data.reserve(std::size_t(info.st_size));
    char buffer[1 << 16];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) data.append(buffer, n);
    const int error = std::ferror(file) ? errno : 0;
    std::fclose(file);
    if (error) throw BadInput("cannot read " + path + ": " + std::strerror(error));
    return data;
}

}  // namespace AudioHost
