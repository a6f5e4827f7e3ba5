#include "AppKit/StandardAboutPanel.hpp"

#include <unistd.h>

#include "AppKit/NSApplication.hpp"
#include "AppKit/NSColor.hpp"
#include "AppKit/NSImage.hpp"
#include "AppKit/NSFont.hpp"
#include "CoreGraphics/CGContext.hpp"
#include "CoreGraphics/TextLayout.hpp"
#include "Foundation/Bundle.hpp"

namespace AppKit {

namespace {

std::string infoString(const Foundation::Bundle* bundle, const char* key) {
    if (!bundle) return {};
    auto* value = bundle->objectForInfoDictionaryKey(key);
    auto* s = value ? value->string() : nullptr;
    return s ? *s : std::string();
}

std::string executableName() {
    char path[4096];
    ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0) return {};
    std::string p(path, std::size_t(n));
    return p.substr(p.find_last_of('/') + 1);
}

// The application's icon, then name, version and copyright, each centred on its own line.
class AboutContentView : public NSView {
    VZ_OBJECT(AboutContentView, NSView)
public:
    static constexpr CGFloat iconSide = 64;
    const StandardAboutPanel* panel = nullptr;
    NSImage::Ptr icon;
    bool isFlipped() const override { return true; }
    void draw(CGRect) override {
        auto* ctx = CoreGraphics::CGContext::current();
        if (!ctx || !panel) return;
        CoreGraphics::ParagraphStyle centred{CoreGraphics::TextAlignment::center, CoreGraphics::LineBreakMode::byTruncatingTail};
        auto colour = NSColor::labelColor()->cgColor();
        CGFloat y = 24;
        if (icon) {
            icon->draw({(bounds().size.width - iconSide) / 2, 20, iconSide, iconSide});
            y = 20 + iconSide + 12;
        }
        auto line = [&](const std::string& text, const CoreGraphics::Font& font, CGFloat gap) {
            if (text.empty()) return;
            CoreGraphics::AttributedText t(text, font, colour, centred);
            CGFloat h = CoreGraphics::TextLayout::size(t, bounds().size.width - 20).height;
            ctx->drawText(t, {10, y, bounds().size.width - 20, h});
            y += h + gap;
        };
        line(panel->applicationName(), NSFont::boldSystemFont(14)->font(), 6);
        line(panel->versionLine(), NSFont::systemFont(11)->font(), 10);
        line(panel->copyright(), NSFont::systemFont(10)->font(), 0);
    }

protected:
    using NSView::NSView;
};

}  // namespace

std::shared_ptr<StandardAboutPanel> StandardAboutPanel::shared() {
    static const std::shared_ptr<StandardAboutPanel> panel =
        Runtime::make<StandardAboutPanel>(CGRect{0, 0, 280, 140}, StyleMask::titled() | StyleMask::closable());
    return panel;
}

void StandardAboutPanel::didInit() {
    NSPanel::didInit();
    auto view = Runtime::make<AboutContentView>();
    view->panel = this;
    setContentView(view);
}

void StandardAboutPanel::update(const Options& options) {
    auto bundle = Foundation::Bundle::main();
    auto option = [&](const char* key) -> const std::string* {
        auto it = options.find(key);
        return it == options.end() ? nullptr : &it->second;
    };
    if (auto* o = option(applicationNameKey)) {
        name_ = *o;
    } else {
        name_ = infoString(bundle.get(), "CFBundleDisplayName");
        if (name_.empty()) name_ = infoString(bundle.get(), "CFBundleName");
        if (name_.empty()) name_ = executableName();
    }
    std::string shortVersion = option(applicationVersionKey) ? *option(applicationVersionKey)
                                                              : infoString(bundle.get(), "CFBundleShortVersionString");
    std::string build = option(versionKey) ? *option(versionKey) : infoString(bundle.get(), "CFBundleVersion");
    version_.clear();
    if (!shortVersion.empty() || !build.empty()) {
        version_ = "Version " + (shortVersion.empty() ? build : shortVersion);
        if (!shortVersion.empty() && !build.empty()) version_ += " (" + build + ")";
    }
    copyright_ = option(copyrightKey) ? *option(copyrightKey) : infoString(bundle.get(), "NSHumanReadableCopyright");
    setTitle("About " + name_);
    if (auto v = std::dynamic_pointer_cast<AboutContentView>(contentView())) {
        v->icon = NSApplication::shared().applicationIconImage();
        setContentSize({280, v->icon ? 140 + AboutContentView::iconSide + 12 : 140});
        v->setNeedsDisplay(true);
    }
}

}  // namespace AppKit
