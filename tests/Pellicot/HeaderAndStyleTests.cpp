#include <gtest/gtest.h>

#include "AppKit/NSWorkspace.hpp"
#include "Foundation/Locale.hpp"
#include "Pellicot/KitLinks.hpp"
#include "Pellicot/ModernButtonStyle.hpp"
#include "Pellicot/PluginHeaderView.hpp"
#include "Pellicot/SettingsButtonStyle.hpp"
#include "Pellicot/UpdateButtonStyle.hpp"
#include "KitTestSupport.hpp"
#include "SwiftUI/SwiftUI.hpp"
#include "TestSupport/MainLoop.hpp"

namespace {

using namespace Pellicot;
using namespace KitTest;
using namespace SwiftUI;

class KitHeader : public TestSupport::VirtualTimeTest {
protected:
    void SetUp() override {
        VirtualTimeTest::SetUp();
        AppKit::NSWorkspace::shared().clearOpenedURLs();
    }
    static Foundation::URL updateURL() { return *Foundation::URL::fromString("vantrelzellow://openAndUpdate"); }
    static std::shared_ptr<AudioParameter> tabs(std::optional<std::vector<std::string>> titles, float value = 0) {
        return parameter(Unit::indexed, 0, 3, value, ValueIncrement::linear(), std::move(titles), "Tab");
    }
    static std::unique_ptr<ViewGraph> show(PluginHeaderView header, CGSize size = {640, 46}) {
        auto g = std::make_unique<ViewGraph>(AnyView(std::move(header)), size);
        g->update();
        return g;
    }
    static std::vector<Foundation::URL> opened() { return AppKit::NSWorkspace::shared().openedURLs(); }
};

TEST_F(KitHeader, VersionLogoAndMenuWithoutTabs) {
    int built = 0;
    auto g = show(PluginHeaderView(updateURL(), "1.0.3", tabs(std::nullopt), PelliFont::rocket, std::nullopt, [&] {
        ++built;
        return AnyView(Text(std::string("Presets")));
    }));
    EXPECT_EQ(built, 1) << "the menu is built once, by the initialiser";
    auto* version = g->renderTree().findText("1.0.3");
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(version->color.assetName(), "versionInfo");
    EXPECT_EQ(version->font, Font::custom("Rocket", 13));
    auto* menu = g->renderTree().findText("Presets");
    auto* logo = g->renderTree().findImage("quorvane-logo");
    ASSERT_NE(menu, nullptr);
    ASSERT_NE(logo, nullptr);
    EXPECT_EQ(logo->frame.minX(), 8) << "8 points in from the leading edge";
    EXPECT_NEAR(menu->frame.maxX(), 640 - 16, 1e-9) << "16 points in from the trailing edge";
    EXPECT_LT(version->frame.maxX(), menu->frame.minX());
    EXPECT_EQ(g->renderTree().texts(), (std::vector<std::string>{"1.0.3", "Presets"}));
    ASSERT_TRUE(g->clickImage("quorvane-logo"));
    EXPECT_EQ(opened(), (std::vector<Foundation::URL>{KitLinks::quorvaneSite()}));
}

TEST_F(KitHeader, IsFortySixPointsHighWhateverItIsOffered) {
    for (CGSize size : {CGSize{640, 46}, CGSize{400, 300}, CGSize{900, 20}}) {
        auto g = show(PluginHeaderView(updateURL(), "1.0", tabs(std::vector<std::string>{"One", "Two"}), PelliFont::rocket,
                                       UpdateAvailableDetails{"2.0"}),
                      size);
        EXPECT_EQ(g->sizeThatFits(ProposedViewSize::of(size)).height, 46) << size.width << "x" << size.height;
        auto* background = g->renderTree().find([](const RenderNode& n) {
            return n.kind == RenderNode::Kind::color && n.color.assetName() == "background";
        });
        ASSERT_NE(background, nullptr);
        EXPECT_EQ(background->frame.height(), 46);
        EXPECT_EQ(background->frame.width(), size.width);
    }
}

TEST_F(KitHeader, AnAnnouncedUpdateReplacesTheVersion) {
    auto g = show(PluginHeaderView(updateURL(), "1.0.3", tabs(std::nullopt), PelliFont::dosisLight, UpdateAvailableDetails{"1.2.0"}));
    EXPECT_EQ(g->renderTree().findText("1.0.3"), nullptr);
    auto* label = g->renderTree().findText("1.2.0 AVAILABLE");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->font, Font::custom("Rocket", 13));
    EXPECT_EQ(label->color.assetName(), "background");
    auto* badge = g->renderTree().find([](const RenderNode& n) { return n.kind == RenderNode::Kind::shape; });
    ASSERT_NE(badge, nullptr);
    EXPECT_EQ(badge->shape.fill->assetName(), "updateBackground");
    EXPECT_EQ(badge->shape.cornerSize, (CGSize{4, 4}));
    EXPECT_NEAR(badge->frame.width() - label->frame.width(), 8, 1e-9);
    EXPECT_NEAR(badge->frame.height() - label->frame.height(), 2, 1e-9);
    ASSERT_TRUE(g->clickText("1.2.0 AVAILABLE"));
    EXPECT_EQ(opened(), (std::vector<Foundation::URL>{updateURL()})) << "the update link, not the maker's site";
}

