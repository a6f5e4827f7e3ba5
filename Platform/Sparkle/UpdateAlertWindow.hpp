#pragma once
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "AppKit/NSButton.hpp"
#include "AppKit/NSPanel.hpp"
#include "Foundation/URL.hpp"

namespace Sparkle {

// The window that tells the user how an update check ended: the application's icon, a bold
// message, an explanation and the buttons "OK" (the default, also Return; Escape closes too)
// and, when the found version has release notes, "Release Notes", which opens them in the
// browser. Not modal: the application goes on while it shows.
//
// The notes' link comes from the feed, so only a web page is opened: a link of any other
// scheme would start whatever the desktop runs for that scheme, and is dropped.
class UpdateAlertWindow : public AppKit::NSPanel {
    static std::vector<std::pair<Runtime::Selector, Runtime::ClassInfo::Action>> classActions();
    VZ_OBJECT(UpdateAlertWindow, AppKit::NSPanel)
public:
    using Ptr = std::shared_ptr<UpdateAlertWindow>;

    static Ptr make(std::string messageText, std::string informativeText,
                    std::optional<Foundation::URL> releaseNotesURL = std::nullopt);

    const std::string& messageText() const { return message_; }
    const std::string& informativeText() const { return informative_; }
    // The notes' link when it is an http or https one.
    const std::optional<Foundation::URL>& releaseNotesURL() const { return releaseNotes_; }
    static bool opensReleaseNotes(const Foundation::URL& url);
    // Right to left: "OK", then "Release Notes" when there are notes.
    const std::vector<AppKit::NSButton::Ptr>& buttons() const { return buttons_; }

    // "dismiss:" closes the window; "showReleaseNotes:" opens the notes and leaves it open.
    void dismiss(Runtime::NSObject* sender = nullptr);
    void showReleaseNotes(Runtime::NSObject* sender = nullptr);

protected:
    using AppKit::NSPanel::NSPanel;

private:
    void build();

    std::string message_, informative_;
    std::optional<Foundation::URL> releaseNotes_;
    std::vector<AppKit::NSButton::Ptr> buttons_;
};

}  // namespace Sparkle
