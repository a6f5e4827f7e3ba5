#include "Foundation/Data.hpp"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace Foundation {

std::optional<Data> contentsOfFile(std::string_view path) {
    const std::string name(path);
    std::error_code error;
    if (!std::filesystem::is_regular_file(name, error)) return std::nullopt;
    std::ifstream file(name, std::ios::binary);
    if (!file) return std::nullopt;
    Data data((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (file.bad()) return std::nullopt;
    return data;
}

}  // namespace Foundation
