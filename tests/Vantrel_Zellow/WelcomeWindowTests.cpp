#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "AppKit/NSEvent.hpp"
#include "AppKit/NSWindow.hpp"
#include "Observation/Observation.hpp"
#include "AppTestSupport.hpp"
#include "CoreGraphics/CGImage.hpp"
#include "CoreGraphics/FontRegistry.hpp"
#include "Pellicot/KitLinks.hpp"
#include "SwiftUI/Color.hpp"
#include "SwiftUI/Font.hpp"
#include "SwiftUI/Text.hpp"
#include "TestSupport/ScratchDirectory.hpp"
#include "Vantrel_Zellow/AppColor.hpp"
#include "Vantrel_Zellow/ContentView.hpp"
#include "Vantrel_Zellow/ContentViewShader.hpp"
#include "Vantrel_Zellow/WelcomeLinks.hpp"

namespace {

using AppTest::AppTest;
using SwiftUI::Font;
using SwiftUI::RenderNode;
using WelcomeWindow = AppTest;

const RenderNode& found(const RenderNode* n, const std::string& what) {
    if (!n) throw std::runtime_error("not in the window: " + what);
    return *n;
}

// Where everything is, in the window's 400 x 572 points (y down): the header on top, the button
// row 14 points over the bottom, the spacers sharing the rest; in what font and colour.
TEST_F(WelcomeWindow, LaysOutTheHeaderTextsLogoAndButtons) {
    launch();
    const auto& t = tree();
    const auto text = SwiftUI::Color(Vantrel_Zellow::AppColor::buttonText()).resolved();
    const auto rounded = [](double size, Font::Weight w) { return Font::system(size, w, Font::Design::rounded); };

    const auto& background = found(t.find([](const RenderNode& n) { return n.kind == RenderNode::Kind::color; }), "background");
    EXPECT_EQ(background.frame, (CoreGraphics::CGRect{0, 0, 400, 572}));
    EXPECT_EQ(background.shape.fill->resolved(), SwiftUI::Color(Vantrel_Zellow::AppColor::background()).resolved());

    const auto& shader = found(t.find([](const RenderNode& n) { return n.kind == RenderNode::Kind::hostedView; }), "header");
    EXPECT_EQ(shader.frame, (CoreGraphics::CGRect{0, 0, 400, 300}));
    ASSERT_TRUE(header());
    EXPECT_EQ(header()->renderer()->name(), "Main");

    // The title over the shader, centred in the header, white in Rocket 36.
    const auto& title = found(t.findText("Vantrel Zellow"), "title");
    EXPECT_EQ(t.layerOf(&title), 1) << "drawn over the header";
    EXPECT_EQ(title.font, Font::custom("Rocket", 36));
    EXPECT_FALSE(CoreGraphics::FontRegistry::resolve(title.font.resolved()).fallback) << "the kit's face, not a stand-in";
    EXPECT_EQ(title.color.resolved(), SwiftUI::Color::white().resolved());
    EXPECT_NEAR(title.frame.midX(), 200, 1);
    EXPECT_NEAR(title.frame.midY(), 150, 1);
    // Three shadows, applied in order, each over the composite so far (outermost last).
    std::vector<SwiftUI::Shadow> shadows;
    for (auto* n : t.findAll([](const RenderNode& n) { return !n.shadows.empty(); })) shadows.push_back(n->shadows[0]);
    ASSERT_EQ(shadows.size(), 3u);
    const auto violet = CoreGraphics::CGColor::displayP3(0.0485, 0.0245, 0.1257);
    const double opacity[] = {0.3, 0.4, 0.4}, radius[] = {4, 1, 0}, y[] = {4, 2, 1};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(shadows[i].color.resolved(), violet.withAlpha(opacity[i])) << i;
        EXPECT_EQ(shadows[i].radius, radius[i]) << i;
        EXPECT_EQ(shadows[i].x, 0) << i;
        EXPECT_EQ(shadows[i].y, y[i]) << i;
    }

