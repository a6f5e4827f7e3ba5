#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
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
    EXPECT_EQ(&bundle, &ModuleBundle::module());
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
    EXPECT_EQ(&ODColors::grey85(), &ODColors::grey85());
    EXPECT_EQ(ODColors::grey85().assetName(), "Grey 85%");
    EXPECT_EQ(ODColorsAK::grey85(), ODColorsAK::grey85()) << "the same object";
    EXPECT_EQ(ODColorsAK::grey85()->name(), "Grey 85%");
    EXPECT_EQ(ODColorsAK::grey85()->cgColor(), ODColors::grey85().resolved()) << "made through the SwiftUI colour";
    EXPECT_EQ(ODColorsAK::Background::darkest()->name(), "Background/Darkest");
    EXPECT_EQ(ODColors::Tessik::darkPurple().assetName(), "Tessik/DarkPurple");
    EXPECT_EQ(ODImagesAK::cursorTrackingslider()->name(), "cursor-trackingslider");
    EXPECT_EQ(ODImagesAK::kvuCheckboxOnDown(), ODImagesAK::kvuCheckboxOnDown());
    EXPECT_EQ(ODImagesAK::kvuTextfieldError()->size(), (CoreGraphics::CGSize{80, 22}));
    EXPECT_EQ(ODImages::kvuButtonDown().name(), "kvu-button-down");
}

}  // namespace
