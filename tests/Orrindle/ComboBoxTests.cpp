#include <gtest/gtest.h>

#include "ControlTestSupport.hpp"
#include "Foundation/NotificationCenter.hpp"
#include "Orrindle/ComboBoxes/StyledComboBox.hpp"

namespace {

using namespace Orrindle;
using namespace OrrindleTest;
using AppKit::CGSize;

// A combo cell whose platform size the test fixes.
class NarrowCell : public StyledComboBoxCell {
    VZ_OBJECT(NarrowCell, StyledComboBoxCell)
public:
    CGSize cellSize(CGRect) const override { return {30, 40}; }
};

class ComboBoxTest : public ControlTest {
protected:
    StyledComboBox::Ptr box() {
        auto b = place(Runtime::make<StyledComboBox>(CGRect{20, 20, 120, 20}));
        b->addItem(1.0);
        b->addItem(2.5);
        b->addItem(std::string("Auto"));
        b->setTarget(receiver);
        b->setAction("primary:");
        return b;
    }
    std::shared_ptr<Receiver> receiver = Runtime::make<Receiver>();
};

TEST_F(ComboBoxTest, APickedNumberBecomesTheValueAndActsOnceATextDoesNot) {
    auto b = box();
    std::vector<std::string> order;
    auto& centre = Foundation::NotificationCenter::defaultCenter();
    auto tokenA = centre.addObserver(std::nullopt, b, [&](const Foundation::Notification& n) { order.push_back(n.name); });
    bool openWhilePicking = false;
    AppKit::NSMenu::setChooser([&](AppKit::NSMenu& list) {
        openWhilePicking = b->styledCell()->isPopupOpen();
        return list.item(1);
    });
    EXPECT_TRUE(b->popUpList());
    EXPECT_TRUE(openWhilePicking);
    EXPECT_FALSE(b->styledCell()->isPopupOpen());
    EXPECT_EQ(order, (std::vector<std::string>{AppKit::NSComboBox::willPopUpNotification, AppKit::NSComboBox::selectionDidChangeNotification,
                                               AppKit::NSComboBox::willDismissNotification}));
    EXPECT_EQ(b->doubleValue(), 2.5);
    EXPECT_EQ(receiver->log, (std::vector<std::string>{"primary"}));

    AppKit::NSMenu::setChooser(AppKit::NSMenu::choosing("Auto"));
    EXPECT_TRUE(b->popUpList());
    EXPECT_EQ(b->stringValue(), "Auto");
    EXPECT_EQ(b->doubleValue(), 0) << "the platform's own text value";
    EXPECT_EQ(receiver->log.size(), 1u);

    // A cleared selection would look an item up at -1 (the platform's range error): nothing.
    b->selectItem(-1);
    EXPECT_NO_THROW(b->applySelectedValue());
    EXPECT_EQ(receiver->log.size(), 1u);
    EXPECT_THROW(b->itemObjectValue(-1), std::out_of_range);
}

TEST_F(ComboBoxTest, SizeInsetsAndFocusRingAroundTheTextPart) {
    auto b = box();
    b->setCell(Runtime::make<NarrowCell>());
    EXPECT_EQ(b->alignmentRectInsets(), (AppKit::NSEdgeInsets{3, 2, 3, 2}));
    EXPECT_EQ(b->intrinsicContentSize(), (CGSize{43, 20})) << "the inherited height plays no part";

    auto cell = b->styledCell();
    const CGFloat arrow = cell->rightImage()->size().width, body = cell->leftImage()->size().height;
    EXPECT_EQ(b->focusRingMaskBounds(), (CGRect{0, 0, 120 - arrow, body}));
    auto strokes = [&] { return drawn(*b).all<Op::Stroke>().size(); };
    EXPECT_EQ(strokes(), 0u);
    window->makeFirstResponder(b);
    EXPECT_EQ(strokes(), 1u);

    // A foreign cell: the platform's insets and mask.
    b->setCell(Runtime::make<AppKit::NSComboBoxCell>());
    EXPECT_EQ(b->alignmentRectInsets(), AppKit::NSEdgeInsets{});
}

// A box is never invalid: focused, its ring is the style's plain colour, filled at 0.3, one
// point inside the text part.
TEST_F(ComboBoxTest, TheFocusRingIsInThePlainColourOfTheStyle) {
    const auto style = StyledComboBoxCell::comboStyle();
    const auto plain = style->focusRingColor()->cgColor();
    ASSERT_NE(plain, style->invalidFocusRingColor()->cgColor()) << "else the invalid colour would pass";
    auto b = box();
    ASSERT_TRUE(window->makeFirstResponder(b));
    const auto list = drawn(*b);
    ASSERT_EQ(list.all<Op::Stroke>().size(), 1u);
    const auto* ring = list.all<Op::Stroke>()[0];
    EXPECT_EQ(ring->color, plain);
    EXPECT_EQ(ring->path.shapes().at(0).rect, b->focusRingMaskBounds().insetBy(1, 1));
    std::vector<CoreGraphics::CGColor> fills;
    for (auto* f : list.all<Op::Fill>())
        if (f->path == ring->path) fills.push_back(f->color);
    EXPECT_EQ(fills, std::vector<CoreGraphics::CGColor>{plain.withAlpha(0.3)});
}

// Focused, the field editor lies over the title rectangle and shows the text alone: the cell
// leaves its own copy out, so the value is drawn once and does not move.
TEST_F(ComboBoxTest, WhileEditedTheTextIsTheEditorsAtTheTitlesPlace) {
    auto b = box();
    b->selectItem(1);
    auto texts = [&] {
        const auto list = drawn(*b);
        std::vector<std::string> out;
        for (auto* t : list.all<Op::Text>()) out.push_back(t->text.string());
        return out;
    };
    EXPECT_EQ(texts(), (std::vector<std::string>{"2.5"}));
    window->makeFirstResponder(b);
    auto editor = b->currentEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->frame(), b->styledCell()->titleRect(b->bounds()));
    EXPECT_EQ(texts(), (std::vector<std::string>{"2.5"}));
    window->makeFirstResponder(nullptr);
    EXPECT_EQ(texts(), (std::vector<std::string>{"2.5"}));
}

TEST_F(ComboBoxTest, TheFramePartsFollowTheListAndTheEnabledFlag) {
    auto b = box();
    auto parts = [&] {
        const auto list = drawn(*b);
        std::vector<std::pair<std::string, double>> out;
        for (auto* image : images(list)) out.push_back({image->name, image->fraction});
        return out;
    };
    using P = std::vector<std::pair<std::string, double>>;
    EXPECT_EQ(parts(), (P{{"kvu-combobox", 1}, {"kvu-combobox-up", 1}}));
    b->styledCell()->setPopupOpen(true);
    EXPECT_EQ(parts(), (P{{"kvu-combobox", 1}, {"kvu-combobox", 1}}));
    b->styledCell()->setPopupOpen(false);
    b->setEnabled(false);
    EXPECT_EQ(parts(), (P{{"kvu-combobox", 0.5}, {"kvu-combobox-up", 0.5}}));

    // The arrow part sits at the right edge at its own size; the title inside the insets,
    // centred vertically.
    const auto list = drawn(*b);
    const auto arrow = images(list)[1];
    EXPECT_EQ(arrow->destination.maxX(), 120);
    EXPECT_EQ(arrow->destination.width(), b->styledCell()->rightImage()->size().width);
    const CGRect title = b->styledCell()->titleRect(b->bounds());
    EXPECT_EQ(title.minY(), std::round(10 - title.height() / 2));
}

}  // namespace
