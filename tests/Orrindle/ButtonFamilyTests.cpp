#include <gtest/gtest.h>

#include <algorithm>

#include "ControlTestSupport.hpp"
#include "Orrindle/Buttons/BackButton.hpp"
#include "Orrindle/Buttons/CornerButton.hpp"
#include "Orrindle/Buttons/FavouriteCheckBox.hpp"
#include "Orrindle/Buttons/StyledCheckBox.hpp"
#include "Orrindle/Buttons/ToolButton.hpp"
#include "Orrindle/Styles/CheckBoxCellStyle.hpp"

namespace {

using namespace Orrindle;
using namespace OrrindleTest;
using AppKit::EventType;
using AppKit::ModifierFlags;
using AppKit::NSControlStateValue;
using S = StyledControlState;

// --- Check boxes -----------------------------------------------------------------------------

class CheckBoxTest : public ControlTest {
protected:
    template <class Box = StyledCheckBox>
    std::shared_ptr<Box> box(const std::string& title = "Loop") {
        auto b = place(Runtime::make<Box>(CGRect{20, 20, 120, 20}));
        b->setButtonType(AppKit::NSButtonType::switch_);
        b->setTitle(title);
        return b;
    }
    static std::string boxImage(AppKit::NSView& view) {
        const auto list = drawn(view);
        const auto all = images(list);
        return all.empty() ? "" : all.back()->name;
    }
};

TEST_F(CheckBoxTest, ClicksTurnItOnAndOffAndAMixedBoxOn) {
    auto b = box();
    std::vector<NSControlStateValue> seen;
    for (int i = 0; i < 2; ++i) {
        click(*b);
        seen.push_back(b->state());
    }
    EXPECT_EQ(seen, (std::vector{NSControlStateValue::on, NSControlStateValue::off}));
    b->setState(NSControlStateValue::mixed);
    click(*b);
    EXPECT_EQ(b->state(), NSControlStateValue::on);
    // Even with mixed states allowed a click never gives mixed.
    b->setAllowsMixedState(true);
    click(*b);
    click(*b);
    EXPECT_EQ(b->state(), NSControlStateValue::on);
}

TEST_F(CheckBoxTest, TheBoxImageFollowsTheState) {
    struct Row {
        NSControlStateValue state;
        bool enabled, highlighted, selected;
        const char* image;
        double fraction;
    };
    const Row rows[] = {
        {NSControlStateValue::off, true, false, false, "kvu-checkbox", 1},
        {NSControlStateValue::on, true, false, false, "kvu-checkbox-on", 1},
        {NSControlStateValue::mixed, true, false, false, "kvu-checkbox-mixed", 1},
        {NSControlStateValue::on, true, true, false, "kvu-checkbox-on-down", 1},
        {NSControlStateValue::off, true, false, true, "kvu-checkbox-down", 1},
        {NSControlStateValue::on, true, false, true, "kvu-checkbox-on-down", 1},
        // Disabled: half opaque, and pressing does not count.
        {NSControlStateValue::on, false, true, false, "kvu-checkbox-on", 0.5},
    };
    for (const auto& row : rows) {
        auto b = box();
        b->setState(row.state);
        b->setEnabled(row.enabled);
        b->styledCell()->setHighlighted(row.highlighted);
        b->setSelected(row.selected);
        auto list = drawn(*b);
        ASSERT_EQ(images(list).size(), 1u);
        EXPECT_EQ(images(list)[0]->name, row.image) << int(row.state) << row.enabled << row.highlighted << row.selected;
        EXPECT_EQ(images(list)[0]->fraction, row.fraction);
        EXPECT_TRUE(images(list)[0]->respectFlipped);
        b->removeFromSuperview();
    }
    // A state with no key of its own takes the best subset: default, on, disabled.
    auto style = std::dynamic_pointer_cast<CheckBoxCellStyle>(box()->styledCell()->style());
    EXPECT_EQ(style->image(S({S::default_, S::on, S::disabled}))->name(), "kvu-checkbox-on");
}

TEST_F(CheckBoxTest, TheBoxSitsAtTheLeftEdgeAndTheTitleAfterIt) {
    auto b = box("Loop");
    auto cell = std::dynamic_pointer_cast<StyledCheckBoxCell>(b->cell());
    for (CGFloat x : {0.0, 35.0}) {
        const CGRect image = cell->imageRect({x, 0, 120, 20});
        EXPECT_EQ(image, (CGRect{-2, 2, 16, 16})) << x;
    }
    const CGRect title = cell->titleRect({0, 0, 120, 20});
    EXPECT_EQ(title.minX(), 16);
    EXPECT_EQ(title.minY(), std::round(10 - title.height() / 2));
    cell->setVerticallyCenterTitle(false);
    EXPECT_EQ(cell->titleRect({0, 5, 120, 20}).origin, (CGPoint{16, 0}));
    // The ring goes round the box only.
    EXPECT_EQ(b->focusRingMaskBounds(), (CGRect{-2, 2, 16, 16}));
}

TEST_F(CheckBoxTest, ACellMadeAloneKeepsContentsHighlightingTheControlEmptiesIt) {
    auto alone = Runtime::make<StyledCheckBoxCell>();
    EXPECT_EQ(alone->highlightsBy(), AppKit::NSCellStyleMask::contents());
    EXPECT_EQ(alone->showsStateBy(), AppKit::NSCellStyleMask::contents());
    auto made = Runtime::make<StyledCheckBox>(CGRect{});
    EXPECT_EQ(made->styledCell()->highlightsBy(), AppKit::NSCellStyleMask::none());
}

TEST_F(CheckBoxTest, AFavouriteIsAStarWhoseImagesCannotBeReplaced) {
    auto b = box<FavouriteCheckBox>("");
    auto cell = std::dynamic_pointer_cast<FavouriteCheckBoxCell>(b->cell());
    b->setImage(AppKit::NSImage::withSize({3, 3}));
    b->setAlternateImage(AppKit::NSImage::withSize({3, 3}));
    ASSERT_TRUE(cell->image());
    EXPECT_EQ(cell->image()->name(), "organiser-icon-star-empty");
    EXPECT_EQ(cell->alternateImage()->name(), "organiser-icon-star");
    EXPECT_EQ(boxImage(*b), "organiser-icon-star-empty");
    EXPECT_EQ(cell->imageSize(), cell->image()->size());
    b->setAlphaValue(0.7);
    click(*b);
    EXPECT_EQ(b->state(), NSControlStateValue::on);
    EXPECT_EQ(boxImage(*b), "organiser-icon-star");
    EXPECT_EQ(b->alphaValue(), 1.0);
}

// A favourite star that notes its opacity while the mouse is tracked.
class ProbeStarCell : public FavouriteCheckBoxCell {
    VZ_OBJECT(ProbeStarCell, FavouriteCheckBoxCell)
public:
    static inline double alphaWhileTracking = -1;
    bool startTracking(CGPoint p, AppKit::NSView& view) override {
        alphaWhileTracking = view.alphaValue();
        return FavouriteCheckBoxCell::startTracking(p, view);
    }
};
class ProbeStar : public FavouriteCheckBox {
    VZ_OBJECT(ProbeStar, FavouriteCheckBox)
public:
    AppKit::NSCellClass cellClass() const override { return AppKit::NSCellClass::of<ProbeStarCell>(); }

protected:
    using FavouriteCheckBox::FavouriteCheckBox;
};

TEST_F(CheckBoxTest, AFavouriteDimsWhileTheButtonIsHeld) {
    auto b = box<ProbeStar>("");
    click(*b);
    EXPECT_EQ(ProbeStarCell::alphaWhileTracking, 0.5);
    EXPECT_EQ(b->alphaValue(), 1.0);
}

// --- Back and corner buttons -------------------------------------------------------------------

class BackAndCornerTest : public ControlTest {};

TEST_F(BackAndCornerTest, TheBackButtonsOpacityIsItsVisibility) {
    struct Row {
        bool hiddenBefore;
        double alpha;
        bool hiddenAfter;
    };
    const Row rows[] = {{false, 0, true}, {true, 0.3, false}, {false, 1, false}, {true, -1, true}, {false, -1, false}};
    for (const auto& row : rows) {
        auto b = Runtime::make<BackButton>(CGRect{0, 0, 30, 24});
        b->setHidden(row.hiddenBefore);
        b->setAlphaValue(row.alpha);
        EXPECT_EQ(b->isHidden(), row.hiddenAfter) << row.alpha;
        EXPECT_EQ(b->alphaValue(), std::clamp(row.alpha, 0.0, 1.0)) << "as the view keeps it";
    }
    auto b = Runtime::make<BackButton>(CGRect{0, 0, 30, 24});
    EXPECT_EQ(b->alignmentRectInsets(), (AppKit::NSEdgeInsets{6, 5, 4, 4}));
    EXPECT_NE(b->styledCell()->style()->alignmentRectInsets(), b->alignmentRectInsets());
    EXPECT_EQ(b->bezelStyle(), AppKit::NSBezelStyle::shadowlessSquare);
    b->setState(NSControlStateValue::on);
    EXPECT_EQ(images(drawn(*b))[0]->name, "organiser-navbar-back-down");
}

// The back button toggles its state with each click and shows it; the corner button only
// changes its picture while it is held, so a click leaves it showing its plain bezel.
TEST_F(BackAndCornerTest, ClicksToggleTheBackButtonAndLeaveTheCornerButtonOff) {
    struct Row {
        const char* name;
        std::shared_ptr<AppKit::NSButton> button;
        std::vector<std::pair<NSControlStateValue, std::string>> afterEachClick;
    };
    const Row rows[] = {
        {"back", place(Runtime::make<BackButton>(CGRect{10, 10, 30, 24})),
         {{NSControlStateValue::on, "organiser-navbar-back-down"}, {NSControlStateValue::off, "organiser-navbar-back"}}},
        {"corner", place(Runtime::make<CornerButton>(CGRect{60, 10, 30, 24})),
         {{NSControlStateValue::off, "kvu-button"}, {NSControlStateValue::off, "kvu-button"}}},
    };
    for (const auto& row : rows) {
        auto receiver = Runtime::make<Receiver>();
        row.button->setTarget(receiver);
        row.button->setAction("primary:");
        for (const auto& [state, bezel] : row.afterEachClick) {
            click(*row.button);
            EXPECT_EQ(row.button->state(), state) << row.name;
            const auto list = drawn(*row.button);
            ASSERT_FALSE(images(list).empty()) << row.name;
            EXPECT_EQ(images(list)[0]->name, bezel) << row.name;
        }
        EXPECT_EQ(receiver->log.size(), 2u) << row.name << ": each click acts";
    }
}

class CornerButtonTest : public ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        button = place(Runtime::make<CornerButton>(CGRect{40, 40, 60, 24}));
        receiver = Runtime::make<Receiver>();
        button->setTarget(receiver);
        button->setAction("primary:");
        menu = AppKit::NSMenu::make("More");
        menu->addItem("Rename", "primary:", "");
        AppKit::NSMenu::setChooser([this](AppKit::NSMenu& m) {
            opened.push_back(&m);
            return nullptr;
        });
    }
    // A press and release in the middle of the button (or at `at`).
    void press(EventType down, ModifierFlags flags = {}, int clicks = 1, CGPoint at = {30, 12}) {
        auto& app = AppKit::NSApplication::shared();
        app.postEvent(event(down, *button, at, 0, flags, clicks));
        app.postEvent(event(down == EventType::rightMouseDown ? EventType::rightMouseUp : EventType::leftMouseUp, *button, at,
                            0, flags, clicks));
        app.processQueuedEvents();
    }
    std::shared_ptr<CornerButton> button;
    std::shared_ptr<Receiver> receiver;
    std::shared_ptr<AppKit::NSMenu> menu;
    std::vector<AppKit::NSMenu*> opened;
};

