#include "Vantrel_Zellow/AppDelegate.hpp"

#include "AppKit/NSAppearance.hpp"
#include "AppKit/NSApplication.hpp"
#include "Runtime/MainActor.hpp"

namespace Vantrel_Zellow {

AppDelegate::AppDelegate() { Runtime::assertMainActor(); }

void AppDelegate::application(AppKit::NSApplication&, const std::vector<Foundation::URL>& urls) {
    Runtime::assertMainActor();
    for (const auto& url : urls) handleIncomingURL(url);
}

void AppDelegate::applicationDidFinishLaunching(AppKit::NSApplication& app) {
    applicationDidFinishLaunching(Foundation::Notification(AppKit::NSApplication::didFinishLaunchingNotification, &app));
}

void AppDelegate::applicationDidFinishLaunching(const Foundation::Notification& notification) {
    Runtime::assertMainActor();
    auto* app = dynamic_cast<AppKit::NSApplication*>(notification.object);
    if (!app) return;
    app->setAppearance(AppKit::NSAppearance::named(AppKit::NSAppearance::darkAqua));
}

void AppDelegate::handleIncomingURL(const Foundation::URL& url) {
    if (url.scheme() != "vantrelzellow") return;
    if (url.host() == "openAndUpdate") checkForUpdates();
}

void AppDelegate::checkForUpdates() {
    if (!sparkleHelper || !sparkleHelper->updaterController) return;
    sparkleHelper->updaterController->checkForUpdates(nullptr);
}

}  // namespace Vantrel_Zellow
