#include <gtest/gtest.h>

#include "ControlTestSupport.hpp"
#include "CoreGraphics/TextLayout.hpp"
#include "Orrindle/Buttons/StyledButton.hpp"
#include "Orrindle/Buttons/TessikPushButton.hpp"
#include "Orrindle/Styles/Styles.hpp"

namespace {

using namespace Orrindle;
using namespace OrrindleTest;
using AppKit::NSButtonType;
using AppKit::NSControlStateValue;
using S = StyledControlState;

// A style whose bezel images have sizes the tests choose.
class SizedStyle : public ButtonCellStyle {
public:
    SizedStyle() {
        setBezelImages({{S::default_, AppKit::NSImage::withSize({80, 24})}, {S::highlighted, AppKit::NSImage::withSize({80, 24})}});
    }
};

// A styled cell whose platform size the test fixes, with that style.
class SizedCell : public StyledButtonCell {
    VZ_OBJECT(SizedCell, StyledButtonCell)
public:
    static inline CGSize inherited{60, 20};
    std::shared_ptr<ButtonCellStyle> style() const override { return sharedStyle<SizedCell, SizedStyle>(); }
    CGSize cellSize(CGRect) const override { return inherited; }
};

class SizedButton : public StyledButton {
    VZ_OBJECT(SizedButton, StyledButton)
public:
    AppKit::NSCellClass cellClass() const override { return AppKit::NSCellClass::of<SizedCell>(); }

protected:
    using StyledButton::StyledButton;
};

// A button with a plain platform cell.
class ForeignCellButton : public StyledButton {
    VZ_OBJECT(ForeignCellButton, StyledButton)
public:
    AppKit::NSCellClass cellClass() const override { return AppKit::NSCellClass::of<AppKit::NSButtonCell>(); }

protected:
    using StyledButton::StyledButton;
};

class StyledButtonTest : public ControlTest {
protected:
    StyledButton::Ptr button(CGRect frame = {20, 20, 180, 24}) { return place(Runtime::make<StyledButton>(frame)); }
    static std::string bezelOf(const DisplayList& list) {
        auto all = images(list);
        return all.empty() ? "" : all.front()->name;
    }
};

TEST_F(StyledButtonTest, TheBezelFollowsTheStateTheCellShows) {
    struct Row {
        NSButtonType type;
        NSControlStateValue state;
        bool highlighted, enabled;
        const char* bezel;
        double fraction;
    };
    const Row rows[] = {
        {NSButtonType::momentaryPushIn, NSControlStateValue::off, false, true, "kvu-button", 1},
        // A push button does not show its state, so "on" keeps the default bezel.
        {NSButtonType::momentaryPushIn, NSControlStateValue::on, false, true, "kvu-button", 1},
        {NSButtonType::toggle, NSControlStateValue::on, false, true, "kvu-button-selected", 1},
        {NSButtonType::toggle, NSControlStateValue::mixed, false, true, "kvu-button", 1},
        {NSButtonType::momentaryPushIn, NSControlStateValue::off, true, true, "kvu-button-down", 1},
        // Highlighted counts only while enabled.
        {NSButtonType::momentaryPushIn, NSControlStateValue::off, true, false, "kvu-button", 0.5},
        // On and pressed: the lower key wins the tie between "on" and "highlighted".
        {NSButtonType::toggle, NSControlStateValue::on, true, true, "kvu-button-down", 1},
    };
    for (const auto& row : rows) {
        auto b = button();
        b->setButtonType(row.type);
        b->setState(row.state);
        b->setEnabled(row.enabled);
        b->styledCell()->setHighlighted(row.highlighted);
        auto list = drawn(*b);
        ASSERT_FALSE(images(list).empty());
        const auto* bezel = images(list).front();
        EXPECT_EQ(bezel->name, row.bezel) << int(row.type) << " " << int(row.state) << row.highlighted << row.enabled;
        EXPECT_EQ(bezel->fraction, row.fraction);
        EXPECT_EQ(bezel->destination, (CGRect{0, 0, 180, 24}));
        b->removeFromSuperview();
    }
}

TEST_F(StyledButtonTest, ADisabledButtonDimsBezelImageAndTitleAPressedOneItsImage) {
    auto b = button();
    b->setImage(AppKit::NSImage::withSize({12, 12}));
    b->setImagePosition(AppKit::NSCellImagePosition::imageLeft);
    b->setTitle("Save");
    b->setEnabled(false);
    auto list = drawn(*b);
    ASSERT_EQ(images(list).size(), 2u);
    EXPECT_EQ(images(list)[0]->fraction, 0.5);
    EXPECT_EQ(images(list)[1]->fraction, 0.5);
    auto texts = list.all<Op::Text>();
    ASSERT_EQ(texts.size(), 1u);
    auto style = b->styledCell()->style();
    EXPECT_EQ(texts[0]->text.runs[0].color, style->disabledTextColor()->cgColor());
    EXPECT_EQ(texts[0]->text.runs[0].font, style->font()->font());

    b->setEnabled(true);
    b->styledCell()->setHighlighted(true);
    list = drawn(*b);
    EXPECT_EQ(images(list)[0]->fraction, 1);
    EXPECT_EQ(images(list)[1]->fraction, 0.5) << "a pressed button's image";
    EXPECT_EQ(list.all<Op::Text>()[0]->text.runs[0].color, style->highlightedTextColor()->cgColor());
}

TEST_F(StyledButtonTest, IntrinsicSizeTakesTheBezelAndTheFixedWidth) {
    struct Row {
        std::optional<CGFloat> fixedWidth;
        bool bordered;
        CGSize size;
    };
    const Row rows[] = {
        {120, true, {120, 24}},
        {std::nullopt, true, {80, 24}},
        {120, false, {120, 20}},
        {std::nullopt, false, {60, 20}},
    };
    for (const auto& row : rows) {
        auto b = Runtime::make<SizedButton>(CGRect{0, 0, 10, 10}, row.fixedWidth);
        b->setBordered(row.bordered);
        EXPECT_EQ(b->intrinsicContentSize(), row.size) << row.fixedWidth.value_or(-1) << row.bordered;
    }
    // The alignment insets come off both.
    auto b = Runtime::make<SizedButton>(CGRect{0, 0, 10, 10}, CGFloat(120));
    auto style = b->styledCell()->style();
    style->setAlignmentRectInsets({3, 2, 3, 2});
    EXPECT_EQ(b->intrinsicContentSize(), (CGSize{116, 18}));
    style->setAlignmentRectInsets({});
}

TEST_F(StyledButtonTest, ImageAndTitleRectanglesAreInsetByTheStyleAndCentred) {
    auto b = button({0, 0, 100, 30});
    auto cell = b->styledCell();
    b->setImage(AppKit::NSImage::withSize({10, 10}));
    b->setImagePosition(AppKit::NSCellImagePosition::imageLeft);
    // The plain style's insets are zero, and they replace the platform's border.
    const CGRect frame{0, 0, 100, 30};
    EXPECT_EQ(cell->imageRect(frame), (CGRect{0, 10, 10, 10}));
    const CGRect title = cell->titleRect(frame);
    EXPECT_EQ(title.minX(), 14);
    EXPECT_EQ(title.midY(), 15);
    // Without centring the title keeps the platform's place.
    cell->setVerticallyCenterTitle(false);
    EXPECT_EQ(cell->titleRect(frame), cell->AppKit::NSButtonCell::titleRect(frame));
    // Image only: the inset bounds.
    b->setImagePosition(AppKit::NSCellImagePosition::imageOnly);
    EXPECT_EQ(cell->imageRect(frame), frame);
}

TEST_F(StyledButtonTest, TheTitleFontIgnoresTheControlSizeAndALongTitleEndsInAnEllipsis) {
    auto cell = button()->styledCell();
    const auto small = cell->attributedTitleString("Go", AppKit::NSControlSize::small, nullptr);
    for (auto size : {AppKit::NSControlSize::regular, AppKit::NSControlSize::large})
        EXPECT_EQ(cell->attributedTitleString("Go", size, nullptr), small);
    EXPECT_EQ(small.runs[0].color, cell->style()->textColor()->cgColor());

    auto b = button({0, 0, 60, 24});
    b->setTitle("A title far too long for its button");
    auto list = drawn(*b);
    auto texts = list.all<Op::Text>();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0]->text.paragraph.alignment, CoreGraphics::TextAlignment::center);
    EXPECT_EQ(texts[0]->text.paragraph.lineBreakMode, CoreGraphics::LineBreakMode::byTruncatingTail);
    EXPECT_TRUE(CoreGraphics::TextLayout::isTruncated(texts[0]->text, texts[0]->box.width()));
    const CGRect ink = CoreGraphics::TextLayout::boundingRect(texts[0]->text, texts[0]->box);
    EXPECT_NEAR(ink.midX(), 30, 1.0);
}

