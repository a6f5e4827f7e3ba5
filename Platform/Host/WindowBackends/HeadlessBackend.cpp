#include "Host/WindowBackends/HeadlessBackend.hpp"

#include <filesystem>
#include <system_error>

#include "AppKit/NSWindow.hpp"

namespace WindowBackends {

bool writeSnapshot(AppKit::NSWindow& window, const std::string& path, std::string* error) {
    auto parent = std::filesystem::path(path).parent_path();
    if (!parent.empty()) {
        std::error_code ec;
        std::filesystem::create_directories(parent, ec);
        if (ec) {
            if (error) *error = "cannot create " + parent.string() + ": " + ec.message();
            return false;
        }
    }
    return window.snapshot()->writePNG(path, error);
}

}  // namespace WindowBackends
