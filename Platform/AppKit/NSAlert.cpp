#include "AppKit/NSAlert.hpp"

#include "Dispatch/DispatchQueue.hpp"
#include "Runtime/MainActor.hpp"

namespace AppKit {

namespace {
NSAlert::Responder& responder() {
    static NSAlert::Responder r;
    return r;
}
std::vector<NSAlert::Ptr>& shown() {
    static std::vector<NSAlert::Ptr> s;
    return s;
}
}  // namespace

NSAlert::Ptr NSAlert::make() { return Runtime::make<NSAlert>(); }

std::vector<std::string> NSAlert::buttons() const {
    return buttons_.empty() ? std::vector<std::string>{"OK"} : buttons_;
}

ModalResponse NSAlert::respond() {
    Runtime::assertMainActor();
    shown().push_back(sharedAs<NSAlert>());
    auto& r = responder();
    return r ? r(*this) : NSAlertFirstButtonReturn;
}

ModalResponse NSAlert::runModal() { return respond(); }

void NSAlert::beginSheetModal(const std::shared_ptr<NSWindow>&, std::function<void(ModalResponse)> completionHandler) {
    ModalResponse response = respond();
    if (completionHandler)
        Dispatch::DispatchQueue::main().async([completionHandler, response] { completionHandler(response); });
}

void NSAlert::setResponder(Responder r) { responder() = std::move(r); }
std::vector<NSAlert::Ptr> NSAlert::shownAlerts() { return shown(); }
void NSAlert::resetShownAlerts() { shown().clear(); }

}  // namespace AppKit
