#include "Host/WindowBackends/HeadlessBackend.hpp"

#include <filesystem>
#include <system_error>

#include "AppKit/NSWindow.hpp"
#include "Host/OutputFiles/OutputFile.hpp"

namespace WindowBackends {

bool writeSnapshot(AppKit::NSWindow& window, const std::string& path, std::string* error) {
    if (auto refused = OutputFiles::OutputFile::refusedName(path)) {
        if (error) *error = *refused;
        return false;
    }
    auto parent = std::filesystem::path(path).parent_path();
    if (!parent.empty()) {
        std::error_code ec;
        std::filesystem::create_directories(parent, ec);
        if (ec) {
            if (error) *error = "cannot create " + parent.string() + ": " + ec.message();
            return false;
        }
    }
    return writePicture(*window.snapshot(), path, error);
}

bool writePicture(const CoreGraphics::CGImage& image, const std::string& path, std::string* error) {
    using OutputFiles::OutputFile;
    try {
        OutputFile::write(path, [&](const std::string& writePath) {
            std::string why;
            if (image.writePNG(writePath, &why)) return;
            // cairo names the file it was writing, which the user never asked for.
            const std::string named = "cannot write " + writePath + ": ";
            if (why.compare(0, named.size(), named) == 0) why.erase(0, named.size());
            throw OutputFile::CannotWrite("cannot write " + path + ": " + why);
        });
    } catch (const OutputFile::CannotWrite& e) {
        if (error) *error = e.what();
        return false;
    }
    return true;
}

}  // namespace WindowBackends