TEST_F(StyledButtonTest, SelectionLivesInTheStyledCellOnly) {
    auto b = button();
    b->setSelected(true);
    EXPECT_TRUE(b->isSelected());
    EXPECT_TRUE(b->styledCell()->isSelected());
    EXPECT_EQ(bezelOf(drawn(*b)), "kvu-button");  // the plain style has no selected bezel
    EXPECT_TRUE(b->styledCell()->controlState().contains(S::selected));

    auto foreign = place(Runtime::make<ForeignCellButton>(CGRect{0, 0, 50, 20}));
    foreign->setSelected(true);
    EXPECT_FALSE(foreign->isSelected());
    EXPECT_EQ(foreign->alignmentRectInsets(), AppKit::NSEdgeInsets{});
}

TEST_F(StyledButtonTest, TheKitFocusRingReplacesTheSystemRingInTheKeyWindow) {
    auto b = button({20, 20, 180, 24});
    auto strokes = [&] { return drawn(*b).all<Op::Stroke>().size(); };
    EXPECT_EQ(strokes(), 0u) << "no focus";
    ASSERT_TRUE(window->makeFirstResponder(b)) << "a button takes the focus";
    const auto list = drawn(*b);
    ASSERT_EQ(list.all<Op::Stroke>().size(), 1u) << "only the kit's ring";
    ASSERT_EQ(list.all<Op::Fill>().size(), 1u);
    const auto& ring = *list.all<Op::Stroke>()[0];
    const auto colour = b->styledCell()->style()->focusRingColor(b->styledCell()->controlState())->cgColor();
    EXPECT_EQ(ring.color, colour);
    EXPECT_EQ(ring.lineWidth, 2);
    EXPECT_EQ(ring.cap, CoreGraphics::LineCap::round);
    EXPECT_EQ(ring.join, CoreGraphics::LineJoin::round);
    ASSERT_EQ(ring.path.shapes().size(), 1u);
    EXPECT_EQ(ring.path.shapes()[0].rect, (CGRect{1, 1, 178, 22}));
    EXPECT_EQ(ring.path.shapes()[0].radii, CoreGraphics::CornerRadii::all(3));
    EXPECT_EQ(list.all<Op::Fill>()[0]->color, colour.withAlpha(0.3));

    // Not while the window is not key.
    auto other = AppKit::NSWindow::make({0, 0, 50, 50});
    other->makeKeyAndOrderFront();
    EXPECT_EQ(strokes(), 0u);
}