TEST_F(CornerButtonTest, WithAMenuASingleClickPopsItUpInsteadOfTheAction) {
    button->setAlternateMenu(menu);
    // Every way in pops the menu up at the button's left edge, 4 points below it (the button is
    // flipped), in its own coordinates.
    auto poppedBelowTheButton = [&] {
        const auto& call = AppKit::NSMenu::lastPopUp();
        EXPECT_EQ(call.menu.lock(), menu);
        EXPECT_EQ(call.positioning.lock(), nullptr);
        EXPECT_EQ(call.view, button.get());
        EXPECT_EQ(call.location, (CGPoint{0, 28}));
    };
    press(EventType::leftMouseDown);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], menu.get());
    poppedBelowTheButton();
    EXPECT_TRUE(receiver->log.empty());
    EXPECT_FALSE(button->isHighlighted());
    // A double click goes to the ordinary tracking.
    press(EventType::leftMouseDown, {}, 2);
    EXPECT_EQ(opened.size(), 1u);
    EXPECT_EQ(receiver->log, (std::vector<std::string>{"primary"}));
    // Control-click with the menu: the plain-click path pops it up.
    press(EventType::leftMouseDown, ModifierFlags::control());
    EXPECT_EQ(opened.size(), 2u);
    poppedBelowTheButton();
    press(EventType::rightMouseDown);
    EXPECT_EQ(opened.size(), 3u);
    poppedBelowTheButton();
    EXPECT_EQ(receiver->log.size(), 1u);
}

