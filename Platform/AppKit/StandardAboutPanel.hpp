#pragma once
#include <map>
#include <memory>
#include <string>

#include "AppKit/NSPanel.hpp"

namespace AppKit {

// The application's standard About panel: its name, version line and copyright from the
// main bundle's information (or the options given), drawn centred. One panel per process,
// reused by later requests.
class StandardAboutPanel : public NSPanel {
    VZ_OBJECT(StandardAboutPanel, NSPanel)
public:
    // Option keys, as the platform names them.
    static constexpr const char* applicationNameKey = "ApplicationName";
    static constexpr const char* applicationVersionKey = "ApplicationVersion";  // the short version
    static constexpr const char* versionKey = "Version";                        // the build
    static constexpr const char* copyrightKey = "Copyright";
    using Options = std::map<std::string, std::string>;

    static std::shared_ptr<StandardAboutPanel> shared();

    // Reads the fields (options first, then the main bundle) and redraws.
    void update(const Options& options);

    // CFBundleDisplayName, else CFBundleName, else the executable's name.
    const std::string& applicationName() const { return name_; }
    // "Version <CFBundleShortVersionString> (<CFBundleVersion>)"; a missing part is left out.
    const std::string& versionLine() const { return version_; }
    // NSHumanReadableCopyright, or empty.
    const std::string& copyright() const { return copyright_; }

    void didInit() override;

protected:
    using NSPanel::NSPanel;

private:
    std::string name_, version_, copyright_;
};

}  // namespace AppKit
