#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "AppKit/NSAlert.hpp"
#include "AppKit/NSButton.hpp"
#include "AppKit/NSControl.hpp"
#include "AppKit/NSGraphicsContext.hpp"
#include "AppKit/NSMenu.hpp"
#include "AppKit/NSMenuItem.hpp"
#include "AppKit/NSText.hpp"
#include "AppKit/NSWindow.hpp"
#include "ControlTestSupport.hpp"
#include "CoreGraphics/CGContext.hpp"
#include "CoreGraphics/TextLayout.hpp"
#include "Orrindle/Extensions/Alerts.hpp"
#include "Orrindle/Extensions/DragAndDrop.hpp"
#include "Orrindle/Extensions/EdgeInsets.hpp"
#include "Orrindle/Extensions/EnumBridges.hpp"
#include "Orrindle/Extensions/EventHelpers.hpp"
#include "Orrindle/Extensions/ImageOperations.hpp"
#include "Orrindle/Extensions/RoundedPath.hpp"
#include "Orrindle/Extensions/TextDrawing.hpp"
#include "Orrindle/Extensions/ViewOperations.hpp"
#include "TestSupport/FatalErrorCapture.hpp"
#include "TestSupport/ScratchDirectory.hpp"

namespace {

using namespace Orrindle;
using AppKit::NSImage;
using AppKit::NSView;
using CoreGraphics::CGContext;
using CoreGraphics::CGPath;
using CoreGraphics::CGRect;
using CoreGraphics::CGSize;
using Element = CGPath::ElementType;

// --- Rounded path ------------------------------------------------------------------------

// Every point the outline passes through or bends towards.
std::vector<CoreGraphics::CGPoint> pathPoints(const CGPath& path) {
    std::vector<CoreGraphics::CGPoint> points;
    for (const auto& e : path.elements()) {
        const int n = e.type == Element::addCurveToPoint ? 3 : e.type == Element::closeSubpath ? 0 : 1;
        for (int i = 0; i < n; ++i) points.push_back(e.points[i]);
    }
    return points;
}

TEST(RoundedPath, RoundsOnlyTheCornersWithARadius) {
    const auto path = roundedRectPath({0, 0, 100, 50}, {10, 0, 0, 10})->cgPath();
    ASSERT_FALSE(path.elements().empty());
    EXPECT_EQ(path.elements().front().type, Element::moveToPoint);
    EXPECT_EQ(path.elements().front().points[0], (CoreGraphics::CGPoint{10, 0}));
    EXPECT_EQ(path.elements().back().type, Element::closeSubpath);
    // Both curves sit at minX: nothing bends right of x 10, and the maxX corners are exact.
    int curves = 0;
    for (const auto& e : path.elements())
        if (e.type == Element::addCurveToPoint) {
            ++curves;
            for (int i = 0; i < 3; ++i) EXPECT_LE(e.points[i].x, 10);
        }
    EXPECT_EQ(curves, 2);
    const auto points = pathPoints(path);
    EXPECT_NE(std::find(points.begin(), points.end(), CoreGraphics::CGPoint{100, 0}), points.end());
    EXPECT_NE(std::find(points.begin(), points.end(), CoreGraphics::CGPoint{100, 50}), points.end());
    EXPECT_FALSE(path.contains({0.5, 0.5}));
    EXPECT_TRUE(path.contains({99.5, 0.5}));
    EXPECT_FALSE(path.contains({0.5, 49.5}));
    EXPECT_TRUE(path.contains({99.5, 49.5}));
}

TEST(RoundedPath, ZeroRadiiGiveThePlainRectangleAndOversizedOnesAreClamped) {
    const auto plain = roundedRectPath({5, 5, 20, 10}, {})->cgPath();
    for (const auto& e : plain.elements()) EXPECT_NE(e.type, Element::addCurveToPoint);
    EXPECT_EQ(plain.boundingBox(), (CGRect{5, 5, 20, 10}));
    EXPECT_TRUE(plain.contains({5.1, 5.1}));

    // A negative radius stays square; one beyond half the short side becomes a semicircle end.
    const auto clamped = roundedRectPath({0, 0, 40, 10}, {-5, 30, 30, 0})->cgPath();
    EXPECT_EQ(clamped.elements().front().points[0], (CoreGraphics::CGPoint{0, 0}));
    const CGRect box = clamped.boundingBox();
    EXPECT_NEAR(box.minX(), 0, 1e-9);
    EXPECT_NEAR(box.minY(), 0, 1e-9);
    EXPECT_NEAR(box.maxX(), 40, 1e-9);
    EXPECT_NEAR(box.maxY(), 10, 1e-9);
    EXPECT_TRUE(clamped.contains({0.1, 0.1}));
    EXPECT_FALSE(clamped.contains({39.9, 0.1}));
}

// --- Images ------------------------------------------------------------------------------

// 4 x 2 points at 2x: the left half opaque black, the right half black at alpha 0.5.
NSImage::Ptr twoToneImage(bool isTemplate) {
    CGContext ctx({4, 2}, false, 2);
    ctx.setFillColor(CoreGraphics::CGColor::black());
    ctx.fill(CGRect{0, 0, 2, 2});
    ctx.setFillColor(CoreGraphics::CGColor::black().withAlpha(0.5));
    ctx.fill(CGRect{2, 0, 2, 2});
    return NSImage::withAsset(ctx.makeImageAsset("two-tone", isTemplate));
}

CoreGraphics::DisplayColor pixel(const NSImage& image, int x, int y) {
    return image.asset()->representations().front().bitmap->pixel(x, y);
}

TEST(ImageOperations, TemplatesTakeTheColourSourceInOthersStayTheSameObject) {
    auto plain = twoToneImage(false);
    EXPECT_EQ(renderedIfTemplate(plain, *AppKit::NSColor::sRGB(1, 0, 0)), plain);

    auto mask = twoToneImage(true);
    auto red = renderedIfTemplate(mask, *AppKit::NSColor::sRGB(1, 0, 0));
    ASSERT_NE(red, mask);
    EXPECT_FALSE(red->isTemplate());
    EXPECT_TRUE(mask->isTemplate());
    EXPECT_EQ(red->size(), mask->size());
    EXPECT_EQ(red->asset()->representations().front().scale, 2);
    const auto solid = pixel(*red, 1, 1), faint = pixel(*red, 6, 1);
    EXPECT_NEAR(solid.r, 1, 0.01);
    EXPECT_NEAR(solid.g, 0, 0.01);
    EXPECT_NEAR(solid.a, 1, 0.01);
    EXPECT_NEAR(faint.r, 1, 0.01);
    EXPECT_NEAR(faint.a, 0.5, 0.01);

    // A translucent tint keeps its own alpha inside the shape (source-atop would make it opaque).
    auto glass = renderedIfTemplate(mask, *AppKit::NSColor::sRGB(0, 0, 1, 0.5));
    EXPECT_NEAR(pixel(*glass, 1, 1).b, 1, 0.01);
    EXPECT_NEAR(pixel(*glass, 1, 1).a, 0.5, 0.01);
    EXPECT_NEAR(pixel(*glass, 6, 1).a, 0.25, 0.01);
}

TEST(ImageOperations, AlphaPaddingMeasuresAndRepresentations) {
    auto image = twoToneImage(false);
    EXPECT_EQ(aspectRatio(*image), 2);
    EXPECT_EQ(bounds(*image), (CGRect{0, 0, 4, 2}));
    EXPECT_EQ(width(*image), 4);
    EXPECT_EQ(height(*image), 2);

    auto faded = withAlpha(*image, 0.5);
    EXPECT_NE(faded, image);
    EXPECT_EQ(faded->size(), image->size());
    EXPECT_NEAR(pixel(*faded, 1, 1).a, 0.5, 0.01);
    EXPECT_NEAR(pixel(*faded, 6, 1).a, 0.25, 0.01);

    auto padded = withPadding(*image, 3);
    EXPECT_EQ(padded->size(), (CGSize{7, 2}));
    EXPECT_NEAR(pixel(*padded, 5, 1).a, 0, 0.01);   // the strip
    EXPECT_NEAR(pixel(*padded, 7, 1).a, 1, 0.01);   // the image's opaque half
    EXPECT_NEAR(pixel(*padded, 13, 1).a, 0.5, 0.01);

    auto rep = firstBitmapImageRep(*image, 1);
    ASSERT_TRUE(rep.has_value());
    EXPECT_EQ(rep->scale, 2);
    EXPECT_FALSE(firstBitmapImageRep(*NSImage::withSize({3, 3}), 1).has_value());

    auto none = filterRepresentations(*image, [](const auto& r) { return r.scale == 1; });
    EXPECT_TRUE(none->asset()->representations().empty());
    EXPECT_EQ(none->size(), image->size());
    auto kept = filterRepresentations(*image, [](const auto& r) { return r.scale == 2; });
    EXPECT_EQ(kept->asset()->representations().size(), 1u);
    EXPECT_THROW(filterRepresentations(*image, [](const auto&) -> bool { throw std::runtime_error("no"); }),
                 std::runtime_error);
}

TEST(ImageOperations, PngP3DataIsA16BitRGBAPngOfTheSharpestBitmap) {
    auto data = pngP3Data(*twoToneImage(false));
    ASSERT_TRUE(data.has_value());
    ASSERT_GT(data->size(), 33u);
    const std::uint8_t signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    EXPECT_TRUE(std::equal(std::begin(signature), std::end(signature), data->begin()));
    auto be32 = [&](std::size_t at) { return (*data)[at] << 24 | (*data)[at + 1] << 16 | (*data)[at + 2] << 8 | (*data)[at + 3]; };
    EXPECT_EQ(be32(16), 8);   // 4 x 2 points at 2x
    EXPECT_EQ(be32(20), 4);
    EXPECT_EQ((*data)[24], 16);  // bits per component
    EXPECT_EQ((*data)[25], 6);   // RGB with alpha
    EXPECT_FALSE(pngP3Data(*NSImage::withSize({3, 3})).has_value());
}

class PngP3 : public TestSupport::ScratchDirectoryTest {};

// Read back through the platform's own PNG reader (8 bits): sRGB red lies inside P3, so its
// P3 components are less saturated.
TEST_F(PngP3, ColoursAreConvertedToDisplayP3) {
    CGContext ctx({2, 2});
    ctx.setFillColor(CoreGraphics::CGColor::sRGB(1, 0, 0));
    ctx.fill(CGRect{0, 0, 2, 2});
    auto data = pngP3Data(*NSImage::withAsset(ctx.makeImageAsset("red")));
    ASSERT_TRUE(data.has_value());
    const std::string file = path("red.png");
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(data->data()), std::streamsize(data->size()));
    auto back = CoreGraphics::CGImage::readPNG(file);
    ASSERT_NE(back, nullptr);
    const auto p = back->pixel(1, 1);
    EXPECT_NEAR(p.r, 0.917, 0.01);
    EXPECT_NEAR(p.g, 0.200, 0.01);
    EXPECT_NEAR(p.b, 0.139, 0.01);
    EXPECT_NEAR(p.a, 1, 0.01);
}