    const std::vector<std::string> lines = {"Vantrel Zellow is now available as an Audio Unit.", "Keep this app in your applications folder.",
                                            "To use Vantrel Zellow, insert it as", "a MIDI plugin on an instrument track.", "1.0.0 (1)"};
    const Font fonts[] = {rounded(15, Font::Weight::bold), rounded(15, Font::Weight::bold), rounded(12, Font::Weight::medium),
                          rounded(12, Font::Weight::medium), rounded(12, Font::Weight::medium)};
    double last = 300;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto& line = found(t.findText(lines[i]), lines[i]);
        EXPECT_EQ(line.font, fonts[i]) << lines[i];
        EXPECT_EQ(line.color.resolved(), text) << lines[i];
        EXPECT_NEAR(line.frame.midX(), 200, 1) << lines[i];
        EXPECT_LE(line.frame.size.width, 368) << "one line within the padding: " << lines[i];
        EXPECT_GT(line.frame.minY(), last) << lines[i];
        last = line.frame.maxY();
    }
    EXPECT_EQ(found(t.findText(lines[1]), "").frame.minY() - found(t.findText(lines[0]), "").frame.maxY(), 1) << "lines 1 apart";
    EXPECT_EQ(found(t.findText(lines[2]), "").frame.minY() - found(t.findText(lines[1]), "").frame.maxY(), 16) << "blocks 16 apart";

    const auto& logo = found(t.findImage("window-quorvane"), "logo");
    EXPECT_EQ(logo.frame.size, (CoreGraphics::CGSize{224, 52})) << "at its own size";
    EXPECT_EQ(logo.color.resolved(), text);
    EXPECT_NEAR(logo.frame.midX(), 200, 1);
    EXPECT_GT(logo.frame.minY(), last);
    // The two spacers share what is left: above the text and below the logo.
    const double above = found(t.findText(lines[0]), "").frame.minY() - 16 - 300;
    const double below = 534 - logo.frame.maxY();
    EXPECT_NEAR(above, below, 1);

    const auto& help = found(t.findText("Help"), "Help");
    const auto& site = found(t.findText("Quorvane Website"), "Quorvane Website");
    EXPECT_EQ(help.font, rounded(12, Font::Weight::bold));
    for (const auto* label : {&help, &site}) {
        EXPECT_EQ(label->frame.minY(), 534 + (24 - label->frame.size.height) / 2) << label->text;
        EXPECT_LE(label->frame.size.width, 180);
    }
    auto bezels = t.findAll([](const RenderNode& n) { return n.imageName == "kvu-button"; });
    ASSERT_EQ(bezels.size(), 2u);
    EXPECT_EQ(bezels[0]->frame.minY(), 534);
    EXPECT_EQ(bezels[0]->frame.maxY(), 558);
    EXPECT_NEAR(bezels[0]->frame.midX(), 104, 1) << "the label frame x 14...194";
    EXPECT_NEAR(bezels[1]->frame.midX(), 296, 1) << "the label frame x 206...386";
    EXPECT_LT(help.frame.midX(), site.frame.midX()) << "Help on the left";
}

// The buttons open their pages in the browser.
TEST_F(WelcomeWindow, TheButtonsOpenTheHelpPageAndTheWebsite) {
    launch();
    auto w = mainWindow();
    auto click = [&](const std::string& label) {
        const auto& n = found(tree().findText(label), label);
        const CoreGraphics::CGPoint at = hosting()->convertTo(CoreGraphics::CGPoint{n.frame.midX(), n.frame.midY()}, nullptr);
        for (auto type : {AppKit::EventType::leftMouseDown, AppKit::EventType::leftMouseUp}) {
            AppKit::NSApplication::shared().sendEvent(AppKit::NSEvent::mouseEvent(type, at, {}, 0, w, 1));
            drain();
        }
    };
    click("Help");
    click("Quorvane Website");
    const auto opened = AppKit::NSWorkspace::shared().openedURLs();
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[0], Vantrel_Zellow::welcomeHelpURL());
    EXPECT_EQ(opened[0].path(), "/help/vantrelzellow/welcome/");
    EXPECT_EQ(opened[0].scheme(), "https");
    EXPECT_EQ(opened[1], Pellicot::KitLinks::quorvaneSite());
}

// The product's name is an argument of the sentences, so a translation can move it.
TEST_F(WelcomeWindow, TheProductNameMovesWithTheTranslation) {
    SwiftUI::Text::setLocalizer([](const std::string& key) -> std::string {
        if (key == "%@ is now available as an Audio Unit.") return "Ab sofort als Audio Unit: %@.";
        if (key == "To use %@, insert it as") return "F\u00fcgen Sie %@ als";
        return key;
    });
    launch();
    SwiftUI::Text::setLocalizer(nullptr);
    EXPECT_TRUE(tree().findText("Ab sofort als Audio Unit: Vantrel Zellow."));
    EXPECT_TRUE(tree().findText("F\u00fcgen Sie Vantrel Zellow als"));
    EXPECT_TRUE(tree().findText("Vantrel Zellow")) << "the title is verbatim";
}

