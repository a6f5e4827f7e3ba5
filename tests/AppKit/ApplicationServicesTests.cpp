#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "AppKit/NSAlert.hpp"
#include "AppKit/NSApplicationDelegate.hpp"
#include "AppKit/NSColor.hpp"
#include "AppKit/NSCursor.hpp"
#include "AppKit/NSWorkspace.hpp"
#include "AppKit/StandardAboutPanel.hpp"
#include "AppKitTestSupport.hpp"
#include "Foundation/Bundle.hpp"

using namespace AppKit;
using Foundation::URL;

namespace {

// A main bundle on disk with the given Info.plist entries (string values).
class ServicesTest : public AppKitTest::AppKitTest {
protected:
    void SetUp() override {
        AppKitTest::SetUp();
        previousMain = Foundation::Bundle::main();
        dir = std::filesystem::path(VZ_BINARY_DIR) / "test-output" /
              ("AppKitServices-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + ".app");
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir / "Contents" / "Resources");
    }
    void TearDown() override {
        Foundation::Bundle::setMain(previousMain);
        NSWorkspace::shared().removeURLHandler("vantrelzellow");
        NSWorkspace::shared().clearOpenedURLs();
        NSAlert::setResponder(nullptr);
        NSAlert::resetShownAlerts();
        NSCursor::resetForTesting();
        AppKitTest::TearDown();
    }
    void writeInfo(const std::string& entries) {
        std::ofstream(dir / "Contents" / "Info.plist")
            << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>" << entries << "</dict></plist>\n";
        Foundation::Bundle::setMain(Foundation::Bundle::withPath(dir.string()));
    }
    static URL url(const char* s) { return *URL::fromString(s); }

