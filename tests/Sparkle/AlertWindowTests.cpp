#include <gtest/gtest.h>

#include <algorithm>

#include "AppKit/NSAppearance.hpp"
#include "AppKit/NSWindow.hpp"
#include "AppKit/NSWorkspace.hpp"
#include "CoreGraphics/CGContext.hpp"
#include "CoreGraphics/TextLayout.hpp"
#include "Sparkle/SPUStandardUserDriver.hpp"
#include "Sparkle/SUErrors.hpp"
#include "SparkleTestSupport.hpp"

namespace {

using namespace SparkleTest;
using Sparkle::SPUStandardUserDriver;
using Sparkle::UpdateAlertWindow;

class AlertWindow : public UpdaterTest {
protected:
    void SetUp() override {
        UpdaterTest::SetUp();
        AppKit::NSWorkspace::shared().clearOpenedURLs();
    }
    static Sparkle::SUAppcastItem newer() {
        Sparkle::SUAppcastItem item;
        item.displayVersionString = "1.3";
        item.releaseNotesURL = Foundation::URL::fromString("https://example.com/notes/1.3.html");
        return item;
    }
    static std::vector<std::string> titles(const UpdateAlertWindow& w) {
        std::vector<std::string> t;
        for (auto& b : w.buttons()) t.push_back(b->title());
        return t;
    }
};

// Each outcome in a window of its own that takes key status; a new one replaces the last; OK
// closes it and Release Notes opens the notes in the browser.
TEST_F(AlertWindow, EachOutcomeShowsInAKeyWindowWithItsButtons) {
    SPUStandardUserDriver driver(hostBundle("1.2"));
    driver.showUpdateFound(newer());
    auto found = driver.alertWindow();
    ASSERT_TRUE(found);
    EXPECT_TRUE(found->isKeyWindow());
    EXPECT_EQ(found->title(), "Software Update");
    EXPECT_EQ(found->messageText(), "A new version of Vantrel Zellow is available!");
    EXPECT_NE(found->informativeText().find("Vantrel Zellow 1.3 is now available"), std::string::npos);
    EXPECT_NE(found->informativeText().find("you have 1.2"), std::string::npos);
    EXPECT_EQ(titles(*found), (std::vector<std::string>{"OK", "Release Notes"}));
    found->buttons()[1]->performClick();
    Dispatch::RunLoop::main().runUntilIdle();
    ASSERT_EQ(AppKit::NSWorkspace::shared().openedURLs().size(), 1u);
    EXPECT_EQ(AppKit::NSWorkspace::shared().openedURLs()[0].absoluteString(), "https://example.com/notes/1.3.html");
    EXPECT_TRUE(found->isVisible()) << "the notes open beside the window";

    Sparkle::SUAppcastItem same;
    same.displayVersionString = "1.2";
    driver.showUpdateNotFound(same);
    EXPECT_FALSE(found->isVisible()) << "replaced";
    auto upToDate = driver.alertWindow();
    ASSERT_TRUE(upToDate);
    EXPECT_EQ(upToDate->messageText(), "You\u2019re up to date!");
    EXPECT_EQ(upToDate->informativeText(), "Vantrel Zellow 1.2 is currently the newest version available.");
    EXPECT_EQ(titles(*upToDate), std::vector<std::string>{"OK"});
    upToDate->buttons()[0]->performClick();
    EXPECT_FALSE(upToDate->isVisible());
    EXPECT_EQ(driver.alertWindow(), nullptr);

    driver.showUpdaterError(Foundation::NSError(Sparkle::SUSparkleErrorDomain, Sparkle::SUDownloadError, "The update feed could not be loaded: refused."));
    auto error = driver.alertWindow();
    ASSERT_TRUE(error);
    EXPECT_EQ(error->messageText(), "Update Error!");
    EXPECT_EQ(error->informativeText(), "The update feed could not be loaded: refused.");
    // Return and Escape close it, as the default button would.
    AppKit::NSApplication::shared().sendEvent(AppKit::NSEvent::keyEvent(AppKit::EventType::keyDown, {}, {}, 0, error, "\x1b", "\x1b",
                                                                        false, AppKit::KeyCode::escape));
    EXPECT_FALSE(error->isVisible());
}

// The notes' link comes from the feed: only a web page gets the button (and the sentence that
// points to it); another scheme would start whatever the desktop runs for it.
TEST_F(AlertWindow, OnlyWebLinksOpenTheReleaseNotes) {
    struct Case {
        const char* link;
        bool opens;
    } cases[] = {
        {"https://example.com/notes/1.3.html", true},
        {"HTTP://example.com/notes/", true},
        {"x-hostile-scheme://run?cmd=touch%20/tmp/owned", false},
        {"vantrelzellow://openAndUpdate", false},
        {"file:///etc/passwd", false},
        {"javascript:alert(1)", false},
        {"mailto:someone@example.com", false},
        {"https:no-host", false},
    };
    SPUStandardUserDriver driver(hostBundle("1.2"));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.link);
        Sparkle::SUAppcastItem item = newer();
        item.releaseNotesURL = Foundation::URL::fromString(c.link);
        ASSERT_TRUE(item.releaseNotesURL);
        driver.showUpdateFound(item);
        auto w = driver.alertWindow();
        ASSERT_TRUE(w);
        const std::vector<std::string> buttons = c.opens ? std::vector<std::string>{"OK", "Release Notes"} : std::vector<std::string>{"OK"};
        EXPECT_EQ(titles(*w), buttons);
        EXPECT_EQ(w->informativeText().find("release notes") != std::string::npos, c.opens) << w->informativeText();
        AppKit::NSWorkspace::shared().clearOpenedURLs();
        w->showReleaseNotes();  // as the action would, button or not
        Dispatch::RunLoop::main().runUntilIdle();
        EXPECT_EQ(AppKit::NSWorkspace::shared().openedURLs().size(), c.opens ? 1u : 0u);
        EXPECT_EQ(UpdateAlertWindow::make("m", "i", item.releaseNotesURL)->releaseNotesURL().has_value(), c.opens);
    }
}