TEST_F(KitHeader, TabsShowTheSelectedValueAndSelectWithOneChange) {
    auto p = tabs(std::vector<std::string>{"Main", "Steps"}, 1);
    auto g = show(PluginHeaderView(updateURL(), "1.0", p, PelliFont::dosisMedium, std::nullopt));
    auto* main = g->renderTree().findText("MAIN");
    auto* steps = g->renderTree().findText("STEPS");
    ASSERT_NE(main, nullptr);
    ASSERT_NE(steps, nullptr);
    EXPECT_EQ(main->color.assetName(), "tabUnselected");
    EXPECT_EQ(steps->color.assetName(), "tabSelected");
    EXPECT_EQ(main->font, Font::custom("Dosis-Medium", 16));
    EXPECT_NEAR(steps->frame.minX() - main->frame.maxX(), 24, 1e-9);
    EXPECT_NEAR((main->frame.minX() + steps->frame.maxX()) / 2, (8 + 640 - 16) / 2.0, 1e-9) << "centred inside the padding";
    ASSERT_TRUE(g->clickText("MAIN"));
    EXPECT_EQ(writes(*p), (Writes{{0, Event::value}}));
    EXPECT_EQ(g->renderTree().findText("MAIN")->color.assetName(), "tabSelected");
}

TEST_F(KitHeader, AValueBetweenTabsSelectsNone) {
    auto g = show(PluginHeaderView(updateURL(), "1.0", tabs(std::vector<std::string>{"A", "B"}, 0.5f), PelliFont::rocket, std::nullopt));
    EXPECT_EQ(g->renderTree().findText("A")->color.assetName(), "tabUnselected");
    EXPECT_EQ(g->renderTree().findText("B")->color.assetName(), "tabUnselected");
}

TEST_F(KitHeader, TabTitlesAreUpperCasedInTheUsersLanguage) {
    Foundation::Locale::setCurrent(Foundation::Locale("tr_TR"));
    auto g = show(PluginHeaderView(updateURL(), "1.0", tabs(std::vector<std::string>{"izler", "izler"}), PelliFont::rocket,
                                   UpdateAvailableDetails{"1.1 beta i"}));
    Foundation::Locale::resetCurrent();
    EXPECT_EQ(g->renderTree().texts(), (std::vector<std::string>{"İZLER", "İZLER", "1.1 BETA I AVAILABLE"}))
        << "tabs follow the locale, the update notice does not; a repeated title still shows";
}

// Styles are checked on bodies made from hand-made configurations.
std::unique_ptr<ViewGraph> styled(const ButtonStyle& style, bool pressed) {
    auto g = std::make_unique<ViewGraph>(style.makeBody({AnyView(Text(std::string("LABEL"))), pressed}), CGSize{200, 60});
    g->update();
    return g;
}

TEST(KitButtonStyles, ModernPicksItsBezelAndLabelColour) {
    struct Case {
        bool on, pressed;
        std::string image;
    };
    for (const auto& c : std::vector<Case>{{false, false, "modern-button"},
                                           {true, false, "modern-button-on"},
                                           {false, true, "modern-button-down"},
                                           {true, true, "modern-button-on-down"}}) {
        auto g = styled(ModernButtonStyle(c.on, Color::green()), c.pressed);
        auto* image = g->renderTree().findImage(c.image);
        ASSERT_NE(image, nullptr) << c.image;
        EXPECT_EQ(image->frame.size, (CGSize{88, 27})) << "aspect kept at a height of 27";
        auto* label = g->renderTree().findText("LABEL");
        if (c.on)
            EXPECT_EQ(label->color, Color::green());
        else
            EXPECT_EQ(label->color.assetName(), "buttonText") << "the colour is ignored when off";
        EXPECT_EQ(label->frame.midY() - label->layoutFrame.midY(), 2);
        EXPECT_EQ(label->font, Font::body()) << "the style sets no font";
    }
}

TEST(KitButtonStyles, SettingsMovesOnlyTheDisplayFaceDown) {
    for (PelliFont font : {PelliFont::rocket, PelliFont::dosisLight, PelliFont::dosisMedium}) {
        auto g = styled(SettingsButtonStyle(font), false);
        EXPECT_NE(g->renderTree().findImage("settings-button"), nullptr);
        auto* label = g->renderTree().findText("LABEL");
        EXPECT_EQ(label->frame.midY() - label->layoutFrame.midY(), font == PelliFont::rocket ? 2 : 0);
        EXPECT_EQ(label->color.assetName(), "buttonText");
    }
    EXPECT_NE(styled(SettingsButtonStyle(PelliFont::rocket), true)->renderTree().findImage("settings-button-down"), nullptr);
}

TEST(KitButtonStyles, UpdateBadgeDimsWhilePressed) {
    auto released = styled(UpdateButtonStyle(), false);
    auto pressed = styled(UpdateButtonStyle(), true);
    EXPECT_EQ(released->renderTree().findText("LABEL")->opacity, 1.0);
    EXPECT_DOUBLE_EQ(pressed->renderTree().findText("LABEL")->opacity, 0.8);
    auto* badge = pressed->renderTree().find([](const RenderNode& n) { return n.kind == RenderNode::Kind::shape; });
    ASSERT_NE(badge, nullptr);
    EXPECT_DOUBLE_EQ(badge->opacity, 0.8);
    EXPECT_TRUE(badge->shape.continuousCorners);
}

}  // namespace