// Only a press inside the button pops the menu up; one that lands outside (the button was
// handed it all the same) takes the ordinary path, and a release outside sends nothing.
TEST_F(CornerButtonTest, APressOutsideTheButtonDoesNotPopTheMenuUp) {
    button->setAlternateMenu(menu);
    for (CGPoint outside : {CGPoint{-5, 12}, CGPoint{30, 30}, CGPoint{61, 12}}) {
        AppKit::NSApplication::shared().postEvent(event(EventType::leftMouseUp, *button, outside));
        button->mouseDown(*event(EventType::leftMouseDown, *button, outside));
        EXPECT_TRUE(opened.empty()) << outside.x << ", " << outside.y;
        EXPECT_TRUE(receiver->log.empty());
        EXPECT_FALSE(button->isHighlighted());
    }
}

TEST_F(CornerButtonTest, WithoutAMenuAlternateClicksAreConsumedAndPlainClicksAct) {
    press(EventType::rightMouseDown);
    press(EventType::leftMouseDown, ModifierFlags::control());
    EXPECT_TRUE(receiver->log.empty());
    EXPECT_TRUE(opened.empty());
    AppKit::NSEvent::setModifierFlags({});
    press(EventType::leftMouseDown);
    EXPECT_EQ(receiver->log, (std::vector<std::string>{"primary"}));
    auto rightDown = event(EventType::rightMouseDown, *button, {5, 5});
    EXPECT_TRUE(button->handleAlternateClick(*rightDown));
    EXPECT_FALSE(button->handleAlternateClick(*event(EventType::leftMouseDown, *button, {5, 5})));
}

