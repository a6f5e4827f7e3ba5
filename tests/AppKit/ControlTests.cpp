#include <gtest/gtest.h>

#include "AppKit/NSControl.hpp"
#include "AppKitTestSupport.hpp"
#include "CoreGraphics/TextLayout.hpp"

using namespace AppKit;

namespace {

std::vector<std::string>* controlLog = nullptr;

// A cell that writes down the tracking calls and highlight changes that reach it.
class LoggingCell : public NSCell {
    VZ_OBJECT(LoggingCell, NSCell)
public:
    bool untilMouseUp = false;
    bool prefersTrackingUntilMouseUp() const override { return untilMouseUp; }
    void setHighlighted(bool flag) override {
        if (flag != isHighlighted() && controlLog) controlLog->push_back(flag ? "highlight" : "unhighlight");
        NSCell::setHighlighted(flag);
    }
    bool startTracking(CGPoint p, NSView& v) override { log("start", p); return NSCell::startTracking(p, v); }
    bool continueTracking(CGPoint l, CGPoint p, NSView& v) override { log("continue", p); return NSCell::continueTracking(l, p, v); }
    void stopTracking(CGPoint l, CGPoint p, NSView& v, bool up) override {
        log(up ? "stop up" : "stop", p);
        NSCell::stopTracking(l, p, v, up);
    }

private:
    static void log(const std::string& what, CGPoint p) {
        if (controlLog) controlLog->push_back(what + " " + std::to_string(int(p.x)) + "," + std::to_string(int(p.y)));
    }
};

class LoggingControl : public NSControl {
    VZ_OBJECT(LoggingControl, NSControl)
public:
    NSCellClass cellClass() const override { return NSCellClass::of<LoggingCell>(); }
    LoggingCell& loggingCell() const { return static_cast<LoggingCell&>(*cell()); }

protected:
    using NSControl::NSControl;
};

class Receiver : public Runtime::NSObject {
    VZ_OBJECT(Receiver, Runtime::NSObject)
public:
    static std::vector<std::pair<Runtime::Selector, Runtime::ClassInfo::Action>> classActions() {
        return {Runtime::action("fire:", &Receiver::fire)};
    }
    void fire(Runtime::NSObject* sender) {
        controlLog->push_back("fire");
        lastSender = sender;
    }
    Runtime::NSObject* lastSender = nullptr;
};

class ControlTest : public AppKitTest::AppKitTest {
protected:
    void SetUp() override {
        AppKitTest::SetUp();
        controlLog = &log;
        window = NSWindow::make({0, 0, 200, 200});
        control = Runtime::make<LoggingControl>(CGRect{20, 20, 100, 40});
        window->contentView()->addSubview(control);
        receiver = Runtime::make<Receiver>();
        control->setTarget(receiver);
        control->setAction("fire:");
        window->makeKeyAndOrderFront();
    }
    void TearDown() override {
        controlLog = nullptr;
        AppKitTest::TearDown();
    }
    // Queues a press at `down`, drags through `path` and releases at `up`, then delivers them.
    void click(CGPoint down, std::vector<CGPoint> path, CGPoint up) {
        auto& app = NSApplication::shared();
        app.postEvent(mouse(EventType::leftMouseDown, down, window));
        for (auto p : path) app.postEvent(mouse(EventType::leftMouseDragged, p, window));
        app.postEvent(mouse(EventType::leftMouseUp, up, window));
        app.processQueuedEvents();
    }

