#include "Orrindle/Views/StyledFlippedView.hpp"

#include "AppKit/CALayer.hpp"
#include "Runtime/MainActor.hpp"

namespace Orrindle {

namespace {
std::shared_ptr<BaseStyle>& slot() {
    static std::shared_ptr<BaseStyle> style;
    return style;
}
}  // namespace

std::shared_ptr<BaseStyle> StyledFlippedView::sharedStyle() {
    auto& s = slot();
    if (!s) s = std::make_shared<BaseStyle>();
    return s;
}

void StyledFlippedView::setSharedStyle(std::shared_ptr<BaseStyle> style) {
    Runtime::assertMainActor();
    slot() = std::move(style);
}

bool StyledFlippedView::isFlipped() const {
    Runtime::assertMainActor();
    return true;
}

void StyledFlippedView::didInit() {
    Runtime::assertMainActor();
    AppKit::NSView::didInit();
    setWantsLayer(true);
    setTranslatesAutoresizingMaskIntoConstraints(false);
    if (auto l = layer()) {
        auto colour = sharedStyle()->backgroundColor();
        l->setBackgroundColor(colour ? std::optional(colour->cgColor()) : std::nullopt);
    }
}

}  // namespace Orrindle