// --- Views -------------------------------------------------------------------------------

class ViewOperations : public OrrindleTest::ControlTest {};

TEST_F(ViewOperations, AnchoringPinsFourEdgesWithTheInsets) {
    auto outer = makeView({0, 0, 200, 100}, "outer");
    auto inner = makeView({0, 0, 10, 10}, "inner");
    EXPECT_EQ(outer->identifier(), "outer");
    outer->addSubview(inner);
    anchorToAllSidesOf(*inner, nullptr, {1, 2, 3, 4});
    EXPECT_TRUE(inner->translatesAutoresizingMaskIntoConstraints());
    EXPECT_TRUE(outer->constraints().empty());

    anchorToAllSidesOf(*inner, outer, {1, 2, 3, 4});
    EXPECT_FALSE(inner->translatesAutoresizingMaskIntoConstraints());
    ASSERT_EQ(outer->constraints().size(), 4u);
    const struct {
        AppKit::LayoutAttribute attribute;
        double constant;
    } expected[] = {{AppKit::LayoutAttribute::leading, 2},
                    {AppKit::LayoutAttribute::trailing, -4},
                    {AppKit::LayoutAttribute::bottom, -3},
                    {AppKit::LayoutAttribute::top, 1}};
    for (std::size_t i = 0; i < 4; ++i) {
        const auto& c = outer->constraints()[i];
        EXPECT_EQ(c->firstItem(), inner);
        EXPECT_EQ(c->secondItem(), outer);
        EXPECT_EQ(c->firstAttribute(), expected[i].attribute);
        EXPECT_EQ(c->constant(), expected[i].constant);
        EXPECT_TRUE(c->isActive());
    }
    outer->layoutSubtreeIfNeeded();
    EXPECT_EQ(inner->frame(), (CGRect{2, 3, 194, 96}));
}

