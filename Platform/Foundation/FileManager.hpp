#pragma once
#include <string>

namespace Foundation {

// The file system as the platform's file manager answers about it.
class FileManager {
public:
    static FileManager& defaultManager();
    // Whether anything (a file or a directory) exists at the path; false for an empty path.
    bool fileExists(const std::string& path) const;
};

}  // namespace Foundation