TEST_F(StyledButtonTest, AnImageIsDrawnUprightWhereItsFrameIsInAFlippedButton) {
    auto b = button({0, 0, 100, 40});
    b->setImage(AppKit::NSImage::withSize({16, 16}));
    b->setImagePosition(AppKit::NSCellImagePosition::imageOnly);
    b->setBordered(false);
    b->setImageScaling(AppKit::NSImageScaling::scaleNone);
    auto list = drawn(*b);
    ASSERT_EQ(images(list).size(), 1u);
    const auto& image = *images(list)[0];
    // In base space (y up) the image covers the middle of the button...
    const CGRect base = image.state.transform.apply(image.destination);
    EXPECT_EQ(base, (CGRect{42, 12, 16, 16}));
    // ...and stands upright: not flipped in base space, so drawn without respecting flips.
    EXPECT_GT(image.state.transform.d, 0);
    EXPECT_FALSE(image.respectFlipped);

    // A larger image than its frame shrinks to fit when scaled proportionally.
    auto cell = b->styledCell();
    b->setImageScaling(AppKit::NSImageScaling::scaleProportionallyDown);
    b->setImage(AppKit::NSImage::withSize({80, 80}));
    list = drawn(*b);
    const auto& big = *images(list)[0];
    EXPECT_EQ(big.destination.size, (CGSize{40, 40}));
    (void)cell;
}

// The push button: its own insets and sizes.
class PushButtonTest : public ControlTest {};

TEST_F(PushButtonTest, FixedSizesReplaceTheIntrinsicOnesWhateverTheBezel) {
    for (bool bordered : {true, false}) {
        auto plain = Runtime::make<TessikPushButton>(CGRect{0, 0, 10, 10});
        auto b = Runtime::make<TessikPushButton>(CGRect{0, 0, 10, 10}, CGFloat(24), std::nullopt);
        plain->setBordered(bordered);
        b->setBordered(bordered);
        EXPECT_EQ(b->intrinsicContentSize(), (CGSize{plain->intrinsicContentSize().width, 24})) << bordered;
    }
    auto both = Runtime::make<TessikPushButton>(CGRect{}, CGFloat(30), CGFloat(90));
    EXPECT_EQ(both->intrinsicContentSize(), (CGSize{90, 30}));
}

// An unflipped view that draws a push button cell's bezel over its bounds.
class PlainBezelView : public AppKit::NSView {
    VZ_OBJECT(PlainBezelView, AppKit::NSView)
public:
    TessikPushButtonCell::Ptr cell;
    void draw(CGRect) override { cell->drawBezel(bounds(), *this); }

protected:
    using AppKit::NSView::NSView;
};