// --- Tool button --------------------------------------------------------------------------------

class ToolButtonTest : public ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        button = place(Runtime::make<ToolButton>(CGRect{40, 40, 24, 24}));
        receiver = Runtime::make<Receiver>();
        button->setTarget(receiver);
        button->setAction("primary:");
        button->setSecondaryTarget(receiver);
        button->setSecondaryAction("secondary:");
    }
    // A press now and a release `after` seconds later, both queued before delivery.
    void pressFor(double after, ModifierFlags flags = {}, int clicks = 1) {
        auto& app = AppKit::NSApplication::shared();
        app.postEvent(event(EventType::leftMouseDown, *button, {12, 12}, 0, flags, clicks));
        app.postEvent(event(EventType::leftMouseUp, *button, {12, 12}, after, flags, clicks));
        app.processQueuedEvents();
    }
    std::shared_ptr<ToolButton> button;
    std::shared_ptr<Receiver> receiver;
};

TEST_F(ToolButtonTest, AShortPressActsAHoldSendsTheSecondaryActionOnce) {
    pressFor(0.2);
    EXPECT_EQ(receiver->log, (std::vector<std::string>{"primary"}));
    EXPECT_EQ(receiver->lastSender, button.get());
    receiver->log.clear();

    // Held past the double-click interval: the secondary action, before the release arrives.
    const double start = Dispatch::Clock::shared().now();
    auto& app = AppKit::NSApplication::shared();
    app.postEvent(event(EventType::leftMouseDown, *button, {12, 12}));
    app.postEvent(event(EventType::leftMouseUp, *button, {12, 12}, 1.2));
    app.sendEvent(app.nextEvent(AppKit::EventTypeMask::leftMouseDown(), 0.0, true));
    EXPECT_EQ(receiver->log, (std::vector<std::string>{"secondary"}));
    EXPECT_DOUBLE_EQ(Dispatch::Clock::shared().now(), start + 0.5);
    EXPECT_FALSE(button->isHighlighted());
    app.processQueuedEvents();  // the release reaches the button later and sends nothing
    EXPECT_EQ(receiver->log, (std::vector<std::string>{"secondary"}));
    receiver->log.clear();

    AppKit::NSEvent::setDoubleClickInterval(2);
    pressFor(1.2);
    EXPECT_EQ(receiver->log, (std::vector<std::string>{"primary"})) << "within a longer interval";
}

TEST_F(ToolButtonTest, DoubleClicksOutsidePressesAndAlternateClicks) {
    const double start = Dispatch::Clock::shared().now();
    pressFor(0, {}, 2);
    EXPECT_EQ(receiver->log, (std::vector<std::string>{"primary"}));
    EXPECT_DOUBLE_EQ(Dispatch::Clock::shared().now(), start) << "a double click does not wait";
    receiver->log.clear();

    // A Control-click within the interval: the wait ends with the release, then the secondary.
    pressFor(0.1, ModifierFlags::control());
    EXPECT_EQ(receiver->log, (std::vector<std::string>{"secondary"}));
    receiver->log.clear();

    auto& app = AppKit::NSApplication::shared();
    app.postEvent(event(EventType::rightMouseDown, *button, {12, 12}));
    app.postEvent(event(EventType::rightMouseUp, *button, {12, 12}));
    app.processQueuedEvents();
    EXPECT_EQ(receiver->log, (std::vector<std::string>{"secondary"}));
    receiver->log.clear();

    // Without a secondary action a hold is a click and a right click sends nothing.
    button->setSecondaryAction({});
    pressFor(1.5);
    EXPECT_EQ(receiver->log, (std::vector<std::string>{"primary"}));
    receiver->log.clear();
    EXPECT_TRUE(button->handleSecondaryClick(*event(EventType::rightMouseDown, *button, {1, 1})));
    EXPECT_TRUE(receiver->log.empty());
}

