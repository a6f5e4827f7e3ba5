#pragma once
#include <algorithm>
#include <any>
#include <cmath>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "AppKit/NSAppearance.hpp"
#include "AppKit/NSColor.hpp"
#include "AppKit/NSTableCellView.hpp"
#include "AppKit/NSTextField.hpp"
#include "AppKit/NSWindow.hpp"
#include "CoreGraphics/CGContext.hpp"
#include "SheetDrawing.hpp"
#include "Orrindle/Outlines/StyledOutlineView.hpp"
#include "Orrindle/Popovers/SimpleTextViewPopover.hpp"
#include "Orrindle/Resources/ImageResources.hpp"
#include "Orrindle/Resources/ODColorsAK.hpp"
#include "Orrindle/SearchFields/StyledSearchField.hpp"
#include "Orrindle/SegmentedControls/StyledSegmentedControl.hpp"
#include "Orrindle/Sliders/StyledSlider.hpp"
#include "Orrindle/Sliders/TrackingSlider.hpp"
#include "Orrindle/Views/FlippedView.hpp"
#include "Orrindle/Views/NoDividerSplitView.hpp"
#include "Orrindle/Views/StyledFlippedView.hpp"

namespace OrrindleTest {

using AppKit::CGFloat;
using AppKit::CGRect;
using AppKit::CGSize;

// The kit's views, segmented control, sliders, outline and text popover in their states, in
// one window laid out like the buttons' sheet: the picture sheet draws it and the real-window
// test drags on it.
class ViewGallery {
public:
    enum class Look { normal, pressed, disabled, focused };
    struct Sample {
        std::string row, caption;
        AppKit::NSView::Ptr view;
        Look look;
    };

    ViewGallery() {
        container = Runtime::make<GallerySheet>(CGRect{0, 0, 100, 100});
        build();
        layOut();
        window = AppKit::NSWindow::make({0, 0, size.width, size.height});
        window->setTitle("Orrindle views");
        window->setAppearance(AppKit::NSAppearance::named(AppKit::NSAppearance::darkAqua));
        window->setContentView(container);
    }

    AppKit::NSView::Ptr find(const std::string& row, const std::string& caption) const {
        for (const auto& s : samples)
            if (s.row == row && s.caption == caption) return s.view;
        return nullptr;
    }

    // Opens the popover sample against its anchor (the window must be on screen).
    void openPopover() { popover->show("Must be between 20 and 300", popoverAnchor, AppKit::NSRectEdge::maxX); }

    // Draws the window's content, the focused samples taking the focus in turn, and the open
    // popover where it stands, into `ctx` (not flipped, of the gallery's size).
    void drawSheet(CoreGraphics::CGContext& ctx) {
        CoreGraphics::CGContext::CurrentScope scope(&ctx);
        std::vector<AppKit::NSView::Ptr> focused;
        for (const auto& s : samples)
            if (s.look == Look::focused) focused.push_back(s.view);
        drawWindowContent(ctx, *window, *container, size.height, focused, [&] { drawOpenPopover(ctx); });
    }

    // The open popover where it stands, drawn into the sheet's top-down coordinates.
    void drawOpenPopover(CoreGraphics::CGContext& ctx) { OrrindleTest::drawOpenPopover(ctx, *window, *popover); }

