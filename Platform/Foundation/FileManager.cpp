#include "Foundation/FileManager.hpp"

#include <sys/stat.h>

#include <filesystem>

namespace Foundation {

FileManager& FileManager::defaultManager() {
    static FileManager manager;
    return manager;
}

bool FileManager::fileExists(const std::string& path) const {
    if (path.empty()) return false;
    std::error_code error;
    return std::filesystem::exists(path, error);
}

std::optional<FileAttributes> FileManager::attributesOfItem(const std::string& path) const {
    struct stat st {};
    if (path.empty() || ::stat(path.c_str(), &st) != 0) return std::nullopt;
    FileAttributes a;
    a.modificationDate = Date::fromTimeIntervalSince1970(double(st.st_mtim.tv_sec) + double(st.st_mtim.tv_nsec) * 1e-9);
    if (S_ISREG(st.st_mode)) a.size = static_cast<unsigned long long>(st.st_size);
    return a;
}

}  // namespace Foundation