// A press that lands outside the button (handed to it all the same) does not wait for a hold:
// held past the interval it sends no secondary action, and released outside nothing at all.
TEST_F(ToolButtonTest, APressOutsideTheButtonSkipsTheHold) {
    auto& app = AppKit::NSApplication::shared();
    for (CGPoint outside : {CGPoint{-5, 12}, CGPoint{12, 30}}) {
        app.postEvent(event(EventType::leftMouseUp, *button, outside, 1.2));
        button->mouseDown(*event(EventType::leftMouseDown, *button, outside));
        EXPECT_TRUE(receiver->log.empty()) << outside.x << ", " << outside.y;
        EXPECT_FALSE(button->isHighlighted());
    }
}

TEST_F(ToolButtonTest, ADeadSecondaryTargetSendsUpTheResponderChain) {
    auto responder = Runtime::make<Receiver>();
    AppKit::NSApplication::shared().setDelegate(responder);
    {
        auto gone = Runtime::make<Receiver>();
        button->setSecondaryTarget(gone);
    }
    EXPECT_EQ(button->secondaryTarget(), nullptr);
    button->rightMouseDown(*event(EventType::rightMouseDown, *button, {1, 1}));
    EXPECT_EQ(responder->log, (std::vector<std::string>{"secondary"}));
}

// The tool button's image sits in the middle of its background, whatever its size.
TEST_F(ToolButtonTest, TheImageIsCentredOnTheBackground) {
    for (CGSize size : {CGSize{10, 10}, CGSize{16, 12}, CGSize{24, 24}}) {
        button->setImage(AppKit::NSImage::withSize(size));
        const auto list = drawn(*button);
        ASSERT_EQ(images(list).size(), 2u);
        // In the picture (y up): the background over the frame, the image on top.
        auto base = [&](std::size_t i) { return images(list)[i]->state.transform.apply(images(list)[i]->destination); };
        const CGRect background = base(0), image = base(1);
        EXPECT_EQ(image.size, size);
        EXPECT_EQ(image.minY() - background.minY(), background.maxY() - image.maxY()) << size.width << " x " << size.height;
        EXPECT_EQ(image.minX() - background.minX(), background.maxX() - image.maxX()) << size.width << " x " << size.height;
    }
}

TEST_F(ToolButtonTest, LookAndSize) {
    EXPECT_EQ(button->imagePosition(), AppKit::NSCellImagePosition::imageOnly);
    EXPECT_EQ(button->imageScaling(), AppKit::NSImageScaling::scaleNone);
    EXPECT_EQ(button->bezelStyle(), AppKit::NSBezelStyle::flexiblePush);
    auto bezel = button->styledCell()->style()->bezelImage(S::default_);
    const CGSize intrinsic = button->intrinsicContentSize();
    EXPECT_GE(intrinsic.width, bezel->size().width);
    EXPECT_EQ(intrinsic.height, bezel->size().height);
    button->setBordered(false);
    EXPECT_EQ(button->intrinsicContentSize(), button->StyledButton::intrinsicContentSize());
    button->setBordered(true);

    EXPECT_EQ(images(drawn(*button)).size(), 1u);
    button->setShowMoreIcon(true);
    EXPECT_TRUE(std::dynamic_pointer_cast<ToolButtonCell>(button->cell())->showMoreIcon());
    EXPECT_TRUE(button->needsDisplay());
    auto list = drawn(*button);
    ASSERT_EQ(images(list).size(), 2u);
    EXPECT_EQ(images(list)[0]->name, "corner-tool-background");
    EXPECT_EQ(images(list)[1]->name, "corner-tool-more");
    EXPECT_EQ(images(list)[1]->destination, (CGRect{0, 0, 24, 24}));
    // A toggle: a click turns it on and shows the selected background.
    button->setSecondaryAction({});
    click(*button);
    EXPECT_EQ(images(drawn(*button))[0]->name, "corner-tool-background-selected");
}

}  // namespace
