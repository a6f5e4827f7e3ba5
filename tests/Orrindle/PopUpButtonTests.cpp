#include <gtest/gtest.h>

#include "AppKit/NSColor.hpp"
#include "ControlTestSupport.hpp"
#include "Orrindle/PopUps/StyledPopDownButton.hpp"
#include "Orrindle/PopUps/StyledPopUpButton.hpp"
#include "Orrindle/PopUps/ToolPopUpButton.hpp"

namespace {

using namespace Orrindle;
using namespace OrrindleTest;
using AppKit::CGSize;
using AppKit::NSControlStateValue;
using S = StyledControlState;

// Styles whose bezel images have the sizes the tests choose.
class SizedPopUpStyle : public PopUpButtonCellStyle {
public:
    SizedPopUpStyle() { setBezelImages({{S::default_, AppKit::NSImage::withSize({60, 24})}}); }
};
class SizedToolStyle : public ToolPopUpButtonCellStyle {
public:
    SizedToolStyle() { setBezelImages({{S::default_, AppKit::NSImage::withSize({28, 20})}}); }
};

// Cells whose platform size the test fixes.
static CGSize inheritedSize{50, 20};
class SizedPopUpCell : public StyledPopUpButtonCell {
    VZ_OBJECT(SizedPopUpCell, StyledPopUpButtonCell)
public:
    std::shared_ptr<PopUpButtonCellStyle> style() const override { return sharedStyle<SizedPopUpCell, SizedPopUpStyle>(); }
    CGSize cellSize(CGRect) const override { return inheritedSize; }
};
class SizedToolCell : public ToolPopUpButtonCell {
    VZ_OBJECT(SizedToolCell, ToolPopUpButtonCell)
public:
    std::shared_ptr<PopUpButtonCellStyle> style() const override { return sharedStyle<SizedToolCell, SizedToolStyle>(); }
    CGSize cellSize(CGRect) const override { return inheritedSize; }
};

class PopUpFamilyTest : public ControlTest {
protected:
    StyledPopUpButton::Ptr popUp(std::optional<CGFloat> fixedWidth = std::nullopt) {
        auto p = place(Runtime::make<StyledPopUpButton>(CGRect{20, 20, 100, 22}, false, fixedWidth));
        p->addItems({"Major", "Minor", "Dorian"});
        return p;
    }
    static std::vector<const Op::Text*> texts(const DisplayList& list) { return list.all<Op::Text>(); }
};

TEST_F(PopUpFamilyTest, ThePopUpBezelIsPressedOnlyWhileHighlightedAndEnabled) {
    struct Row {
        bool highlighted, enabled;
        NSControlStateValue state;
        const char* bezel;
        double fraction;
    };
    const Row rows[] = {
        {false, true, NSControlStateValue::off, "kvu-popup", 1},
        {true, true, NSControlStateValue::off, "kvu-popup-down", 1},
        {true, false, NSControlStateValue::off, "kvu-popup", 0.5},
        {false, false, NSControlStateValue::off, "kvu-popup", 0.5},
        // The pop-up shows no state: on and mixed leave the default bezel.
        {false, true, NSControlStateValue::on, "kvu-popup", 1},
    };
    for (const auto& row : rows) {
        auto p = popUp();
        p->setEnabled(row.enabled);
        p->setState(row.state);
        p->styledCell()->setHighlighted(row.highlighted);
        auto list = drawn(*p);
        ASSERT_FALSE(images(list).empty());
        EXPECT_EQ(images(list).front()->name, row.bezel) << row.highlighted << row.enabled;
        EXPECT_EQ(images(list).front()->fraction, row.fraction);
        EXPECT_EQ(images(list).front()->destination, (CGRect{0, 0, 100, 22}));
        p->removeFromSuperview();
    }
    // A disabled pop-up's title is in the disabled text colour.
    auto p = popUp();
    p->setEnabled(false);
    auto list = drawn(*p);
    ASSERT_EQ(texts(list).size(), 1u);
    EXPECT_EQ(texts(list)[0]->text.runs[0].color, PopUpButtonCellStyle().disabledTextColor()->cgColor());
}

// Pressing through the platform's highlight shows the pressed bezel while the menu is open.
TEST_F(PopUpFamilyTest, AClickShowsThePressedBezelWhileTheMenuIsOpenThenSelects) {
    auto p = popUp();
    std::string bezelWhileOpen;
    AppKit::NSMenu::setChooser([&](AppKit::NSMenu& menu) {
        bezelWhileOpen = images(drawn(*p)).front()->name;
        return menu.item(2);
    });
    click(*p);
    EXPECT_EQ(bezelWhileOpen, "kvu-popup-down");
    EXPECT_EQ(p->titleOfSelectedItem(), "Dorian");
    EXPECT_EQ(images(drawn(*p)).front()->name, "kvu-popup");
}

TEST_F(PopUpFamilyTest, TheTitleStripAndTheLabelRuns) {
    auto p = popUp();
    auto cell = p->styledCell();
    EXPECT_EQ(cell->titleRect({0, 0, 100, 22}), (CGRect{10, 4, 76, 14}));
    EXPECT_EQ(cell->titleRect({30, 0, 100, 22}).minX(), 10) << "x is 10 whatever the origin";

    auto list = drawn(*p);
    ASSERT_EQ(texts(list).size(), 1u);
    const auto& plain = texts(list)[0]->text;
    ASSERT_EQ(plain.runs.size(), 1u);
    EXPECT_EQ(plain.runs[0].text, "Major");
    EXPECT_EQ(plain.runs[0].font.size, 10);
    EXPECT_EQ(plain.runs[0].font.weight, AppKit::FontWeight::regular);
    EXPECT_EQ(plain.paragraph.alignment, CoreGraphics::TextAlignment::left);
    EXPECT_EQ(plain.paragraph.lineBreakMode, CoreGraphics::LineBreakMode::byTruncatingTail);
    EXPECT_EQ(texts(list)[0]->box, (CGRect{10, 4, 76, 14}));

    p->setLabel("Scale");
    EXPECT_EQ(cell->label(), "Scale");
    list = drawn(*p);
    const auto& labelled = texts(list)[0]->text;
    ASSERT_EQ(labelled.runs.size(), 2u);
    EXPECT_EQ(labelled.runs[0].text, "Scale");
    EXPECT_EQ(labelled.runs[0].color, AppKit::NSColor::secondaryLabelColor()->cgColor());
    EXPECT_EQ(labelled.runs[0].font.weight, AppKit::FontWeight::regular);
    EXPECT_EQ(labelled.runs[1].text, " Major");
    EXPECT_EQ(labelled.runs[1].font.weight, AppKit::FontWeight::medium);
    EXPECT_EQ(labelled.runs[1].color, cell->style()->textColor(cell->controlState())->cgColor());

    // The cell's own label does not reach the button.
    cell->setLabel("Mode");
    EXPECT_EQ(p->label(), "Scale");

    // An empty title or an image-only cell: no text, a zero strip.
    p->menu()->item(0)->setTitle("");
    EXPECT_TRUE(texts(drawn(*p)).empty());
    EXPECT_EQ(cell->titleRect({0, 0, 100, 22}), CGRect{});
    p->menu()->item(0)->setTitle("Major");
    cell->setImagePosition(AppKit::NSCellImagePosition::imageOnly);
    EXPECT_TRUE(texts(drawn(*p)).empty());
}

class SizedPopUp : public StyledPopUpButton {
    VZ_OBJECT(SizedPopUp, StyledPopUpButton)
public:
    AppKit::NSCellClass cellClass() const override { return AppKit::NSCellClass::of<SizedPopUpCell>(); }

protected:
    using StyledPopUpButton::StyledPopUpButton;
};
class SizedToolPopUp : public ToolPopUpButton {
    VZ_OBJECT(SizedToolPopUp, ToolPopUpButton)
public:
    AppKit::NSCellClass cellClass() const override { return AppKit::NSCellClass::of<SizedToolCell>(); }

protected:
    using ToolPopUpButton::ToolPopUpButton;
};

TEST_F(PopUpFamilyTest, IntrinsicSizesFromTheBezelImageLessTheInsets) {
    struct Row {
        const char* what;
        AppKit::NSPopUpButton::Ptr button;
        bool bordered;
        CGSize size;
    };
    const Row rows[] = {
        {"pop-up", Runtime::make<SizedPopUp>(CGRect{}, false, std::nullopt), true, {56, 18}},
        {"pop-up fixed", Runtime::make<SizedPopUp>(CGRect{}, false, CGFloat(120)), true, {116, 18}},
        {"pop-up borderless", Runtime::make<SizedPopUp>(CGRect{}, false, CGFloat(120)), false, {120, 20}},
        {"tool", Runtime::make<SizedToolPopUp>(CGRect{}, false, std::nullopt), true, {28, 20}},
        {"tool fixed", Runtime::make<SizedToolPopUp>(CGRect{}, false, CGFloat(40)), true, {40, 20}},
    };
    inheritedSize = {50, 20};
    for (const auto& row : rows) {
        row.button->setBordered(row.bordered);
        if (std::string(row.what).starts_with("tool")) inheritedSize = {24, 20};
        EXPECT_EQ(row.button->intrinsicContentSize(), row.size) << row.what;
    }
}

// The tool look comes from the cell's class alone: swapping the cell back gives the pop-up.
TEST_F(PopUpFamilyTest, TheToolPopUpsLookFollowsItsCell) {
    auto tool = place(Runtime::make<ToolPopUpButton>(CGRect{20, 20, 36, 24}, false, std::nullopt));
    tool->addItem("Pen");
    EXPECT_EQ(tool->alignmentRectInsets(), (AppKit::NSEdgeInsets{0, 0, 0, 0}));
    EXPECT_EQ(images(drawn(*tool)).front()->name, "kvu-popup-tool");
    tool->styledCell()->setHighlighted(true);
    EXPECT_EQ(images(drawn(*tool)).front()->name, "kvu-popup-tool-down");

    tool->setCell(Runtime::make<StyledPopUpButtonCell>());
    EXPECT_EQ(tool->alignmentRectInsets(), (AppKit::NSEdgeInsets{3, 2, 3, 2}));
    EXPECT_EQ(images(drawn(*tool)).front()->name, "kvu-popup");

    // A foreign cell: the platform's insets, no label in the cell, no ring.
    auto plain = place(Runtime::make<StyledPopUpButton>(CGRect{20, 60, 100, 22}, false, std::nullopt));
    plain->setCell(Runtime::make<AppKit::NSPopUpButtonCell>());
    plain->setLabel("Key");
    EXPECT_EQ(plain->label(), "Key");
    EXPECT_EQ(plain->alignmentRectInsets(), AppKit::NSEdgeInsets{});
}

TEST_F(PopUpFamilyTest, TheRingIsDrawnOnlyInTheKeyWindowWithTheFocus) {
    auto p = popUp();
    auto strokes = [&] { return drawn(*p).all<Op::Stroke>().size(); };
    EXPECT_EQ(strokes(), 0u);
    window->makeFirstResponder(p);
    ASSERT_EQ(strokes(), 1u);
    const auto list = drawn(*p);
    const auto* ring = list.all<Op::Stroke>().front();
    EXPECT_EQ(ring->lineWidth, 2);
    const CGRect box = ring->path.boundingBox();
    EXPECT_NEAR(box.minX(), 1, 1e-9);
    EXPECT_NEAR(box.minY(), 1, 1e-9);
    EXPECT_NEAR(box.width(), 98, 1e-9);
    EXPECT_NEAR(box.height(), 20, 1e-9);
    auto other = AppKit::NSWindow::make({0, 0, 50, 50});
    other->makeKeyAndOrderFront();
    EXPECT_EQ(strokes(), 0u);
}

TEST_F(PopUpFamilyTest, ThePopDownActsOnReleaseInsideAndNeverOpensItsMenu) {
    auto receiver = Runtime::make<Receiver>();
    auto b = place(Runtime::make<StyledPopDownButton>(CGRect{20, 20, 100, 22}));
    b->addItems({"Rename", "Delete"});
    b->setTarget(receiver);
    b->setAction("primary:");
    const int opened = AppKit::NSMenu::openCount();

    std::string bezelWhilePressed;
    auto& app = AppKit::NSApplication::shared();
    app.postEvent(event(AppKit::EventType::leftMouseDown, *b, {50, 11}));
    app.processQueuedEvents();
    bezelWhilePressed = images(drawn(*b)).front()->name;
    app.postEvent(event(AppKit::EventType::leftMouseUp, *b, {50, 11}));
    app.processQueuedEvents();
    EXPECT_EQ(bezelWhilePressed, "kvu-popdown-down");
    EXPECT_EQ(receiver->log, (std::vector<std::string>{"primary"}));
    EXPECT_EQ(receiver->lastSender, b.get());
    EXPECT_EQ(AppKit::NSMenu::openCount(), opened);

    // Released outside: nothing, and no longer highlighted.
    app.postEvent(event(AppKit::EventType::leftMouseDown, *b, {50, 11}));
    app.postEvent(event(AppKit::EventType::leftMouseUp, *b, {150, 11}));
    app.processQueuedEvents();
    EXPECT_EQ(receiver->log.size(), 1u);
    EXPECT_FALSE(b->isHighlighted());

    // Disabled: no highlight, no action (the inherited handling would still have acted).
    b->setEnabled(false);
    app.postEvent(event(AppKit::EventType::leftMouseDown, *b, {50, 11}));
    app.processQueuedEvents();
    EXPECT_FALSE(b->isHighlighted());
    EXPECT_EQ(images(drawn(*b)).front()->name, "kvu-popdown");
    EXPECT_EQ(images(drawn(*b)).front()->fraction, 0.5);
    app.postEvent(event(AppKit::EventType::leftMouseUp, *b, {50, 11}));
    app.processQueuedEvents();
    EXPECT_EQ(receiver->log.size(), 1u);
}

TEST_F(PopUpFamilyTest, ThePopDownTitleIsItsOwnAndTheStateColoursItAlways) {
    auto b = place(Runtime::make<StyledPopDownButton>(CGRect{20, 20, 100, 22}));
    b->addItems({"Rename", "Delete"});
    b->setTitle("Actions");
    EXPECT_EQ(b->title(), "Actions");
    EXPECT_EQ(b->itemTitles(), (std::vector<std::string>{"Rename", "Delete"}));
    auto list = drawn(*b);
    auto text = list.all<Op::Text>();
    ASSERT_EQ(text.size(), 1u);
    EXPECT_EQ(text[0]->text.string(), "Actions");
    // Centred vertically on the bounds.
    auto cell = b->styledCell();
    const CGRect r = cell->titleRect(b->bounds());
    EXPECT_EQ(r.minY(), std::round(11 - r.height() / 2));

    // On shows in the highlighted colour though the cell shows no state.
    ASSERT_TRUE(cell->showsStateBy().isEmpty());
    b->setState(NSControlStateValue::on);
    list = drawn(*b);
    text = list.all<Op::Text>();
    EXPECT_EQ(text[0]->text.runs[0].color, StyledPopDownButtonCell::popDownStyle()->highlightedTextColor()->cgColor());

    // Another cell class: the title reads empty and ignores writes.
    b->setCell(Runtime::make<AppKit::NSPopUpButtonCell>());
    b->setTitle("Ignored");
    EXPECT_EQ(b->title(), "");
}

}  // namespace