// A failure's explanation wraps between words, never inside the address it names: each address
// is drawn whole on one line (one longer than the line overflows it), and every line lies
// above the buttons.
TEST_F(AlertWindow, AnAddressInTheExplanationIsNeverBrokenOverTwoLines) {
    const std::string longPath = "/feeds/vantrel-zellow/stable/channels/everyone/appcast-with-a-very-long-name.xml";
    struct Case {
        std::string explanation, address;
    } cases[] = {
        {"The update feed could not be loaded: Could not resolve host: updates.example.com "
         "(https://updates.example.com/appcast.xml)",
         "(https://updates.example.com/appcast.xml)"},
        {"The update feed could not be loaded: Failed to connect to 127.0.0.1 port 8443 after 0 ms: Couldn't connect to "
         "server (https://127.0.0.1:8443/feeds/appcast.xml)",
         "(https://127.0.0.1:8443/feeds/appcast.xml)"},
        {"The update feed could not be loaded: Could not resolve host: updates.example.com (https://updates.example.com" + longPath +
             ")",
         "(https://updates.example.com" + longPath + ")"},
    };
    // With the application's icon beside the texts, as in the application, and without.
    const std::string app = path("Iconic.app");
    std::filesystem::create_directories(app + "/Contents/Resources/Assets");
    std::ofstream(app + "/Contents/Info.plist")
        << "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>CFBundleIconName</key><string>AppIcon</string></dict></plist>";
    CoreGraphics::CGContext icon({64, 64});
    icon.setFillColor(CoreGraphics::CGColor::hex(0x5b3a9e));
    icon.fill(CoreGraphics::CGRect{0, 0, 64, 64});
    ASSERT_TRUE(icon.makeImage()->writePNG(app + "/Contents/Resources/Assets/AppIcon.png"));
    struct MainBundle {
        explicit MainBundle(std::shared_ptr<Foundation::Bundle> b) { Foundation::Bundle::setMain(std::move(b)); }
        ~MainBundle() { Foundation::Bundle::setMain(nullptr); }
    };
    SPUStandardUserDriver driver(hostBundle("1.2"));
    for (const bool withIcon : {true, false}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(c.explanation + (withIcon ? " (with the icon)" : " (no icon)"));
            MainBundle main(withIcon ? Foundation::Bundle::withPath(app) : nullptr);
            ASSERT_EQ(AppKit::NSApplication::shared().applicationIconImage() != nullptr, withIcon);
            driver.showUpdaterError(Foundation::NSError(Sparkle::SUSparkleErrorDomain, Sparkle::SUDownloadError, c.explanation));
            auto w = driver.alertWindow();
            ASSERT_TRUE(w);
            auto view = w->contentView();
            CoreGraphics::CGContext ctx(view->bounds().size);
            {
                CoreGraphics::CGContext::CurrentScope scope(&ctx);
                view->displayInCurrentContext();
            }
            const CoreGraphics::Op::Text* drawn = nullptr;
            for (auto* t : ctx.displayList().all<CoreGraphics::Op::Text>())
                if (t->text.string() == c.explanation) drawn = t;
            ASSERT_TRUE(drawn);
            const auto lines = CoreGraphics::TextLayout::lines(drawn->text, drawn->box.width());
            std::string shown;
            for (const auto& l : lines) shown += "[" + l + "]";
            EXPECT_GT(lines.size(), 1u) << shown;
            EXPECT_EQ(std::count_if(lines.begin(), lines.end(), [&](const std::string& l) { return l.find(c.address) != std::string::npos; }), 1)
                << shown;
            const auto text = CoreGraphics::TextLayout::boundingRect(drawn->text, drawn->box);
            for (auto& b : w->buttons()) EXPECT_LE(text.maxY(), b->frame().minY()) << b->title();
        }
    }
}