    AppKit::NSWindow::Ptr window;
    std::vector<Sample> samples;
    CGSize size;
    std::shared_ptr<Orrindle::SimpleTextViewPopoverController> popover = Runtime::make<Orrindle::SimpleTextViewPopoverController>();
    AppKit::NSView::Ptr popoverAnchor;

private:
    // A tree of a few preset folders for the outline.
    class Tree : public Runtime::NSObject, public AppKit::NSOutlineViewDataSource, public AppKit::NSOutlineViewDelegate {
        VZ_OBJECT(Tree, Runtime::NSObject)
    public:
        std::map<std::string, std::vector<std::string>> children{
            {"", {"Factory", "Mine", "Recent"}}, {"Factory", {"Soft swing", "Hard swing"}}, {"Mine", {"Late night"}}};
        static std::string name(const std::any& item) { return item.has_value() ? std::any_cast<std::string>(item) : ""; }
        long outlineViewNumberOfChildren(AppKit::NSOutlineView&, const std::any& of) override {
            auto it = children.find(name(of));
            return it == children.end() ? 0 : long(it->second.size());
        }
        std::any outlineViewChild(AppKit::NSOutlineView&, long i, const std::any& of) override { return children[name(of)][std::size_t(i)]; }
        bool outlineViewIsItemExpandable(AppKit::NSOutlineView&, const std::any& item) override { return children.count(name(item)) > 0; }
        // The name in a cell view, centred on the row as the disclosure button is.
        AppKit::NSView::Ptr outlineViewViewFor(AppKit::NSOutlineView& outline, const std::any& item) override {
            auto cell = Runtime::make<AppKit::NSTableCellView>(CGRect{});
            auto text = label(name(item));
            const CGFloat height = text->intrinsicContentSize().height;
            text->setFrame({0, std::round((outline.rowHeight() - height) / 2), 150, height});
            cell->addSubview(text);
            cell->setTextField(text);
            return cell;
        }
    };

    static AppKit::NSTextField::Ptr label(const std::string& text) {
        auto field = AppKit::NSTextField::labelWithString(text);
        field->setFont(AppKit::NSFont::systemFont(11));
        field->setTextColor(Orrindle::ODColorsAK::grey85());
        return field;
    }

    void add(const std::string& row, const std::string& caption, AppKit::NSView::Ptr view, Look look = Look::normal,
             CGSize fixed = {0, 0}) {
        if (auto control = std::dynamic_pointer_cast<AppKit::NSControl>(view)) {
            if (look == Look::pressed) control->cell()->setHighlighted(true);
            if (look == Look::disabled) control->setEnabled(false);
        }
        if (fixed.width > 0) view->setFrameSize(fixed);
        samples.push_back({row, caption, std::move(view), look});
    }

    static AppKit::NSImage::Ptr kit(const SwiftUI::ImageResource& resource) { return AppKit::NSImage::withResource(resource); }

