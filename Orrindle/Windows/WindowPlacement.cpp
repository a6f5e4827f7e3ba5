#include "Orrindle/Windows/WindowPlacement.hpp"

#include <cmath>

#include "AppKit/NSScreen.hpp"
#include "QuartzCore/CAKeyframeAnimation.hpp"

namespace Orrindle {

using AppKit::CGFloat;
using AppKit::CGRect;

void properlyCenter(AppKit::NSWindow& window) {
    auto screen = window.screen();
    if (!screen) return;
    const CGRect v = screen->visibleFrame();
    const CGRect f = window.frame();
    window.setFrameOrigin({v.midX() - f.size.width * 0.5, v.midY() - f.size.height * 0.5});
}

void properlyCenterHorizontally(AppKit::NSWindow& window, CGFloat topOffset) {
    auto screen = window.screen();
    if (!screen) return;
    const CGRect v = screen->visibleFrame();
    const CGRect f = window.frame();
    window.setFrameOrigin({v.midX() - f.size.width * 0.5, v.maxY() - f.size.height - topOffset});
}

namespace {
// The view's bounds on the screen. Its bounds, not its frame: the frame is in the
// superview's coordinates, so converting it from the view would count the origin twice.
std::optional<CGRect> screenRect(const AppKit::NSView& view) {
    auto window = view.window();
    if (!window) return std::nullopt;
    return window->convertToScreen(view.convertTo(view.bounds(), nullptr));
}
CGFloat centred(CGFloat start, CGFloat outer, CGFloat inner) { return start + std::round((outer - inner) * 0.5); }
}  // namespace

void centerFrame(AppKit::NSWindow& window, const AppKit::NSView& view, bool display) {
    auto r = screenRect(view);
    if (!r) return;
    const CGRect f = window.frame();
    window.setFrame(CGRect{centred(r->minX(), r->size.width, f.size.width), centred(r->minY(), r->size.height, f.size.height),
                           f.size.width, f.size.height}
                        .integral(),
                    display);
}

void horizontallyCenterFrame(AppKit::NSWindow& window, const AppKit::NSView& view, bool display) {
    auto r = screenRect(view);
    if (!r) return;
    const CGRect f = window.frame();
    window.setFrame(CGRect{centred(r->minX(), r->size.width, f.size.width), r->maxY(), f.size.width, f.size.height}.integral(),
                    display);
}

CGFloat titlebarHeight(const AppKit::NSWindow& window) {
    auto content = window.contentView();
    if (window.styleMask().contains(AppKit::StyleMask::fullSizeContentView()) && content)
        return content->frame().size.height - window.contentLayoutRect().size.height;
    return window.frame().size.height - window.contentRect(window.frame()).size.height;
}

void shake(AppKit::NSWindow& window) {
    const CGRect f = window.frame();
    const CGFloat x = f.origin.x, y = f.origin.y, d = f.size.width * 0.03;
    CoreGraphics::CGPath path;
    path.move({x, y});
    for (int i = 0; i < 3; ++i) {
        path.addLine({x - d, y});
        path.addLine({x + d, y});
    }
    path.closeSubpath();
    auto animation = QuartzCore::CAKeyframeAnimation::make("frameOrigin");
    animation->setPath(std::move(path));
    animation->setDuration(0.4);
    auto animations = window.animations();
    animations["frameOrigin"] = animation;
    window.setAnimations(std::move(animations));
    window.animator().setFrameOrigin(f.origin);
}

}  // namespace Orrindle
