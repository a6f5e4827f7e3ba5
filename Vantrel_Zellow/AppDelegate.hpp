#pragma once
#include <memory>
#include <vector>

#include "AppKit/NSApplicationDelegate.hpp"
#include "Foundation/Notification.hpp"
#include "Foundation/URL.hpp"
#include "Runtime/NSObject.hpp"
#include "Vantrel_Zellow/SparkleHelper.hpp"

namespace Vantrel_Zellow {

// The application's delegate: dark appearance once launching has finished, and the URLs of
// the application's scheme - "vantrelzellow://openAndUpdate", which the effect's editor opens,
// runs the update check the menu item runs. Main thread.
class AppDelegate : public Runtime::NSObject, public AppKit::NSApplicationDelegate {
    VZ_OBJECT(AppDelegate, Runtime::NSObject)
public:
    // Set once by the application's start-up, to the helper the application holds.
    std::shared_ptr<SparkleHelper> sparkleHelper;

    // "application:openURLs:": each URL through handleIncomingURL, in order.
    void application(AppKit::NSApplication& app, const std::vector<Foundation::URL>& urls) override;
    // "applicationDidFinishLaunching:": the notification's application gets the dark Aqua
    // appearance; a notification of anything else changes nothing.
    void applicationDidFinishLaunching(const Foundation::Notification& notification);

    // Scheme "vantrelzellow" and host "openAndUpdate", both exactly as written, check for
    // updates; path, query and fragment are not looked at; every other URL is ignored.
    void handleIncomingURL(const Foundation::URL& url);
    // The updater controller's user-initiated check; nothing while there is none.
    void checkForUpdates();

protected:
    AppDelegate();

private:
    void applicationDidFinishLaunching(AppKit::NSApplication& app) override;
};

}  // namespace Vantrel_Zellow
