#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "AppKit/NSEvent.hpp"
#include "AppKit/NSWindow.hpp"
#include "AudioToolbox/AUParameterTree.hpp"
#include "Dispatch/DispatchQueue.hpp"
#include "Dispatch/RunLoop.hpp"
#include "Editor/EditorTestSupport.hpp"
#include "Vantrel_Zellow_Extension/Editor/RestoreMainResponder.hpp"
#include "Runtime/MainActor.hpp"
#include "SwiftUI/NSHostingView.hpp"
#include "Vantrel_Zellow_Extension/Editor/AudioUnitViewController.hpp"
#include "Vantrel_Zellow_Extension/Engine/MidiZellowAudioUnit.hpp"

namespace {

using namespace EditorTest;
using Vantrel_Zellow_Extension::AudioUnitViewController;
using Vantrel_Zellow_Extension::MidiZellowAudioUnit;
using CoreGraphics::CGPoint;
using CoreGraphics::CGRect;
using CoreGraphics::CGSize;

const AudioToolbox::AudioComponentDescription description{AudioToolbox::kAudioUnitType_MIDIProcessor,
                                                          AudioToolbox::fourCC("vzlw"), AudioToolbox::fourCC("Qrvn")};

class ViewController : public TestSupport::VirtualTimeTest {
protected:
    void SetUp() override {
        TestSupport::VirtualTimeTest::SetUp();
        Settings::setDefaultUpdateFeedURL(std::nullopt);
    }
};

// A view of the host's that takes the keyboard.
class KeyView : public AppKit::NSView {
public:
    bool acceptsFirstResponder() const override { return true; }
};

TEST_F(ViewController, BothInitialisersMakeTheSettingsBeforeTheViewLoads) {
    auto byName = AudioUnitViewController::make();
    auto decoded = AudioUnitViewController::make(CoreAudioKit::NSCoder());
    for (const auto& c : {byName, decoded}) {
        ASSERT_TRUE(c);
        EXPECT_FALSE(c->isViewLoaded());
        ASSERT_TRUE(c->settings());
        EXPECT_EQ(c->settings()->stepCount->value(), 16);
        EXPECT_FALSE(c->audioUnit());
    }
    EXPECT_EQ(AudioUnitViewController::make(CoreAudioKit::NSCoder(false)), nullptr) << "a coder that cannot decode";
}

TEST_F(ViewController, PrefersItsLayoutSizeAndTheEditorFillsAnyViewSize) {
    auto c = AudioUnitViewController::make();
    auto view = c->view();
    EXPECT_EQ(c->preferredContentSize(), (CGSize{640, 480}));
    ASSERT_EQ(c->children().size(), 1u);
    auto hosting = std::dynamic_pointer_cast<SwiftUI::NSHostingController>(c->children()[0]);
    ASSERT_TRUE(hosting);
    for (CGSize size : {CGSize{640, 480}, CGSize{1280, 960}, CGSize{333, 200}}) {
        view->setFrame({{0, 0}, size});
        view->layoutSubtreeIfNeeded();
        EXPECT_EQ(hosting->view()->frame(), (CGRect{{0, 0}, size}));
    }
}

TEST_F(ViewController, TheFactoryConfiguresTheUnitWithTheSettingsTree) {
    auto c = AudioUnitViewController::make();
    auto unit = c->createAudioUnit(description);
    ASSERT_TRUE(unit);
    EXPECT_EQ(c->audioUnit(), unit);
    EXPECT_EQ(c->settings()->zellowAU(), unit);
    auto tree = unit->parameterTree();
    ASSERT_TRUE(tree);
    EXPECT_EQ(tree->allParameters().size(), 39u);
    EXPECT_TRUE(c->settings()->pollTimer()) << "the poll runs";
    // The listeners are installed: a host write through the tree reaches the settings.
    auto param = tree->parameter(c->settings()->delay->address());
    ASSERT_TRUE(param);
    param->setValue(20, nullptr, 0, AudioToolbox::AUParameterAutomationEventType::value);
    drain();
    EXPECT_EQ(c->settings()->delay->value(), 20);

    // A second unit replaces the first and takes over the settings.
    auto second = c->createAudioUnit(description);
    EXPECT_NE(second, unit);
    EXPECT_EQ(c->settings()->zellowAU(), second);
}

TEST_F(ViewController, ACreationErrorIsRethrownAndChangesNothing) {
    auto c = AudioUnitViewController::make();
    AudioToolbox::AUAudioUnit::failNextInitialisation(Foundation::NSError(Foundation::NSOSStatusErrorDomain, -10875));
    try {
        c->createAudioUnit(description);
        ADD_FAILURE() << "no error";
    } catch (const Foundation::NSError& e) {
        EXPECT_EQ(e.domain(), Foundation::NSOSStatusErrorDomain);
        EXPECT_EQ(e.code(), -10875);
    }
    EXPECT_FALSE(c->audioUnit());
    EXPECT_FALSE(c->settings()->zellowAU());

    auto first = c->createAudioUnit(description);
    AudioToolbox::AUAudioUnit::failNextInitialisation(Foundation::NSError(Foundation::NSOSStatusErrorDomain, -50));
    std::optional<Foundation::NSError> error;
    EXPECT_EQ(c->createAudioUnitWithComponentDescription(description, &error), nullptr);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->code(), -50);
    EXPECT_EQ(c->audioUnit(), first) << "the earlier unit stays";
    EXPECT_EQ(c->settings()->zellowAU(), first);
    EXPECT_EQ(c->createAudioUnitWithComponentDescription(description, nullptr) != nullptr, true);
}

