#pragma once
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "Foundation/URL.hpp"

namespace AppKit {

// Opens URLs. Every call is written down (tests read openedURLs). A URL of a scheme that an
// application registered goes to that application on the main queue; http and https go to
// the browser (`xdg-open`) only when external opening is on, which NSApplication::run
// turns on for programs and tests leave off; anything else is refused.
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