class VersionLine : public TestSupport::ScratchDirectoryTest {};

TEST_F(VersionLine, ShortVersionAndBuildInParentheses) {
    struct Case {
        const char* entries;
        const char* line;
    } cases[] = {
        {"<key>CFBundleShortVersionString</key><string>1.2</string><key>CFBundleVersion</key><string>34</string>", "1.2 (34)"},
        {"", " ()"},
        {"<key>CFBundleShortVersionString</key><string>1.2</string>", "1.2 ()"},
        {"<key>CFBundleVersion</key><integer>34</integer>", " ()"},
    };
    int n = 0;
    for (const auto& c : cases) {
        const std::string dir = path("B" + std::to_string(++n) + ".app");
        std::filesystem::create_directories(dir + "/Contents");
        std::ofstream(dir + "/Contents/Info.plist") << "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict>" << c.entries << "</dict></plist>";
        EXPECT_EQ(Vantrel_Zellow::ContentView::versionLine(Foundation::Bundle::withPath(dir).get()), c.line) << c.entries;
    }
    EXPECT_EQ(Vantrel_Zellow::ContentView::versionLine(nullptr), " ()");
}

// The window as a person sees it, the header a second into its animation.
TEST_F(WelcomeWindow, Picture) {
    launch();
    mainWindow()->setBackingScaleFactor(2);
    loop().advance(1.0);
    drain();
    auto picture = mainWindow()->snapshot();
    ASSERT_EQ(picture->width(), 800);
    ASSERT_EQ(picture->height(), 1144);
    const std::string path = std::string(VZ_BINARY_DIR) + "/snapshots/app-window.png";
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::string error;
    ASSERT_TRUE(picture->writePNG(path, &error)) << error;
    // The title shows over the header: white in the middle of its letters.
    const auto& title = found(tree().findText("Vantrel Zellow"), "title");
    int white = 0;
    for (int x = int(title.frame.minX() * 2); x < int(title.frame.maxX() * 2); ++x) {
        const auto c = picture->pixel(x, int(title.frame.midY() * 2));
        if (c.r > 0.95 && c.g > 0.95 && c.b > 0.95) ++white;
    }
    EXPECT_GT(white, 40);
}

// Every update of the SwiftUI layout asks the header for one more frame: a header standing
// still behind another key window still redraws once when the layout around it changes.
using WelcomeHeader = TestSupport::VirtualTimeTest;
TEST_F(WelcomeHeader, EachLayoutUpdateDrawsTheHeaderOnceMore) {
    struct Around {
        std::shared_ptr<Observation::Observed<int>> tick;
        SwiftUI::AnyView body() const {
            (void)tick->get();
            return SwiftUI::AnyView(Vantrel_Zellow::ContentViewShader());
        }
    };
    auto tick = std::make_shared<Observation::Observed<int>>(0);
    auto hosting = SwiftUI::NSHostingView::make(SwiftUI::AnyView(Around{tick}));
    auto window = AppKit::NSWindow::make({0, 0, 300, 300});
    window->setContentView(hosting);
    hosting->setFrame({0, 0, 300, 300});
    window->makeKeyAndOrderFront();
    drain();
    auto* node = hosting->graph().renderTree().find([](const RenderNode& n) { return n.kind == RenderNode::Kind::hostedView; });
    ASSERT_TRUE(node && node->hostedView);
    auto controller = std::dynamic_pointer_cast<TessikShaders::MetalShaderViewController>(node->hostedView->viewController());
    ASSERT_TRUE(controller && controller->metalKitView());
    auto view = controller->metalKitView();
    AppKit::NSWindow::make({400, 0, 50, 50})->makeKeyAndOrderFront();
    ASSERT_TRUE(view->isPaused());
    loop().advance(1.0);
    const auto frames = view->framesDrawn();
    loop().advance(1.0);
    EXPECT_EQ(view->framesDrawn(), frames) << "paused";
    tick->set(1);
    drain();
    EXPECT_EQ(view->framesDrawn(), frames + 1) << "the update asked for one frame";
    window->close();
    AppKit::NSApplication::shared().resetForTesting();
}

}  // namespace
