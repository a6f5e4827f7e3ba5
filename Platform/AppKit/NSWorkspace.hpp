#pragma once
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "Foundation/URL.hpp"

namespace AppKit {

// Opens URLs. Every call is written down (tests read openedURLs). A URL of a scheme that an
// application of this process registered goes to that application on the main queue. The
// rest leaves the process only when external opening is on (NSApplication::run and the
// programs turn it on; tests leave it off and only record): http and https go to the
// browser (`xdg-open`); another scheme goes to the application whose desktop entry handles
// it (DesktopEntry) - to its running instance (ApplicationInstance), or the application is
// started with the URL when none runs. Anything else is refused.
class NSWorkspace {
public:
    static NSWorkspace& shared();

    // True when something will open the URL.
    bool open(const Foundation::URL& url);

    std::vector<Foundation::URL> openedURLs() const;
    void clearOpenedURLs();

    using URLHandler = std::function<void(const Foundation::URL&)>;
    // Schemes match without regard to case, as the system's registry does.
    void setURLHandler(const std::string& scheme, URLHandler handler);
    void removeURLHandler(const std::string& scheme);
    bool hasURLHandler(const std::string& scheme) const;

    bool opensLinksExternally() const { return external_; }
    void setOpensLinksExternally(bool flag) { external_ = flag; }

private:
    NSWorkspace() = default;
    mutable std::mutex mutex_;
    std::vector<Foundation::URL> opened_;
    std::map<std::string, URLHandler> handlers_;
    bool external_ = false;
};

}  // namespace AppKit
