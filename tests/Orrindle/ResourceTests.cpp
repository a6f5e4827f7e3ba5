#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>

#include "CoreGraphics/AssetCatalog.hpp"
#include "Foundation/ModuleResourceBundle.hpp"
#include "Orrindle/Resources/BundleFinder.hpp"
#include "Orrindle/Resources/ColorResources.hpp"
#include "Orrindle/Resources/ImageResources.hpp"
#include "Orrindle/Resources/ModuleBundle.hpp"
#include "Orrindle/Resources/ODColors.hpp"
#include "Orrindle/Resources/ODColorsAK.hpp"
#include "Orrindle/Resources/ODImages.hpp"
#include "Orrindle/Resources/ODImagesAK.hpp"

namespace {

using namespace Orrindle;

TEST(KitBundle, IsFoundBesideTheKitsCodeOnce) {
    const auto& bundle = ModuleBundle::module();
    ASSERT_NE(bundle, nullptr);
    EXPECT_EQ(bundle->bundleURL().lastPathComponent(), "Orrindle_Orrindle.bundle");
    // Found once and kept: a kit bundle that turns up later where the search looks first is
    // not taken.
    const std::shared_ptr<Foundation::Bundle> firstRead = bundle;
    const auto later = std::filesystem::temp_directory_path() / ("vz-kit-bundle-" + std::to_string(::getpid()));
    std::filesystem::create_directories(later / "Resources" / "Orrindle_Orrindle.bundle");
    const auto main = Foundation::Bundle::main();
    Foundation::Bundle::setMain(Foundation::Bundle::withPath(later.string()));
    EXPECT_EQ(ModuleBundle::module(), firstRead);
    Foundation::Bundle::setMain(main);
    std::filesystem::remove_all(later);
    auto candidates = Foundation::ModuleResourceBundle::candidateDirectories(BundleFinder::bundle());
    ASSERT_EQ(candidates.size(), 3u);
    EXPECT_EQ(candidates[1], BundleFinder::bundle()->resourceURL());
    EXPECT_EQ(Foundation::ModuleResourceBundle::fileName("Orrindle"), "Orrindle_Orrindle.bundle");
}

TEST(KitBundleDeathTest, AMissingBundleStopsTheProgramAtTheFirstAssetRead) {
    EXPECT_DEATH(
        {
            ::execl(VZ_ORRINDLE_PROBE, VZ_ORRINDLE_PROBE, static_cast<char*>(nullptr));
            std::fprintf(stderr, "the probe could not be started\n");
            std::_Exit(0);
        },
        "unable to find bundle named Orrindle_Orrindle");
}

TEST(KitAssets, TheCatalogueHoldsExactlyTheNamedAssets) {
    auto catalog = CoreGraphics::AssetCatalog::forBundle(*ModuleBundle::module());
    EXPECT_TRUE(catalog->problems().empty());
    std::set<std::string> colours, images;
    for (const auto& r : ColorResources::all()) {
        EXPECT_EQ(r.bundle, ModuleBundle::module());
        colours.insert(r.name);
    }
    for (const auto& r : ImageResources::all()) {
        auto image = catalog->findImage(r.name);
        ASSERT_NE(image, nullptr) << r.name;
        EXPECT_FALSE(image->isEmpty()) << r.name;
        EXPECT_FALSE(image->representations().empty()) << r.name << " has pixels";
        images.insert(r.name);
    }
    EXPECT_EQ(colours.size(), 21u);
    EXPECT_EQ(images.size(), 52u);
    const auto names = catalog->colorNames();
    EXPECT_EQ(std::set<std::string>(names.begin(), names.end()), colours);
    const auto files = catalog->imageNames();
    EXPECT_EQ(std::set<std::string>(files.begin(), files.end()), images);
}

TEST(KitAssets, ControlsLayOutByTheseNominalSizes) {
    auto catalog = CoreGraphics::AssetCatalog::forBundle(*ModuleBundle::module());
    struct Case {
        const char* name;
        CoreGraphics::CGFloat width, height;  // width 0: any
    };
    for (const auto& c : std::vector<Case>{{"kvu-button", 180, 24},       {"kvu-popup", 0, 24},
                                           {"kvu-popdown-down", 0, 24},    {"kvu-popup-tool", 0, 24},
                                           {"kvu-window-tab", 0, 24},      {"kvu-textfield", 0, 22},
                                           {"kvu-textfield-error", 0, 22}, {"kvu-searchfield", 0, 22},
                                           {"kvu-checkbox", 14, 14},       {"kvu-checkbox-mixed-down", 14, 14},
                                           {"kvu-slider-handle", 12, 12},  {"corner-tool-background", 24, 24},
                                           {"corner-tool-more", 24, 24}}) {
        const auto size = catalog->image(c.name)->size();
        if (c.width > 0) {
            EXPECT_EQ(size.width, c.width) << c.name;
        }
        EXPECT_EQ(size.height, c.height) << c.name;
    }
    EXPECT_TRUE(catalog->image("window-quorvane")->isTemplate()) << "the window tints the logo";
    EXPECT_TRUE(catalog->image("corner-tool-more")->isTemplate()) << "the tool button tints its mark";
}

TEST(KitAssets, NamespaceMembersAreMadeOnceFromTheirAsset) {
    EXPECT_EQ(ODImages::quorvaneLogoBig().name(), "window-quorvane");
    EXPECT_EQ(ODImagesAK::quorvaneLogoBig()->name(), "window-quorvane");
    const SwiftUI::Color firstRead = ODColors::grey85();
    EXPECT_EQ(ODColors::grey85(), firstRead);
    EXPECT_EQ(ODColors::grey85().assetName(), "Grey 85%");
    const AppKit::NSColor::Ptr firstAppKitRead = ODColorsAK::grey85();
    EXPECT_EQ(ODColorsAK::grey85(), firstAppKitRead) << "the same object";
    EXPECT_EQ(ODColorsAK::grey85()->name(), "Grey 85%");
    EXPECT_EQ(ODColorsAK::grey85()->cgColor(), ODColors::grey85().resolved()) << "made through the SwiftUI colour";
    EXPECT_EQ(ODColorsAK::Background::darkest()->name(), "Background/Darkest");
    EXPECT_EQ(ODColors::Tessik::darkPurple().assetName(), "Tessik/DarkPurple");
    EXPECT_EQ(ODImagesAK::cursorTrackingslider()->name(), "cursor-trackingslider");
    const AppKit::NSImage::Ptr firstImageRead = ODImagesAK::kvuCheckboxOnDown();
    EXPECT_EQ(ODImagesAK::kvuCheckboxOnDown(), firstImageRead);
    EXPECT_EQ(ODImagesAK::kvuTextfieldError()->size(), (CoreGraphics::CGSize{80, 22}));
    EXPECT_EQ(ODImages::kvuButtonDown().name(), "kvu-button-down");
}

// Each colour constant and each namespace member against the asset it is named after.
TEST(KitAssets, EveryColourConstantAndMemberIsItsAsset) {
    using R = ColorResources;
    struct Constant {
        const SwiftUI::ColorResource& (*resource)();
        const char* asset;
    };
    for (const auto& c : std::vector<Constant>{{&R::backgroundDarker, "Background/Darker"},   {&R::backgroundDarkest, "Background/Darkest"},
                                               {&R::backgroundNormal, "Background/Normal"},   {&R::error, "Error"},
                                               {&R::grey100, "Grey 100%"},                    {&R::grey20, "Grey 20%"},
                                               {&R::grey30, "Grey 30%"},                      {&R::grey40, "Grey 40%"},
                                               {&R::grey50, "Grey 50%"},                      {&R::grey60, "Grey 60%"},
                                               {&R::grey70, "Grey 70%"},                      {&R::grey85, "Grey 85%"},
                                               {&R::highlightSystem, "Highlight/System"},     {&R::tessikAqua, "Tessik/Aqua"},
                                               {&R::tessikBlue, "Tessik/Blue"},               {&R::tessikDarkPurple, "Tessik/DarkPurple"},
                                               {&R::tessikLightBlue, "Tessik/LightBlue"},     {&R::tessikOrange, "Tessik/Orange"},
                                               {&R::tessikPurple, "Tessik/Purple"},           {&R::tessikRed, "Tessik/Red"},
                                               {&R::tessikYellow, "Tessik/Yellow"}}) {
        EXPECT_EQ(c.resource().name, c.asset);
        EXPECT_EQ(c.resource().bundle, ModuleBundle::module()) << c.asset;
    }

    struct Member {
        const char* member;
        const SwiftUI::Color& (*colour)();
        const AppKit::NSColor::Ptr& (*nsColour)();
        const char* asset;
    };
    const std::vector<Member> members = {
        {"Background.normal", &ODColors::Background::normal, &ODColorsAK::Background::normal, "Background/Normal"},
        {"Background.darker", &ODColors::Background::darker, &ODColorsAK::Background::darker, "Background/Darker"},
        {"Background.darkest", &ODColors::Background::darkest, &ODColorsAK::Background::darkest, "Background/Darkest"},
        {"Tessik.aqua", &ODColors::Tessik::aqua, &ODColorsAK::Tessik::aqua, "Tessik/Aqua"},
        {"Tessik.blue", &ODColors::Tessik::blue, &ODColorsAK::Tessik::blue, "Tessik/Blue"},
        {"Tessik.darkPurple", &ODColors::Tessik::darkPurple, &ODColorsAK::Tessik::darkPurple, "Tessik/DarkPurple"},
        {"Tessik.lightBlue", &ODColors::Tessik::lightBlue, &ODColorsAK::Tessik::lightBlue, "Tessik/LightBlue"},
        {"Tessik.orange", &ODColors::Tessik::orange, &ODColorsAK::Tessik::orange, "Tessik/Orange"},
        {"Tessik.purple", &ODColors::Tessik::purple, &ODColorsAK::Tessik::purple, "Tessik/Purple"},
        {"Tessik.red", &ODColors::Tessik::red, &ODColorsAK::Tessik::red, "Tessik/Red"},
        {"Tessik.yellow", &ODColors::Tessik::yellow, &ODColorsAK::Tessik::yellow, "Tessik/Yellow"},
        {"grey20", &ODColors::grey20, &ODColorsAK::grey20, "Grey 20%"},
        {"grey30", &ODColors::grey30, &ODColorsAK::grey30, "Grey 30%"},
        {"grey40", &ODColors::grey40, &ODColorsAK::grey40, "Grey 40%"},
        {"grey50", &ODColors::grey50, &ODColorsAK::grey50, "Grey 50%"},
        {"grey60", &ODColors::grey60, &ODColorsAK::grey60, "Grey 60%"},
        {"grey70", &ODColors::grey70, &ODColorsAK::grey70, "Grey 70%"},
        {"grey85", &ODColors::grey85, &ODColorsAK::grey85, "Grey 85%"},
        {"grey100", &ODColors::grey100, &ODColorsAK::grey100, "Grey 100%"},
    };
    for (const auto& m : members) {
        SCOPED_TRACE(m.member);
        EXPECT_EQ(m.colour().assetName(), m.asset);
        EXPECT_EQ(m.colour().resolved(), SwiftUI::Color(m.asset, ModuleBundle::module()).resolved()) << "the kit's colour";
        ASSERT_NE(m.nsColour(), nullptr);
        EXPECT_EQ(m.nsColour()->name(), m.asset);
        EXPECT_EQ(m.nsColour()->cgColor(), m.colour().resolved());
        const AppKit::NSColor::Ptr firstRead = m.nsColour();
        EXPECT_EQ(m.nsColour(), firstRead) << "made once";
    }
}

// Each image constant and each namespace member against the asset it is named after.
TEST(KitAssets, EveryImageConstantAndMemberIsItsAsset) {
    using R = ImageResources;
    struct Constant {
        const SwiftUI::ImageResource& (*resource)();
        const char* asset;
    };
    for (const auto& c : std::vector<Constant>{
             {&R::kvuButton, "kvu-button"},
             {&R::kvuButtonDown, "kvu-button-down"},
             {&R::kvuButtonSelected, "kvu-button-selected"},
             {&R::kvuCheckbox, "kvu-checkbox"},
             {&R::kvuCheckboxDown, "kvu-checkbox-down"},
             {&R::kvuCheckboxMixed, "kvu-checkbox-mixed"},
             {&R::kvuCheckboxMixedDown, "kvu-checkbox-mixed-down"},
             {&R::kvuCheckboxOn, "kvu-checkbox-on"},
             {&R::kvuCheckboxOnDown, "kvu-checkbox-on-down"},
             {&R::kvuCheckerboard, "kvu-checkerboard"},
             {&R::kvuCheckerboardSmall, "kvu-checkerboard-small"},
             {&R::kvuCombobox, "kvu-combobox"},
             {&R::kvuComboboxUp, "kvu-combobox-up"},
             {&R::kvuCustomsliderHandle, "kvu-customslider-handle"},
             {&R::kvuCustomsliderHandleDown, "kvu-customslider-handle-down"},
             {&R::kvuCustomsliderOn, "kvu-customslider-on"},
             {&R::kvuPopdown, "kvu-popdown"},
             {&R::kvuPopdownDown, "kvu-popdown-down"},
             {&R::kvuPopup, "kvu-popup"},
             {&R::kvuPopupDown, "kvu-popup-down"},
             {&R::kvuPopupTool, "kvu-popup-tool"},
             {&R::kvuPopupToolDown, "kvu-popup-tool-down"},
             {&R::kvuSearchfield, "kvu-searchfield"},
             {&R::kvuSearchfieldFocus, "kvu-searchfield-focus"},
             {&R::kvuSlider, "kvu-slider"},
             {&R::kvuSliderAlley, "kvu-slider-alley"},
             {&R::kvuSliderHandle, "kvu-slider-handle"},
             {&R::kvuSliderHandleDown, "kvu-slider-handle-down"},
             {&R::kvuSliderHandleMulti, "kvu-slider-handle-multi"},
             {&R::kvuTextfield, "kvu-textfield"},
             {&R::kvuTextfieldError, "kvu-textfield-error"},
             {&R::kvuTextfieldFocus, "kvu-textfield-focus"},
             {&R::kvuTextfieldTableheader, "kvu-textfield-tableheader"},
             {&R::kvuWindowTab, "kvu-window-tab"},
             {&R::kvuWindowTabDown, "kvu-window-tab-down"},
             {&R::kvuWindowTabSelected, "kvu-window-tab-selected"},
             {&R::cornerToolBackground, "corner-tool-background"},
             {&R::cornerToolBackgroundDown, "corner-tool-background-down"},
             {&R::cornerToolBackgroundSelected, "corner-tool-background-selected"},
             {&R::cornerToolMore, "corner-tool-more"},
             {&R::cursorTrackingslider, "cursor-trackingslider"},
             {&R::organiserIconDisclose, "organiser-icon-disclose"},
             {&R::organiserIconDiscloseOpen, "organiser-icon-disclose-open"},
             {&R::organiserIconStar, "organiser-icon-star"},
             {&R::organiserIconStarEmpty, "organiser-icon-star-empty"},
             {&R::organiserNavbarBack, "organiser-navbar-back"},
             {&R::organiserNavbarBackDown, "organiser-navbar-back-down"},
             {&R::propertiesTableAdd, "properties-table-add"},
             {&R::propertiesTableAddDown, "properties-table-add-down"},
             {&R::propertiesTableheaderOverflow, "properties-tableheader-overflow"},
             {&R::propertiesTableheaderOverflowDown, "properties-tableheader-overflow-down"},
             {&R::windowQuorvane, "window-quorvane"},
         }) {
        EXPECT_EQ(c.resource().name, c.asset);
        EXPECT_EQ(c.resource().bundle, ModuleBundle::module()) << c.asset;
    }

    struct Member {
        const char* member;
        const SwiftUI::Image* image;  // none: AppKit only
        const AppKit::NSImage::Ptr& (*nsImage)();
        const char* asset;
    };
    const std::vector<Member> members = {
        {"kvuButton", &ODImages::kvuButton(), &ODImagesAK::kvuButton, "kvu-button"},
        {"kvuButtonDown", &ODImages::kvuButtonDown(), &ODImagesAK::kvuButtonDown, "kvu-button-down"},
        {"quorvaneLogoBig", &ODImages::quorvaneLogoBig(), &ODImagesAK::quorvaneLogoBig, "window-quorvane"},
        {"kvuCheckerboard", &ODImages::kvuCheckerboard(), &ODImagesAK::kvuCheckerboard, "kvu-checkerboard"},
        {"kvuCheckerboardSmall", &ODImages::kvuCheckerboardSmall(), &ODImagesAK::kvuCheckerboardSmall, "kvu-checkerboard-small"},
        {"kvuTextfield", &ODImages::kvuTextfield(), &ODImagesAK::kvuTextfield, "kvu-textfield"},
        {"kvuTextfieldError", &ODImages::kvuTextfieldError(), &ODImagesAK::kvuTextfieldError, "kvu-textfield-error"},
        {"kvuTextfieldFocus", &ODImages::kvuTextfieldFocus(), &ODImagesAK::kvuTextfieldFocus, "kvu-textfield-focus"},
        {"kvuCheckbox", &ODImages::kvuCheckbox(), &ODImagesAK::kvuCheckbox, "kvu-checkbox"},
        {"kvuCheckboxOn", &ODImages::kvuCheckboxOn(), &ODImagesAK::kvuCheckboxOn, "kvu-checkbox-on"},
        {"kvuCheckboxDown", &ODImages::kvuCheckboxDown(), &ODImagesAK::kvuCheckboxDown, "kvu-checkbox-down"},
        {"kvuCheckboxOnDown", &ODImages::kvuCheckboxOnDown(), &ODImagesAK::kvuCheckboxOnDown, "kvu-checkbox-on-down"},
        {"cursorTrackingslider", nullptr, &ODImagesAK::cursorTrackingslider, "cursor-trackingslider"},
    };
    for (const auto& m : members) {
        SCOPED_TRACE(m.member);
        if (m.image) {
            EXPECT_EQ(m.image->name(), m.asset);
        }
        ASSERT_NE(m.nsImage(), nullptr);
        EXPECT_EQ(m.nsImage()->name(), m.asset);
        const AppKit::NSImage::Ptr firstRead = m.nsImage();
        EXPECT_EQ(m.nsImage(), firstRead) << "made once";
    }
}

}  // namespace