TEST_F(ViewOperations, SearchesGoLevelByLevelAndUpTheTree) {
    auto a = makeView({}, "A"), b = makeView({}, "B"), c = makeView({}, "C"), d = makeView({}, "D");
    a->addSubview(b);
    a->addSubview(c);
    b->addSubview(d);
    auto names = [](const std::vector<NSView::Ptr>& views) {
        std::string s;
        for (auto& v : views) s += v->identifier();
        return s;
    };
    EXPECT_EQ(names(subviews(*a, [](const NSView&) { return true; })), "BCD");
    EXPECT_EQ(names(subviews(*a, [](const NSView& v) { return v.identifier() != "C"; })), "BD");
    EXPECT_EQ(firstSubview(*a, [](const NSView& v) { return v.identifier() == "D"; }), d);
    EXPECT_EQ(firstSubview(*a, [](const NSView& v) { return v.identifier() == "Z"; }), nullptr);
    EXPECT_EQ(firstSuperview(*d, [](const NSView&) { return true; }), b);
    EXPECT_EQ(firstSuperview(*d, [](const NSView& v) { return v.identifier() == "A"; }), a);
    EXPECT_EQ(firstSuperview(*d, [](const NSView& v) { return v.identifier() == "D"; }), nullptr);  // not itself

    auto text = Runtime::make<AppKit::NSText>();
    auto inside = makeView({}, "inside");
    a->addSubview(text);
    text->addSubview(inside);
    EXPECT_EQ(firstSuperview<AppKit::NSText>(*inside), text);
    EXPECT_EQ(firstSuperview<AppKit::NSText>(*d), nullptr);

    removeAllSubviews(*a);
    EXPECT_TRUE(a->subviews().empty());
    EXPECT_EQ(b->superview(), nullptr);
    EXPECT_EQ(d->superview(), b);
}