    std::vector<std::string> log;
    NSWindow::Ptr window;
    std::shared_ptr<LoggingControl> control;
    std::shared_ptr<Receiver> receiver;
};

TEST_F(ControlTest, TheControlMakesTheCellOfItsDynamicClass) {
    ASSERT_NE(control->cell(), nullptr);
    EXPECT_EQ(control->cell()->className(), "LoggingCell");
    EXPECT_EQ(control->cell()->controlView(), control);
    auto plain = Runtime::make<NSControl>(CGRect{0, 0, 10, 10});
    EXPECT_EQ(plain->cell()->className(), "NSCell");
    EXPECT_EQ(control->cellClass().classInfo(), &LoggingCell::staticClassInfo());
}

TEST_F(ControlTest, ValuesLiveInTheCell) {
    control->setDoubleValue(2.5);
    EXPECT_EQ(control->stringValue(), "2.5");
    control->setStringValue("12");
    EXPECT_EQ(control->intValue(), 12);
    control->setStringValue("twelve");
    EXPECT_EQ(control->doubleValue(), 0) << "a text that is no number holds 0";
    EXPECT_EQ(control->stringValue(), "twelve");
    control->setEnabled(false);
    EXPECT_FALSE(control->cell()->isEnabled());
    EXPECT_TRUE(control->needsDisplay());
}

TEST_F(ControlTest, AClickReleasedInsideSendsTheActionToTheTarget) {
    click({30, 30}, {{40, 35}}, {50, 35});
    EXPECT_EQ(log, (std::vector<std::string>{"highlight", "start 10,10", "continue 20,15", "stop up 30,15", "unhighlight",
                                             "fire"}));
    EXPECT_EQ(receiver->lastSender, control.get());
}

TEST_F(ControlTest, ReleasedOutsideSendsNothingAndBackInsideSendsAgain) {
    click({30, 30}, {{150, 30}}, {150, 30});
    EXPECT_EQ(std::count(log.begin(), log.end(), "fire"), 0);
    EXPECT_EQ(log.back(), "unhighlight");
    EXPECT_FALSE(control->isHighlighted());

    log.clear();
    click({30, 30}, {{150, 30}, {160, 30}, {40, 30}}, {45, 30});
    EXPECT_EQ(log, (std::vector<std::string>{"highlight", "start 10,10", "stop 130,10", "unhighlight", "highlight",
                                             "start 20,10", "stop up 25,10", "unhighlight", "fire"}))
        << "tracking gives up when the pointer leaves and starts again when it comes back";
}

TEST_F(ControlTest, ACellThatTracksUntilMouseUpFollowsThePointerOutside) {
    control->loggingCell().untilMouseUp = true;
    click({30, 30}, {{150, 30}, {40, 30}}, {150, 30});
    EXPECT_EQ(log, (std::vector<std::string>{"highlight", "start 10,10", "unhighlight", "continue 130,10", "highlight",
                                             "continue 20,10", "stop up 130,10", "unhighlight"}));
}

TEST_F(ControlTest, AContinuousCellSendsWhileDragging) {
    control->setContinuous(true);
    click({30, 30}, {{40, 30}, {50, 30}}, {60, 30});
    EXPECT_EQ(std::count(log.begin(), log.end(), "fire"), 4) << "at the press, each drag and the release";
}

TEST_F(ControlTest, ADisabledControlTakesNoClicks) {
    control->setEnabled(false);
    click({30, 30}, {}, {30, 30});
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(NSApplication::shared().queuedEventCount(), 0u) << "the window still consumed the events";
}

TEST_F(ControlTest, AGoneTargetSendsUpTheResponderChain) {
    receiver.reset();
    EXPECT_EQ(control->target(), nullptr) << "the target is not retained";
    EXPECT_FALSE(control->sendAction(control->action(), nullptr)) << "nobody in the chain answers";
    EXPECT_FALSE(control->sendAction({}, nullptr)) << "no action, nothing sent";
}

TEST_F(ControlTest, TheCellDrawsItsTitleAndReportsItsSize) {
    control->cell()->setTitle("Hello");
    control->cell()->setBordered(true);
    const CGSize size = control->intrinsicContentSize();
    const CGSize text = CoreGraphics::TextLayout::size(control->cell()->attributedTitle());
    EXPECT_EQ(size, (CGSize{text.width + 2, text.height + 2})) << "the title plus the border";
    control->sizeToFit();
    EXPECT_EQ(control->frame().size, size);
    EXPECT_EQ(control->cell()->titleRect(control->bounds()), control->bounds().insetBy(1, 1));
    window->display();
    EXPECT_EQ(window->displayList().texts(), std::vector<std::string>{"Hello"});
}

// A control that takes only logging cells.
class PickyControl : public LoggingControl {
    VZ_OBJECT(PickyControl, LoggingControl)
public:
    const Runtime::ClassInfo* acceptedCellClass() const override { return &LoggingCell::staticClassInfo(); }

protected:
    using LoggingControl::LoggingControl;
};

TEST(ControlCellDeathTest, AControlTakesOnlyTheCellClassItAcceptsWhateverItIsReachedAs) {
    auto picky = Runtime::make<PickyControl>(CGRect{0, 0, 10, 10});
    NSControl& control = *picky;
    control.setCell(Runtime::make<LoggingCell>());
    control.setCell(nullptr);
    EXPECT_EQ(control.cell(), nullptr) << "none is taken too";
    EXPECT_DEATH(control.setCell(Runtime::make<NSCell>()), "PickyControl takes only a LoggingCell, not NSCell");
    auto plain = Runtime::make<NSControl>(CGRect{0, 0, 10, 10});
    plain->setCell(Runtime::make<LoggingCell>());
    EXPECT_EQ(plain->cell()->className(), "LoggingCell") << "a plain control takes any cell";
}

}  // namespace
