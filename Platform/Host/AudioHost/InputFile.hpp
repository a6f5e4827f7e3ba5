#pragma once
#include <string>

namespace AudioHost {

class InputFile {
public:
    // The whole file. Throws BadInput "cannot read PATH: reason" for a missing or unreadable
    // file or a directory.
    static std::string read(const std::string& path);
};

}  // namespace AudioHost