TEST_F(ViewOperations, KeyLoopsSpacersAndPixelWidth) {
    auto a = makeView({}, "a"), b = makeView({}, "b"), c = makeView({}, "c");
    setNextKeyViewSequence({a, b, c});
    EXPECT_EQ(a->nextKeyView(), b);
    EXPECT_EQ(b->nextKeyView(), c);
    EXPECT_EQ(c->nextKeyView(), a);
    setNextKeyViewSequence({a});
    EXPECT_EQ(a->nextKeyView(), a);
    setNextKeyViewSequence({});

    auto divider = dividerView();
    EXPECT_EQ(divider->frame(), (CGRect{0, 0, 50, 1}));
    EXPECT_EQ(divider->boxType(), AppKit::NSBox::BoxType::separator);
    EXPECT_NE(dividerView(), divider);

    auto spacer = spacerView();
    EXPECT_EQ(spacer->frame(), CGRect{});
    for (auto axis : {AppKit::NSLayoutConstraintOrientation::horizontal, AppKit::NSLayoutConstraintOrientation::vertical}) {
        EXPECT_EQ(spacer->contentHuggingPriority(axis), 50);
        EXPECT_EQ(spacer->contentCompressionResistancePriority(axis), 50);
    }

    auto loose = makeView({0, 0, 10, 10}, "loose");
    EXPECT_EQ(singlePixelLineWidth(*loose), 1);
    place(loose);
    window->setBackingScaleFactor(2);
    EXPECT_EQ(singlePixelLineWidth(*loose), 0.5);
}