// The push bezel keeps 3 points above it and 5 below, 4 at the sides, whichever way up its view
// is; other bezel styles fill the frame.
TEST_F(PushButtonTest, APushBezelIsInsetOtherBezelsFillTheFrame) {
    auto b = place(Runtime::make<TessikPushButton>(CGRect{0, 0, 100, 30}));
    auto plain = place(Runtime::make<PlainBezelView>(CGRect{0, 40, 100, 30}));
    plain->cell = b->pushCell();
    ASSERT_TRUE(b->isFlipped());
    ASSERT_FALSE(plain->isFlipped());
    for (AppKit::NSView* view : {static_cast<AppKit::NSView*>(b.get()), static_cast<AppKit::NSView*>(plain.get())}) {
        const char* which = view->isFlipped() ? "flipped" : "unflipped";
        // Where the bezel lands in the window's picture, y up.
        auto bezel = [&] {
            const auto list = drawn(*view);
            const auto& image = *images(list).at(0);
            return image.state.transform.apply(image.destination);
        };
        b->setBezelStyle(AppKit::NSBezelStyle::push);
        const CGRect push = bezel();
        b->setBezelStyle(AppKit::NSBezelStyle::shadowlessSquare);
        const CGRect frame = bezel();
        EXPECT_EQ(frame.size, (CGSize{100, 30})) << which;
        EXPECT_EQ(push.minX() - frame.minX(), 4) << which;
        EXPECT_EQ(push.width(), 92) << which;
        EXPECT_EQ(frame.maxY() - push.maxY(), 3) << which << ": above";
        EXPECT_EQ(push.minY() - frame.minY(), 5) << which << ": below";
    }
}

// What a style's bezel images are beyond their pixels, image by image.
using ImageState = std::tuple<StyledControlState::RawValue, AppKit::NSImage::ResizingMode, AppKit::NSEdgeInsets, CGSize, bool>;
std::vector<ImageState> bezelState(const ControlStyle& style) {
    std::vector<ImageState> state;
    for (const auto& [key, image] : style.bezelImages())
        state.emplace_back(key.rawValue(), image->resizingMode(), image->capInsets(), image->size(), image->isTemplate());
    return state;
}

// The push bezel is drawn stretched without stretching the shared style's image, so what a
// control looks like never depends on what was drawn before it.
TEST_F(PushButtonTest, TwoButtonsOfOneStyleLookAlikeWhicheverIsDrawnFirst) {
    auto square = place(Runtime::make<TessikPushButton>(CGRect{0, 40, 100, 30}));
    square->setBezelStyle(AppKit::NSBezelStyle::shadowlessSquare);
    const auto& style = *square->pushCell()->style();
    // A control's look: what it draws and the images it draws from.
    auto look = [&](TessikPushButton& b) { return std::pair{drawn(b).ops, bezelState(style)}; };

    const auto squareFirst = look(*square);
    (void)drawn(*place(Runtime::make<TessikPushButton>(CGRect{0, 0, 100, 30})));
    EXPECT_EQ(look(*square), squareFirst) << "the square bezel, drawn before and after a push bezel";
    const auto fresh = bezelState(ButtonCellStyle());
    EXPECT_EQ(squareFirst.second, fresh) << "drawing leaves the shared images as a new style has them";
    EXPECT_EQ(bezelState(style), fresh);
}

TEST_F(PushButtonTest, ThePushTitleUsesTheRegularControlFontBesideTheStyledMediumOne) {
    auto push = place(Runtime::make<TessikPushButton>(CGRect{0, 0, 100, 30}));
    auto styled = place(Runtime::make<StyledButton>(CGRect{0, 40, 180, 24}));
    push->setTitle("OK");
    styled->setTitle("OK");
    const auto pushFont = drawn(*push).all<Op::Text>()[0]->text.runs[0].font;
    const auto styledFont = drawn(*styled).all<Op::Text>()[0]->text.runs[0].font;
    EXPECT_EQ(pushFont, Styles::Control::font()->font());
    EXPECT_EQ(pushFont.weight, CoreGraphics::FontWeight::regular);
    EXPECT_EQ(styledFont.weight, CoreGraphics::FontWeight::medium);
    // The title rectangle: the platform's less 4 points at the visible top and 6 at the bottom
    // (the flipped button's y grows downwards), not centred...
    const CGRect platform = push->pushCell()->AppKit::NSButtonCell::titleRect({0, 0, 100, 30});
    EXPECT_EQ(push->pushCell()->titleRect({0, 0, 100, 30}),
              (CGRect{platform.minX(), platform.minY() + 4, platform.width(), platform.height() - 10}.integral()));
    // ...so the title shares the push bezel's middle in the picture.
    const auto list = drawn(*push);
    const auto& text = *list.all<Op::Text>()[0];
    const auto& bezel = *images(list)[0];
    EXPECT_EQ(text.state.transform.apply(text.box).midY(), bezel.state.transform.apply(bezel.destination).midY());
}

}  // namespace
