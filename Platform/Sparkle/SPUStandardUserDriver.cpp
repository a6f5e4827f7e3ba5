#include "Sparkle/SPUStandardUserDriver.hpp"

namespace Sparkle {

namespace {
std::string infoString(const Foundation::Bundle* bundle, const char* key) {
    const Foundation::PropertyList* value = bundle ? bundle->objectForInfoDictionaryKey(key) : nullptr;
    const std::string* s = value ? value->string() : nullptr;
    return s ? *s : std::string();
}
}  // namespace

std::string SPUStandardUserDriver::hostName() const {
    std::string name = infoString(host_.get(), "CFBundleDisplayName");
    if (name.empty()) name = infoString(host_.get(), "CFBundleName");
    return name.empty() ? "This application" : name;
}

std::string SPUStandardUserDriver::hostVersion() const { return infoString(host_.get(), "CFBundleShortVersionString"); }

void SPUStandardUserDriver::showUpdateFound(const SUAppcastItem& item) {
    const std::string name = hostName(), current = hostVersion();
    show(UpdateAlertWindow::make("A new version of " + name + " is available!",
                                 name + " " + item.displayVersionString + " is now available" +
                                     (current.empty() ? "." : " \xE2\x80\x94 you have " + current + ".") +
                                     (item.releaseNotesURL && UpdateAlertWindow::opensReleaseNotes(*item.releaseNotesURL)
                                          ? " Its release notes tell what is new."
                                          : ""),
                                 item.releaseNotesURL));
}

void SPUStandardUserDriver::showUpdateNotFound(const SUAppcastItem&) {
    const std::string current = hostVersion();
    show(UpdateAlertWindow::make("You\xE2\x80\x99re up to date!", hostName() + (current.empty() ? "" : " " + current) +
                                                                       " is currently the newest version available."));
}

void SPUStandardUserDriver::showUpdaterError(const Foundation::NSError& error) {
    show(UpdateAlertWindow::make("Update Error!", error.localizedDescription()));
}

UpdateAlertWindow::Ptr SPUStandardUserDriver::alertWindow() const {
    return window_ && window_->isVisible() ? window_ : nullptr;
}

void SPUStandardUserDriver::show(UpdateAlertWindow::Ptr window) {
    if (window_ && window_->isVisible()) window_->close();
    window_ = std::move(window);
    window_->center();
    window_->makeKeyAndOrderFront();
}

}  // namespace Sparkle