TEST_F(ViewOperations, FirstResponderIsTheViewOrTheEditorOfTheControl) {
    struct Focusable : NSView {
        bool acceptsFirstResponder() const override { return true; }
    };
    auto view = Runtime::make<Focusable>();
    EXPECT_FALSE(isFirstResponderInCurrentWindow(*view));  // no window
    place(view);
    EXPECT_FALSE(isFirstResponderInCurrentWindow(*view));
    ASSERT_TRUE(window->makeFirstResponder(view));
    EXPECT_TRUE(isFirstResponderInCurrentWindow(*view));
    auto other = place(Runtime::make<Focusable>());
    window->makeFirstResponder(other);
    EXPECT_FALSE(isFirstResponderInCurrentWindow(*view));
}

TEST_F(ViewOperations, SnapshotsDrawTheSubtreeAtTheWindowScale) {
    // Red over the left half of its bounds.
    struct Swatch : NSView {
        void draw(CGRect) override {
            auto* ctx = CGContext::current();
            ctx->setFillColor(CoreGraphics::CGColor::sRGB(1, 0, 0));
            ctx->fill(CGRect{0, 0, bounds().width() / 2, bounds().height()});
        }
    };
    auto view = place(Runtime::make<Swatch>());
    view->setFrame({30, 40, 10, 10});
    auto child = Runtime::make<Swatch>();
    child->setFrame({5, 0, 4, 5});
    view->addSubview(child);
    window->setBackingScaleFactor(2);

    auto shot = snapshotImage(*view);
    ASSERT_NE(shot, nullptr);
    EXPECT_EQ(shot->size(), (CGSize{10, 10}));
    const auto& rep = shot->asset()->representations().front();
    EXPECT_EQ(rep.scale, 2);
    ASSERT_EQ(rep.bitmap->width(), 20);
    EXPECT_NEAR(rep.bitmap->pixel(2, 2).r, 1, 0.01);     // the view's own half
    EXPECT_NEAR(rep.bitmap->pixel(15, 2).a, 0, 0.01);    // above the child (y up: rows top first)
    EXPECT_NEAR(rep.bitmap->pixel(11, 18).r, 1, 0.01);   // the child's left half, bottom right
    EXPECT_NEAR(rep.bitmap->pixel(16, 18).a, 0, 0.01);   // its right half

    auto copy = snapshotView(*view);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->frame(), view->frame());
    ASSERT_NE(copy->image(), nullptr);
    EXPECT_EQ(copy->image()->size(), (CGSize{10, 10}));

    view->setFrameSize({0, 10});
    EXPECT_EQ(snapshotImage(*view), nullptr);
    EXPECT_EQ(snapshotView(*view), nullptr);
}

TEST_F(ViewOperations, FocusRingWorkaroundLeavesNoRotationAndContextMenusOpenOnlyWithAMenu) {
    auto field = place(makeView({0, 0, 50, 20}, "field"));
    field->setNeedsDisplay(false);
    focusRingClearingWorkaround(*field);
    EXPECT_EQ(field->boundsRotation(), 0);
    EXPECT_TRUE(field->needsDisplay());

    auto button = place(Runtime::make<AppKit::NSButton>());
    button->setFrame({10, 10, 40, 20});
    const int before = AppKit::NSMenu::openCount();
    popUpContextMenu(*button);
    EXPECT_EQ(AppKit::NSMenu::openCount(), before);
    auto menu = AppKit::NSMenu::make();
    menu->addItem(AppKit::NSMenuItem::make("One"));
    button->setMenu(menu);
    popUpContextMenu(*button);
    EXPECT_EQ(AppKit::NSMenu::openCount(), before + 1);
}

// --- Drag and drop -------------------------------------------------------------------------