TEST_F(ViewController, OnTheMainThreadTheFactoryRunsAtOnceWithoutWaitingOnTheMainQueue) {
    auto c = AudioUnitViewController::make();
    ASSERT_TRUE(Runtime::isMainThread());
    // Work queued on the main queue before the call would have to run first if the factory
    // waited on the queue; it runs directly, so the queue is untouched.
    bool queuedRan = false;
    Dispatch::DispatchQueue::main().async([&] { queuedRan = true; });
    auto unit = c->createAudioUnit(description);
    ASSERT_TRUE(unit);
    EXPECT_FALSE(queuedRan);
    EXPECT_EQ(c->settings()->zellowAU(), unit);
    drain();
    EXPECT_TRUE(queuedRan);
}

TEST_F(ViewController, AFactoryCallFromAnotherThreadRunsOnTheMainThreadAndWaits) {
    auto c = AudioUnitViewController::make();
    std::atomic<bool> done{false};
    std::shared_ptr<AudioToolbox::AUAudioUnit> unit;
    bool createdOnMain = false;
    std::thread host([&] {
        unit = c->createAudioUnit(description);
        done = true;
    });
    Dispatch::RunLoop::main().runUntil([&] { return done.load(); }, 10);
    host.join();
    ASSERT_TRUE(unit);
    createdOnMain = c->settings()->pollTimer() != nullptr;
    EXPECT_TRUE(createdOnMain);
    EXPECT_EQ(c->audioUnit(), unit);

    // Its error arrives on the calling thread, unchanged.
    AudioToolbox::AUAudioUnit::failNextInitialisation(Foundation::NSError("test", 7));
    done = false;
    long code = 0;
    std::thread failing([&] {
        try {
            c->createAudioUnit(description);
        } catch (const Foundation::NSError& e) {
            code = e.code();
        }
        done = true;
    });
    Dispatch::RunLoop::main().runUntil([&] { return done.load(); }, 10);
    failing.join();
    EXPECT_EQ(code, 7);
    EXPECT_EQ(c->audioUnit(), unit);
}

TEST_F(ViewController, AppearingRemembersTheWindowAndTheKeyboardGoesBackAfterATypedValue) {
    auto c = AudioUnitViewController::make();
    c->createAudioUnit(description);
    auto window = AppKit::NSWindow::make({0, 0, 640, 480});
    auto keys = Runtime::make<KeyView>();
    window->setContentViewController(c);
    c->view()->addSubview(keys);
    window->makeFirstResponder(keys);
    window->makeKeyAndOrderFront();
    drain();
    EXPECT_EQ(c->settings()->pluginWindow.lock(), window);
    EXPECT_EQ(c->settings()->pluginMainResponder.lock(), keys);

    // Type 20 into step 1's delay label.
    auto hosting = std::dynamic_pointer_cast<SwiftUI::NSHostingView>(c->children()[0]->view());
    ASSERT_TRUE(hosting);
    auto labels = hosting->graph().renderTree().findAll([](const SwiftUI::RenderNode& n) { return n.text == "0"; });
    ASSERT_FALSE(labels.empty());
    const auto at = labels.front()->frame;
    const CGPoint p{at.midX(), 480 - at.midY()};
    window->sendEvent(AppKit::NSEvent::mouseEvent(AppKit::EventType::leftMouseDown, p, {}, 0, window, 1));
    drain();
    window->sendEvent(AppKit::NSEvent::mouseEvent(AppKit::EventType::leftMouseUp, p, {}, 0, window, 1));
    drain();
    EXPECT_EQ(window->firstResponder(), hosting) << "the label's field has the keyboard";
    hosting->graph().typeText("20");
    drain();
    window->sendEvent(AppKit::NSEvent::keyEvent(AppKit::EventType::keyDown, {}, {}, 0, window, "\r", "\r", false,
                                                AppKit::KeyCode::returnKey));
    drain();
    EXPECT_EQ(c->settings()->steps[0]->value(), 20);
    EXPECT_EQ(window->firstResponder(), keys) << "the host's responder has the keyboard again";

    // With the responder gone the window itself takes it; with the window gone nothing happens.
    c->settings()->pluginMainResponder.reset();
    Vantrel_Zellow_Extension::restoreMainResponder(*c->settings());
    EXPECT_EQ(window->firstResponder(), window);
    c->settings()->pluginWindow.reset();
    window->makeFirstResponder(keys);
    Vantrel_Zellow_Extension::restoreMainResponder(*c->settings());
    EXPECT_EQ(window->firstResponder(), keys);
    window->close();
}

TEST_F(ViewController, AViewWithoutAWindowRemembersNothing) {
    auto c = AudioUnitViewController::make();
    c->view();
    c->viewDidAppear();
    EXPECT_FALSE(c->settings()->pluginWindow.lock());
    EXPECT_FALSE(c->settings()->pluginMainResponder.lock());
    Vantrel_Zellow_Extension::restoreMainResponder(*c->settings());  // nothing to do, no crash
}

}  // namespace
