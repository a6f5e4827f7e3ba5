#include "Foundation/FileManager.hpp"

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

}  // namespace Foundation
