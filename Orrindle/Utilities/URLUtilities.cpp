#include "Orrindle/Utilities/URLUtilities.hpp"

#include <vector>

#include "Foundation/FileManager.hpp"

namespace Orrindle {

std::optional<std::string> relativePath(const Foundation::URL& url, const Foundation::URL& base) {
    if (!url.isFileURL() || !base.isFileURL()) return std::nullopt;
    const std::vector<std::string> to = url.standardized().pathComponents();
    const std::vector<std::string> from = base.standardized().pathComponents();
    std::size_t shared = 0;
    while (shared < to.size() && shared < from.size() && to[shared] == from[shared]) ++shared;
    std::string path;
    auto add = [&](const std::string& part) {
        if (!path.empty()) path += "/";
        path += part;
    };
    for (std::size_t i = shared; i < from.size(); ++i) add("..");
    for (std::size_t i = shared; i < to.size(); ++i) add(to[i]);
    return path;
}

std::optional<Foundation::URL> relative(const Foundation::URL& url, const Foundation::URL& base) {
    auto path = relativePath(url, base);
    if (!path) return std::nullopt;
    // Resolved inside base, not beside it: base names the directory the path starts from.
    std::string directory = base.standardized().path();
    if (directory.empty() || directory.back() != '/') directory += "/";
    std::string resolved = Foundation::URL::fileURLWithPath(directory + *path, false).standardized().path();
    // Whether it names a directory is the file system's to say, as for any path.
    if (resolved.size() > 1 && resolved.back() == '/') resolved.pop_back();
    return Foundation::URL::fileURLWithPath(resolved);
}

std::string fileName(const Foundation::URL& url) {
    std::string name = url.lastPathComponent();
    const std::string extension = url.pathExtension();
    if (!extension.empty() && name.size() > extension.size() + 1) name.resize(name.size() - extension.size() - 1);
    return name;
}

std::string displayablePath(const Foundation::URL& url) {
    std::string path = url.path();
    if (!path.empty() && path.front() == '/') path.erase(0, 1);
    return path;
}

std::optional<Foundation::Date> lastModifiedFileDate(const Foundation::URL& url) {
    auto attributes = Foundation::FileManager::defaultManager().attributesOfItem(url.path());
    if (!attributes) return std::nullopt;
    return attributes->modificationDate;
}

}  // namespace Orrindle