TEST(DragAndDrop, ItemsOfAClassInOrderOthersDropped) {
    auto text1 = Runtime::make<AppKit::NSText>(), text2 = Runtime::make<AppKit::NSText>();
    auto plain = makeView({}, "plain");
    auto menu = AppKit::NSMenu::make();
    const AppKit::NSDraggingInfo info({text1, plain, menu, text2});
    const auto none = AppKit::NSDraggingItemEnumerationOptions::none;

    EXPECT_EQ(draggingItems(info, none, nullptr, {}).size(), 4u);
    const auto views = draggingItems(info, none, nullptr, {&NSView::staticClassInfo()});
    ASSERT_EQ(views.size(), 3u);
    EXPECT_EQ(views[1]->item(), plain);
    EXPECT_EQ(items<AppKit::NSText>(info, none, nullptr), (std::vector<std::shared_ptr<AppKit::NSText>>{text1, text2}));
    EXPECT_EQ(items<AppKit::NSMenu>(info, none, nullptr).size(), 1u);

    const std::vector<std::shared_ptr<Runtime::NSObject>> mixed{text1, menu, plain};
    EXPECT_EQ(downcastEach<NSView>(mixed), (std::vector<NSView::Ptr>{text1, plain}));
    const auto wrapped = draggingItems(info, none, nullptr, {});
    EXPECT_EQ(downcastEach<AppKit::NSMenu>(wrapped, [](const AppKit::NSDraggingItem::Ptr& d) { return d->item(); }).size(), 1u);
}

// --- Alerts ------------------------------------------------------------------------------

class Alerts : public ::testing::Test {
protected:
    void SetUp() override { AppKit::NSAlert::resetShownAlerts(); }
    void TearDown() override {
        AppKit::NSAlert::setResponder(nullptr);
        AppKit::NSAlert::resetShownAlerts();
    }
};

TEST_F(Alerts, ConfirmationRunsTheClosureOnlyForTheFirstButton) {
    int confirmed = 0;
    const struct {
        AppKit::ModalResponse answer;
        int calls;
    } cases[] = {{AppKit::NSAlertFirstButtonReturn, 1}, {AppKit::NSAlertSecondButtonReturn, 0}, {AppKit::NSModalResponseCancel, 0}};
    for (const auto& c : cases) {
        confirmed = 0;
        AppKit::NSAlert::setResponder([&](const AppKit::NSAlert&) { return c.answer; });
        showConfirmationAlert("Delete?", "It cannot be undone.", "Delete", [&] { ++confirmed; });
        EXPECT_EQ(confirmed, c.calls) << c.answer;
    }
    const auto shown = AppKit::NSAlert::shownAlerts();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0]->messageText(), "Delete?");
    EXPECT_EQ(shown[0]->informativeText(), "It cannot be undone.");
    EXPECT_EQ(shown[0]->buttons(), (std::vector<std::string>{"Delete", "Cancel"}));
}

TEST_F(Alerts, BasicAlertHasOneButtonAndAPlainAlertNone) {
    showBasicModalAlert("Saved", "All done.", "Fine");
    const auto shown = AppKit::NSAlert::shownAlerts();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0]->buttons(), (std::vector<std::string>{"Fine"}));
    auto plain = makeAlert("Title", "Body");
    EXPECT_EQ(plain->messageText(), "Title");
    EXPECT_EQ(plain->informativeText(), "Body");
    EXPECT_EQ(plain->buttons(), (std::vector<std::string>{"OK"}));
}

// --- Small values, events, text, bridges ---------------------------------------------------

TEST(SmallValues, EdgeInsetSumsAndInverse) {
    const AppKit::NSEdgeInsets i{1, 2, 3, 4};
    EXPECT_EQ(width(i), 6);
    EXPECT_EQ(height(i), 4);
    EXPECT_EQ(size(i), (CGSize{6, 4}));
    EXPECT_EQ(inverse(i), (AppKit::NSEdgeInsets{-1, -2, -3, -4}));
    EXPECT_FALSE(i == (AppKit::NSEdgeInsets{1, 2, 3, 5}));
}

TEST(SmallValues, PressedButtonsAndTheVerticalFlip) {
    const struct {
        unsigned buttons;
        bool left, right;
    } cases[] = {{0, false, false}, {1, true, false}, {2, false, true}, {3, true, true}, {4, false, false}};
    for (const auto& c : cases) {
        AppKit::NSEvent::setPressedMouseButtons(c.buttons);
        EXPECT_EQ(isLeftButtonDown(), c.left) << c.buttons;
        EXPECT_EQ(isRightButtonDown(), c.right) << c.buttons;
    }
    AppKit::NSEvent::setPressedMouseButtons(0);

    CGContext cg({100, 40});
    AppKit::NSGraphicsContext context(&cg);
    verticallyFlip(context, {10, 10, 100, 40});
    EXPECT_EQ(cg.ctm().apply(CoreGraphics::CGPoint{3, 0}), (CoreGraphics::CGPoint{3, 40}));
    EXPECT_EQ(cg.ctm().apply(CoreGraphics::CGPoint{3, 40}), (CoreGraphics::CGPoint{3, 0}));
}

