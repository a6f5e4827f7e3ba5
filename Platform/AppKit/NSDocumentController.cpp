#include "AppKit/NSDocumentController.hpp"

#include <algorithm>

namespace AppKit {

namespace {
std::shared_ptr<NSDocumentController>& instance() {
    static std::shared_ptr<NSDocumentController> controller;
    return controller;
}
}  // namespace

std::vector<std::pair<Runtime::Selector, Runtime::ClassInfo::Action>> NSDocumentController::classActions() {
    return {Runtime::action("clearRecentDocuments:", &NSDocumentController::clearAction)};
}

NSDocumentController& NSDocumentController::shared() {
    auto& controller = instance();
    if (!controller) controller = Runtime::make<NSDocumentController>();
    return *controller;
}

NSDocumentController* NSDocumentController::sharedIfMade() { return instance().get(); }

void NSDocumentController::noteNewRecentDocumentURL(const Foundation::URL& url) {
    recents_.erase(std::remove(recents_.begin(), recents_.end(), url), recents_.end());
    recents_.insert(recents_.begin(), url);
    if (recents_.size() > maximumRecentDocumentCount()) recents_.erase(recents_.begin() + long(maximumRecentDocumentCount()), recents_.end());
}

void NSDocumentController::clearRecentDocuments(Runtime::NSObject*) { recents_.clear(); }

void NSDocumentController::openDocument(const Foundation::URL& url, bool display,
                                        const std::function<void(bool opened)>& completion) {
    const bool opened = opener_ && opener_(url, display);
    if (opened) noteNewRecentDocumentURL(url);
    if (completion) completion(opened);
}

void NSDocumentController::resetForTesting() {
    recents_.clear();
    opener_ = nullptr;
}

}  // namespace AppKit
