#pragma once
#include <optional>
#include <string>

#include "Foundation/Date.hpp"

namespace Foundation {

// The file-system attributes the product reads.
struct FileAttributes {
    std::optional<Date> modificationDate;
    std::optional<unsigned long long> size;  // regular files only
};

// The file system as the platform's file manager answers about it.
class FileManager {
public:
    static FileManager& defaultManager();
    // Whether anything (a file or a directory) exists at the path; false for an empty path.
    bool fileExists(const std::string& path) const;
    // Absent when the item cannot be read (where the platform's attributesOfItem throws).
    std::optional<FileAttributes> attributesOfItem(const std::string& path) const;
};

}  // namespace Foundation