TEST(TextHelpers, RangesCountUTF16Units) {
    const struct {
        const char* text;
        std::size_t length;
    } cases[] = {{"", 0}, {"abc", 3}, {"caf\xC3\xA9", 4}, {"\xE2\x82\xAC", 1}, {"a\xF0\x9F\x8E\xB9", 3}, {"\xFF\xC3", 2}};
    for (const auto& c : cases) EXPECT_EQ(nsRange(c.text), (NSRange{0, c.length})) << c.text;
}

TEST(TextHelpers, VerticallyCentredTextSitsInTheMiddle) {
    const CoreGraphics::AttributedText text("Mid", CoreGraphics::Font::system(10), CoreGraphics::CGColor::black());
    CGContext cg({100, 100}, true);
    {
        CGContext::CurrentScope scope(&cg);
        drawVerticallyCentered(text, {0, 20, 100, 60});
    }
    const auto texts = cg.displayList().all<CoreGraphics::Op::Text>();
    ASSERT_EQ(texts.size(), 1u);
    const auto* drawn = texts.front();
    const double measured = CoreGraphics::TextLayout::size(text, 100).height;
    EXPECT_EQ(drawn->box, (CGRect{0, 20 + (60 - measured) / 2, 100, 60}));
    drawVerticallyCentered(text, {0, 0, 10, 10});  // outside a drawing pass: nothing, no crash
}

TEST(EnumBridges, MapEveryCaseAndStopOnUnknownValues) {
    using A = AppKit::NSControlSize;
    using S = SwiftUI::ControlSize;
    const std::pair<A, S> toSwiftUI[] = {
        {A::regular, S::regular}, {A::small, S::small}, {A::mini, S::mini}, {A::large, S::large}, {A::extraLarge, S::large}};
    for (auto [from, to] : toSwiftUI) EXPECT_EQ(swiftUIControlSize(from), to);
    const std::pair<S, A> toAppKit[] = {
        {S::mini, A::mini}, {S::small, A::small}, {S::regular, A::regular}, {S::large, A::large}, {S::extraLarge, A::large}};
    for (auto [from, to] : toAppKit) EXPECT_EQ(nsControlSize(from), to);

    EXPECT_EQ(nsTextAlignment(SwiftUI::TextAlignment::leading), AppKit::NSTextAlignment::left);
    EXPECT_EQ(nsTextAlignment(SwiftUI::TextAlignment::center), AppKit::NSTextAlignment::center);
    EXPECT_EQ(nsTextAlignment(SwiftUI::TextAlignment::trailing), AppKit::NSTextAlignment::right);
    EXPECT_EQ(nsLineBreakMode(SwiftUI::TruncationMode::head), AppKit::NSLineBreakMode::byTruncatingHead);
    EXPECT_EQ(nsLineBreakMode(SwiftUI::TruncationMode::tail), AppKit::NSLineBreakMode::byTruncatingTail);
    EXPECT_EQ(nsLineBreakMode(SwiftUI::TruncationMode::middle), AppKit::NSLineBreakMode::byTruncatingMiddle);

    TestSupport::CaptureFatalErrors capture;
    try {
        swiftUIControlSize(static_cast<A>(7));
        ADD_FAILURE() << "no fatal error";
    } catch (const TestSupport::FatalErrorThrown& e) {
        EXPECT_STREQ(e.what(), "Unhandled control size: 7");
    }
    try {
        nsLineBreakMode(static_cast<SwiftUI::TruncationMode>(9));
        ADD_FAILURE() << "no fatal error";
    } catch (const TestSupport::FatalErrorThrown& e) {
        EXPECT_STREQ(e.what(), "Unknown truncation mode");
    }
}

}  // namespace