    std::shared_ptr<Foundation::Bundle> previousMain;
    std::filesystem::path dir;
};

class URLDelegate : public Runtime::NSObject, public NSApplicationDelegate {
    VZ_OBJECT(URLDelegate, Runtime::NSObject)
public:
    std::vector<std::string> log;
    void applicationWillFinishLaunching(NSApplication&) override { log.push_back("will"); }
    void applicationDidFinishLaunching(NSApplication&) override { log.push_back("did"); }
    void application(NSApplication&, const std::vector<URL>& urls) override {
        for (auto& u : urls) log.push_back(u.absoluteString());
    }
};

TEST_F(ServicesTest, CustomSchemesReachTheRegisteredApplicationOnTheMainQueue) {
    writeInfo("<key>CFBundleURLTypes</key><array><dict><key>CFBundleURLSchemes</key>"
              "<array><string>vantrelzellow</string></array></dict></array>");
    auto delegate = Runtime::make<URLDelegate>();
    auto& app = NSApplication::shared();
    app.setDelegate(delegate);
    app.open({url("vantrelzellow://launch")});  // a launch URL waits for launch
    app.finishLaunching();
    EXPECT_EQ(delegate->log, (std::vector<std::string>{"will", "vantrelzellow://launch", "did"}));

    delegate->log.clear();
    auto& ws = NSWorkspace::shared();
    EXPECT_TRUE(ws.open(url("vantrelzellow://openAndUpdate?x=1")));
    EXPECT_TRUE(delegate->log.empty());  // delivered on the next turn, not inside open
    drain();
    EXPECT_EQ(delegate->log, (std::vector<std::string>{"vantrelzellow://openAndUpdate?x=1"}));

    // The browser stands in for http(s); unknown schemes are refused without a sound.
    EXPECT_TRUE(ws.open(url("https://example.org/help")));
    EXPECT_FALSE(ws.open(url("mailto:someone@example.org")));
    drain();
    EXPECT_EQ(delegate->log.size(), 1u);
    auto opened = ws.openedURLs();
    ASSERT_EQ(opened.size(), 3u);
    EXPECT_EQ(opened[1], url("https://example.org/help"));
}

TEST_F(ServicesTest, TheAboutPanelShowsTheBundleInformationAndTakesKeyStatus) {
    writeInfo("<key>CFBundleName</key><string>Zellow</string>"
              "<key>CFBundleDisplayName</key><string>Vantrel Zellow</string>"
              "<key>CFBundleShortVersionString</key><string>1.2</string>"
              "<key>CFBundleVersion</key><string>34</string>"
              "<key>NSHumanReadableCopyright</key><string>Copyright 2026</string>");
    auto main = NSWindow::make({0, 0, 100, 100});
    main->makeKeyAndOrderFront();
    auto& app = NSApplication::shared();
    EXPECT_TRUE(app.sendAction("orderFrontStandardAboutPanel:", nullptr, nullptr));
    auto panel = app.aboutPanel();
    ASSERT_TRUE(panel);
    EXPECT_EQ(panel->applicationName(), "Vantrel Zellow");
    EXPECT_EQ(panel->versionLine(), "Version 1.2 (34)");
    EXPECT_EQ(panel->copyright(), "Copyright 2026");
    EXPECT_TRUE(panel->isKeyWindow());
    EXPECT_FALSE(main->isKeyWindow());
    panel->display();
    EXPECT_EQ(panel->displayList().texts(), (std::vector<std::string>{"Vantrel Zellow", "Version 1.2 (34)", "Copyright 2026"}));

    app.orderFrontStandardAboutPanel(StandardAboutPanel::Options{{StandardAboutPanel::versionKey, "35"}});
    EXPECT_EQ(app.aboutPanel(), panel);  // one panel, reused
    EXPECT_EQ(panel->versionLine(), "Version 1.2 (35)");
    panel->close();
}

TEST_F(ServicesTest, TheAboutPanelNameFallsBackToTheExecutable) {
    writeInfo("<key>CFBundleShortVersionString</key><string>2.0</string>");
    NSApplication::shared().orderFrontStandardAboutPanel();
    auto panel = NSApplication::shared().aboutPanel();
    EXPECT_EQ(panel->applicationName(), "AppKitTests");
    EXPECT_EQ(panel->versionLine(), "Version 2.0");
    panel->close();
}

TEST_F(ServicesTest, ColoursAndImagesComeFromTheBundleCatalogueInSeparateNamespaces) {
    auto assets = dir / "Contents" / "Resources" / "Assets";
    std::filesystem::create_directories(assets / "icons");
    std::ofstream(assets / "colors.txt") << "background 0.25 0.5 0.75 1\n";
    CoreGraphics::CGImage::make(4, 2)->writePNG((assets / "icons" / "dot.png").string());
    CoreGraphics::CGImage::make(6, 6)->writePNG((assets / "background.png").string());
    writeInfo("");

    auto colour = NSColor::named("background");
    ASSERT_TRUE(colour);
    EXPECT_EQ(colour->cgColor(), CoreGraphics::CGColor::sRGB(0.25, 0.5, 0.75, 1));
    EXPECT_EQ(NSColor::named("icons/dot"), nullptr);
    auto dot = NSImage::named("icons/dot");
    ASSERT_TRUE(dot);
    EXPECT_EQ(dot->size(), (CGSize{4, 2}));
    EXPECT_EQ(dot->name(), "icons/dot");
    EXPECT_EQ(NSImage::named("background")->size(), (CGSize{6, 6}));
    EXPECT_EQ(NSImage::named("missing"), nullptr);
}

TEST_F(ServicesTest, AlertsAskTheResponderAndDefaultToTheFirstButton) {
    auto alert = NSAlert::make();
    alert->setMessageText("Update available");
    EXPECT_EQ(alert->buttons(), std::vector<std::string>{"OK"});
    EXPECT_EQ(alert->runModal(), NSAlertFirstButtonReturn);
    alert->addButton("Install");
    alert->addButton("Later");
    NSAlert::setResponder([](const NSAlert& a) {
        return a.buttons()[1] == "Later" ? NSAlertSecondButtonReturn : NSAlertFirstButtonReturn;
    });
    EXPECT_EQ(alert->runModal(), NSAlertSecondButtonReturn);
    ModalResponse sheet = 0;
    alert->beginSheetModal(nullptr, [&](ModalResponse r) { sheet = r; });
    EXPECT_EQ(sheet, 0);
    drain();
    EXPECT_EQ(sheet, NSAlertSecondButtonReturn);
    EXPECT_EQ(NSAlert::shownAlerts().size(), 3u);
    EXPECT_EQ(NSAlert::shownAlerts()[0]->messageText(), "Update available");
}

TEST_F(ServicesTest, CursorsStackAndPopTheTop) {
    auto custom = NSCursor::make(NSImage::withSize({16, 16}), {3, 4});
    EXPECT_EQ(NSCursor::current(), NSCursor::arrow());
    custom->push();
    NSCursor::iBeam()->push();
    EXPECT_EQ(NSCursor::current(), NSCursor::iBeam());
    custom->pop();  // pops the top, whichever it is
    EXPECT_EQ(NSCursor::current(), custom);
    NSCursor::popCursor();
    NSCursor::popCursor();  // an extra pop leaves the arrow
    EXPECT_EQ(NSCursor::current(), NSCursor::arrow());
    EXPECT_EQ(NSCursor::stackDepth(), 0u);
    EXPECT_EQ(custom->hotSpot(), (CGPoint{3, 4}));
}

}  // namespace