// The outcomes as the user sees them, in the application's dark appearance.
TEST_F(AlertWindow, PictureSheet) {
    AppKit::NSApplication::shared().setAppearance(AppKit::NSAppearance::named(AppKit::NSAppearance::darkAqua));
    SPUStandardUserDriver driver(hostBundle("1.2"));
    std::vector<std::shared_ptr<CoreGraphics::CGImage>> pictures;
    Sparkle::SUAppcastItem same;
    same.displayVersionString = "1.2";
    auto picture = [&] {
        driver.alertWindow()->setBackingScaleFactor(2);
        pictures.push_back(driver.alertWindow()->snapshot());
    };
    driver.showUpdateFound(newer());
    picture();
    driver.showUpdateNotFound(same);
    picture();
    driver.showUpdaterError(Foundation::NSError(Sparkle::SUSparkleErrorDomain, Sparkle::SUAppcastParseError,
                                                "The update feed is not a well-formed document (mismatched tag at line 3, column 14)."));
    picture();
    driver.showUpdaterError(Foundation::NSError(Sparkle::SUSparkleErrorDomain, Sparkle::SUDownloadError,
                                                "The update feed could not be loaded: Could not resolve host: updates.example.com "
                                                "(https://updates.example.com/appcast.xml)"));
    picture();

    const double scale = 2, gap = 16;
    double width = gap, height = 0;
    for (auto& p : pictures) {
        ASSERT_GT(p->width(), 0);
        width += p->width() / scale + gap;
        height = std::max(height, p->height() / scale);
    }
    CoreGraphics::CGContext sheet({width, height + 2 * gap}, true, scale);
    sheet.setFillColor(CoreGraphics::CGColor::hex(0x0d0e10));
    sheet.fill(CoreGraphics::CGRect{0, 0, width, height + 2 * gap});
    double x = gap;
    for (auto& p : pictures) {
        const CoreGraphics::CGSize size{p->width() / scale, p->height() / scale};
        sheet.draw(CoreGraphics::ImageAsset::fromBitmap("", p, scale), {x, gap, size.width, size.height});
        x += size.width + gap;
    }
    const std::string path = std::string(VZ_BINARY_DIR) + "/snapshots/sparkle-alerts.png";
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::string error;
    ASSERT_TRUE(sheet.makeImage()->writePNG(path, &error)) << error;
}

}  // namespace
