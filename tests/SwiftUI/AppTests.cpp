#include <gtest/gtest.h>

#include "AppKit/NSAppearance.hpp"
#include "AppKit/NSApplication.hpp"
#include "AppKit/NSEvent.hpp"
#include "AppKit/NSMenu.hpp"
#include "AppKit/NSMenuItem.hpp"
#include "SwiftUI/App.hpp"
#include "SwiftUI/SwiftUI.hpp"
#include "TestSupport/MainLoop.hpp"

namespace {

using namespace SwiftUI;

class Delegate : public Runtime::NSObject {
    VZ_OBJECT(Delegate, Runtime::NSObject)
};

int aboutCalls = 0;

struct TestApp {
    NSApplicationDelegateAdaptor<Delegate> delegate;
    std::shared_ptr<Delegate> seenInInit = delegate.wrappedValue();
    SceneList body() const {
        return {Window("Welcome", "welcome", [] { return AnyView(Color::black().frame(400, 572).preferredColorScheme(ColorScheme::dark)); })
                    .windowStyle(WindowStyle::hiddenTitleBar)
                    .windowResizability(WindowResizability::contentSize)
                    .commands({CommandGroup::replacingGroup(CommandGroupPlacement::appInfo,
                                                            {Button("About Us", [] { ++aboutCalls; }), Divider()})})};
    }
};

class AppScenes : public TestSupport::VirtualTimeTest {
protected:
    void TearDown() override {
        AppKit::NSApplication::shared().resetForTesting();
        TestSupport::VirtualTimeTest::TearDown();
    }
};

TEST_F(AppScenes, AWindowSceneOpensOneSizedWindowAndReplacesAMenuGroup) {
    auto runtime = launchApp<TestApp>();
    auto& app = runtime->app<TestApp>();
    EXPECT_EQ(AppKit::NSApplication::shared().delegate(), app.delegate.wrappedValue());
    EXPECT_EQ(app.seenInInit, app.delegate.wrappedValue());

    auto w = runtime->window("welcome");
    ASSERT_TRUE(w);
    EXPECT_EQ(w->title(), "Welcome");
    EXPECT_EQ(w->titleVisibility(), AppKit::TitleVisibility::hidden);
    EXPECT_TRUE(w->titlebarAppearsTransparent());
    EXPECT_FALSE(w->isResizable());
    EXPECT_EQ(w->contentMinSize(), (CGSize{400, 572}));
    EXPECT_EQ(w->contentMaxSize(), (CGSize{400, 572}));
    EXPECT_TRUE(w->isKeyWindow());
    ASSERT_TRUE(w->appearance());
    EXPECT_EQ(w->appearance()->name(), AppKit::NSAppearance::darkAqua);
    EXPECT_EQ(runtime->openWindow("welcome"), w) << "a single window only comes to the front";
    EXPECT_EQ(runtime->windows().size(), 1u);

    auto appMenu = runtime->mainMenu()->items().at(0)->submenu();
    ASSERT_TRUE(appMenu);
    EXPECT_EQ(appMenu->items().at(0)->title(), "About Us");
    EXPECT_TRUE(appMenu->items().at(1)->isSeparatorItem());
    EXPECT_EQ(appMenu->items().back()->title().rfind("Quit ", 0), 0u) << "the other groups stay";
    appMenu->performActionForItem(0);
    EXPECT_EQ(aboutCalls, 1);
}

struct GroupApp {
    NSApplicationDelegateAdaptor<Delegate> delegate;
    SceneList body() const { return {WindowGroup("Documents", [] { return AnyView(Color::black().frame(100, 100)); }, "docs")}; }
};

// An application whose only scene is a Window quits when that window closes, as a person
// closing it expects; a window group's last window does not end it. Quit is Command-Q.
TEST_F(AppScenes, ALoneWindowEndsTheApplicationWhenItCloses) {
    auto& nsApp = AppKit::NSApplication::shared();
    {
        auto runtime = launchApp<GroupApp>();
        runtime->windows()[0]->close();
        drain();
        EXPECT_FALSE(nsApp.isTerminated());
    }
    nsApp.resetForTesting();
    auto runtime = launchApp<TestApp>();
    auto appMenu = runtime->mainMenu()->items().at(0)->submenu();
    auto quit = appMenu->items().back();
    EXPECT_EQ(quit->keyEquivalent(), "q");
    runtime->window("welcome")->performClose();
    EXPECT_FALSE(nsApp.isTerminated()) << "after the window has closed";
    drain();
    EXPECT_TRUE(nsApp.isTerminated());

    nsApp.resetForTesting();
    auto again = launchApp<TestApp>();
    nsApp.sendEvent(AppKit::NSEvent::keyEvent(AppKit::EventType::keyDown, {}, AppKit::ModifierFlags::command(), 0,
                                              again->window("welcome"), "q", "q", false, 12));
    EXPECT_TRUE(nsApp.isTerminated());
}

}  // namespace