    void build() {
        using L = Look;
        using namespace Orrindle;
        const auto tabs = [](long selected) {
            auto c = Runtime::make<StyledSegmentedControl>(CGRect{0, 0, 10, 10});
            c->setSegmentCount(3);
            const char* names[] = {"Notes", "Timing", "Swing"};
            for (long s = 0; s < 3; ++s) {
                c->setLabel(names[s], s);
                c->setWidth(0, s);
            }
            c->setSelectedSegment(selected);
            return c;
        };
        add("Segmented", "selection hidden", tabs(1));
        auto shown = tabs(1);
        shown->setHideSelection(false);
        add("Segmented", "selection shown", shown);
        auto pressed = tabs(1);
        pressed->setHideSelection(false);
        pressed->styledCell()->setSegmentHighlightState(2, 2);
        add("Segmented", "pressed", pressed);
        add("Segmented", "disabled", tabs(0), L::disabled);
        auto focused = tabs(1);
        focused->styledCell()->setKeySegment(0);
        add("Segmented", "focused", focused, L::focused);

        const auto slider = [](double value) {
            auto s = Runtime::make<StyledSlider>(CGRect{0, 0, 10, 10});
            s->setFixedWidth(120);
            s->setDoubleValue(value);
            return s;
        };
        add("Slider", "minimum", slider(0));
        add("Slider", "middle", slider(0.5));
        add("Slider", "pressed", slider(0.7), L::pressed);
        add("Slider", "disabled", slider(0.4), L::disabled);
        add("Slider", "maximum", slider(1));
        auto scrollable = Runtime::make<StyledScrollableSlider>(CGRect{0, 0, 10, 10});
        scrollable->setFixedWidth(160);
        scrollable->setDoubleValue(0.3);
        add("Slider", "scrollable", scrollable);

        const auto image = [](auto made) {
            made->setImage(kit(ImageResources::kvuCustomsliderHandle()));
            made->setImageScaling(AppKit::NSImageScaling::scaleNone);
            return made;
        };
        add("Image views", "tracking slider", image(Runtime::make<TrackingSlider>(CGRect{0, 0, 24, 24})), L::normal, {24, 24});
        add("Image views", "disabled", image(Runtime::make<TrackingSlider>(CGRect{0, 0, 24, 24})), L::disabled, {24, 24});
        add("Image views", "clickable", image(Runtime::make<ClickableImageView>(CGRect{0, 0, 24, 24})), L::normal, {24, 24});
        auto dimmed = image(Runtime::make<ClickableImageView>(CGRect{0, 0, 24, 24}));
        dimmed->setAlphaValue(0.5);
        add("Image views", "pressed", dimmed, L::normal, {24, 24});

        const auto pane = [](const std::string& text, bool styled) {
            AppKit::NSView::Ptr v = styled ? AppKit::NSView::Ptr(Runtime::make<StyledFlippedView>(CGRect{0, 0, 80, 40}))
                                           : AppKit::NSView::Ptr(Runtime::make<FlippedView>(CGRect{0, 0, 80, 40}));
            auto l = label(text);
            l->setFrame({8, 12, 64, 16});
            v->addSubview(l);
            return v;
        };
        auto noDivider = Runtime::make<NoDividerSplitView>(CGRect{0, 0, 160, 40});
        noDivider->setVertical(true);
        noDivider->addSubview(pane("styled", true));
        noDivider->addSubview(pane("flipped", false));
        noDivider->adjustSubviews();
        add("Split views", "no divider", noDivider);
        auto plain = Runtime::make<AppKit::NSSplitView>(CGRect{0, 0, 161, 40});
        plain->setVertical(true);
        plain->addSubview(pane("left", true));
        plain->addSubview(pane("right", true));
        plain->adjustSubviews();
        add("Split views", "platform divider", plain);

        tree = Runtime::make<Tree>();
        outline = Runtime::make<StyledOutlineView>(CGRect{0, 0, 180, 120});
        outline->setDelegate(tree);
        outline->setDataSource(tree);
        outline->expandItemWithoutAnimation(std::string("Factory"));
        outline->viewWillMoveToSuperview(nullptr);  // takes its background as it would in a window
        add("Outline", "one folder open", outline);

        const auto search = [](const std::string& text) {
            auto f = Runtime::make<StyledSearchField>(CGRect{0, 0, 150, 10});
            f->setPlaceholderString("Search presets");
            f->setStringValue(text);
            return f;
        };
        add("Search field", "placeholder", search(""));
        add("Search field", "text", search("swing"));
        add("Search field", "focused", search("late"), L::focused);
        auto plainSearch = search("no icon");
        plainSearch->styledCell()->setShowsSearchIcon(false);
        add("Search field", "without icon", plainSearch);
        add("Search field", "disabled", search("swing"), L::disabled);

        popoverAnchor = label("Tempo  999");
        popoverAnchor->setFrameSize({80, 18});
        add("Popover", "open beside its field", popoverAnchor, L::normal, {80, 18});
    }

    void layOut() {
        std::vector<GallerySheet::Sample> placed;
        for (const auto& s : samples) placed.push_back({s.row, s.caption, s.view});
        // Room for the popover beside its anchor.
        size = container->layOut(placed, 220);
    }

    std::shared_ptr<GallerySheet> container;
    std::shared_ptr<Tree> tree;

public:
    std::shared_ptr<Orrindle::StyledOutlineView> outline;
};

}  // namespace OrrindleTest
