#include "Sparkle/UpdateAlertWindow.hpp"

#include <algorithm>

#include "AppKit/NSApplication.hpp"
#include "AppKit/NSColor.hpp"
#include "AppKit/NSEvent.hpp"
#include "AppKit/NSFont.hpp"
#include "AppKit/NSImage.hpp"
#include "AppKit/NSWorkspace.hpp"
#include "CoreGraphics/CGContext.hpp"
#include "CoreGraphics/TextLayout.hpp"
#include "Foundation/Strings.hpp"

namespace Sparkle {

namespace {

using CoreGraphics::CGFloat;
using CoreGraphics::CGRect;

constexpr CGFloat width = 440, margin = 20, iconSide = 64, gap = 8, buttonHeight = 28, buttonGap = 12;

CoreGraphics::AttributedText text(const std::string& s, const AppKit::NSFont::Ptr& font) {
    CoreGraphics::ParagraphStyle wrapped{CoreGraphics::TextAlignment::left, CoreGraphics::LineBreakMode::byWordWrapping};
    return CoreGraphics::AttributedText(s, font->font(), AppKit::NSColor::labelColor()->cgColor(), wrapped);
}

// Icon and texts, top to bottom (flipped); Return is OK and Escape closes.
class AlertContentView : public AppKit::NSView {
    VZ_OBJECT(AlertContentView, AppKit::NSView)
public:
    UpdateAlertWindow* window = nullptr;
    AppKit::NSImage::Ptr icon;
    CGFloat textLeft = margin, messageHeight = 0, informativeHeight = 0;

    bool isFlipped() const override { return true; }
    bool acceptsFirstResponder() const override { return true; }
    void keyDown(const AppKit::NSEvent& event) override {
        if (event.keyCode() == AppKit::KeyCode::returnKey || event.keyCode() == AppKit::KeyCode::escape)
            window->dismiss();
        else
            AppKit::NSView::keyDown(event);
    }
    void draw(CGRect) override {
        auto* ctx = CoreGraphics::CGContext::current();
        if (!ctx) return;
        if (icon) icon->draw({margin, margin, iconSide, iconSide});
        const CGFloat room = bounds().size.width - textLeft - margin;
        ctx->drawText(text(window->messageText(), AppKit::NSFont::boldSystemFont(13)), {textLeft, margin, room, messageHeight});
        ctx->drawText(text(window->informativeText(), AppKit::NSFont::systemFont(11)),
                      {textLeft, margin + messageHeight + gap, room, informativeHeight});
    }

protected:
    using AppKit::NSView::NSView;
};

}  // namespace

std::vector<std::pair<Runtime::Selector, Runtime::ClassInfo::Action>> UpdateAlertWindow::classActions() {
    return {Runtime::action("dismiss:", &UpdateAlertWindow::dismiss),
            Runtime::action("showReleaseNotes:", &UpdateAlertWindow::showReleaseNotes)};
}

UpdateAlertWindow::Ptr UpdateAlertWindow::make(std::string messageText, std::string informativeText,
                                               std::optional<Foundation::URL> releaseNotesURL) {
    auto w = Runtime::make<UpdateAlertWindow>(CGRect{0, 0, width, 150}, AppKit::StyleMask::titled() | AppKit::StyleMask::closable());
    w->message_ = std::move(messageText);
    w->informative_ = std::move(informativeText);
    if (releaseNotesURL && opensReleaseNotes(*releaseNotesURL)) w->releaseNotes_ = std::move(releaseNotesURL);
    w->build();
    return w;
}

void UpdateAlertWindow::build() {
    setTitle("Software Update");
    auto view = Runtime::make<AlertContentView>();
    view->window = this;
    view->icon = AppKit::NSApplication::shared().applicationIconImage();
    view->textLeft = view->icon ? margin + iconSide + 16 : margin;
    const CGFloat room = width - view->textLeft - margin;
    view->messageHeight = std::ceil(CoreGraphics::TextLayout::size(text(message_, AppKit::NSFont::boldSystemFont(13)), room).height);
    view->informativeHeight = std::ceil(CoreGraphics::TextLayout::size(text(informative_, AppKit::NSFont::systemFont(11)), room).height);
    const CGFloat textBottom = margin + view->messageHeight + gap + view->informativeHeight;
    const CGFloat buttonsTop = std::max(textBottom, view->icon ? margin + iconSide : 0.0) + 20;
    const CGFloat height = buttonsTop + buttonHeight + margin;
    setContentSize({width, height});
    view->setFrame({0, 0, width, height});

    auto self = sharedAs<UpdateAlertWindow>();
    auto button = [&](const std::string& title, const char* action) {
        auto b = Runtime::make<AppKit::NSButton>(CGRect{0, 0, 10, buttonHeight});
        b->setTitle(title);
        b->setTarget(self);
        b->setAction(Runtime::Selector(action));
        const CGFloat w = std::max<CGFloat>(90, std::ceil(b->intrinsicContentSize().width) + 24);
        b->setFrameSize({w, buttonHeight});
        buttons_.push_back(b);
    };
    button("OK", "dismiss:");
    if (releaseNotes_) button("Release Notes", "showReleaseNotes:");
    CGFloat right = width - margin;
    for (auto& b : buttons_) {
        b->setFrameOrigin({right - b->frame().size.width, buttonsTop});
        right -= b->frame().size.width + buttonGap;
        view->addSubview(b);
    }
    setContentView(view);
    setInitialFirstResponder(view);
    makeFirstResponder(view);
}

bool UpdateAlertWindow::opensReleaseNotes(const Foundation::URL& url) {
    const std::string scheme = Foundation::lowercased(url.scheme().value_or(""));
    return (scheme == "https" || scheme == "http") && url.host();
}

void UpdateAlertWindow::dismiss(Runtime::NSObject*) { close(); }

void UpdateAlertWindow::showReleaseNotes(Runtime::NSObject*) {
    if (releaseNotes_) (void)AppKit::NSWorkspace::shared().open(*releaseNotes_);
}

}  // namespace Sparkle
