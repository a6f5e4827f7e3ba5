#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "AppKit/NSApplication.hpp"
#include "Dispatch/DispatchQueue.hpp"
#include "AppKit/NSMenu.hpp"
#include "AppKit/NSWorkspace.hpp"
#include "Foundation/Bundle.hpp"
#include "Sparkle/SPUUpdater.hpp"
#include "Sparkle/UpdateAlertWindow.hpp"
#include "SwiftUI/App.hpp"
#include "SwiftUI/NSHostingView.hpp"
#include "SwiftUI/RenderTree.hpp"
#include "TessikShaders/MetalShaderViewController.hpp"
#include "TestSupport/LoopbackServer.hpp"
#include "TestSupport/MainLoop.hpp"
#include "Vantrel_Zellow/VantrelZellowApp.hpp"

namespace AppTest {

inline const std::string appBundle = std::string(VZ_BINARY_DIR) + "/Vantrel_Zellow.app";
inline const std::string appExecutable = appBundle + "/Contents/MacOS/Vantrel_Zellow";

inline std::string feed(const std::string& version) {
    return "<?xml version=\"1.0\"?><rss version=\"2.0\" xmlns:sparkle=\"http://www.andymatuschak.org/xml-namespaces/sparkle\">"
           "<channel><item><title>Version " + version + "</title><sparkle:shortVersionString>" + version +
           "</sparkle:shortVersionString><sparkle:releaseNotesLink>https://www.example.com/notes/" + version +
           ".html</sparkle:releaseNotesLink></item></channel></rss>";
}

// The application launched in the test's process, as its program launches it, with the
// application bundle as the main bundle, on virtual time; the update feed from a loopback
// server of the test's own.
class AppTest : public TestSupport::VirtualTimeTest {
protected:
    void SetUp() override {
        TestSupport::VirtualTimeTest::SetUp();
        Foundation::Bundle::setMain(Foundation::Bundle::withPath(appBundle));
        AppKit::NSWorkspace::shared().clearOpenedURLs();
    }
    void TearDown() override {
        runtime.reset();
        AppKit::NSMenu::setChooser(nullptr);
        AppKit::NSApplication::shared().resetForTesting();
        AppKit::NSWorkspace::shared().removeURLHandler("vantrelzellow");
        AppKit::NSWorkspace::shared().clearOpenedURLs();
        Sparkle::SPUUpdater::setFeedRedirect(std::nullopt);
        Sparkle::SPUUpdater::setEventObserver(nullptr);
        // The loads on the pool are over before the process ends.
        Dispatch::DispatchQueue::waitForGlobalQueues();
        drain();
        Foundation::Bundle::setMain(nullptr);
        TestSupport::VirtualTimeTest::TearDown();
    }

    // The feed the update checks load, listing `version`.
    void serveFeed(const std::string& version) {
        // It serves for the whole test, however long the sanitizers make it.
        server = std::make_unique<LoopbackServer>([version](const std::string&) { return LoopbackServer::response(200, feed(version)); },
                                                  "", std::chrono::seconds(300));
        Sparkle::SPUUpdater::setFeedRedirect(server->url("/vantrel_zellow/vantrelzellow.xml"));
    }
    void launch() {
        runtime = SwiftUI::launchApp<Vantrel_Zellow::MidiZellowApp>();
        drain();
    }
    Vantrel_Zellow::MidiZellowApp& app() const { return runtime->app<Vantrel_Zellow::MidiZellowApp>(); }
    Sparkle::SPUUpdater& updater() const { return *app().sparkleHelper->updaterController->updater(); }
    std::shared_ptr<AppKit::NSWindow> mainWindow() const { return runtime->window("main"); }
    std::shared_ptr<SwiftUI::NSHostingView> hosting() const {
        return std::dynamic_pointer_cast<SwiftUI::NSHostingView>(mainWindow()->contentView());
    }
    const SwiftUI::RenderNode& tree() const { return hosting()->graph().renderTree(); }
    std::shared_ptr<TessikShaders::MetalShaderViewController> header() const {
        auto* n = tree().find([](const SwiftUI::RenderNode& r) { return r.kind == SwiftUI::RenderNode::Kind::hostedView; });
        return n ? std::dynamic_pointer_cast<TessikShaders::MetalShaderViewController>(n->hostedView->viewController()) : nullptr;
    }
    // The item of the application menu with this title.
    AppKit::NSMenuItem::Ptr menuItem(const std::string& title) const {
        return runtime->mainMenu()->items().at(0)->submenu()->itemWithTitle(title);
    }
    void choose(const std::string& title) const {
        auto menu = runtime->mainMenu()->items().at(0)->submenu();
        menu->performActionForItem(menu->indexOfItemWithTitle(title));
    }
    // Runs the loop (real time) until the update check has told the user.
    Sparkle::UpdateAlertWindow::Ptr waitForAlert() const {
        auto driver = app().sparkleHelper->updaterController->userDriver();
        Dispatch::RunLoop::main().runUntil([&] { return driver->alertWindow() != nullptr; }, 10);
        return driver->alertWindow();
    }

    std::unique_ptr<SwiftUI::AppRuntime> runtime;
    std::unique_ptr<LoopbackServer> server;
};

}  // namespace AppTest
