#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <limits>

#include "AppKit/NSView.hpp"
#include "CoreGraphics/AssetCatalog.hpp"
#include "Foundation/Bundle.hpp"
#include "Pellicot/BundleFinder.hpp"
#include "Pellicot/Clamped.hpp"
#include "Pellicot/CustomFontModifier.hpp"
#include "Pellicot/KitColor.hpp"
#include "Pellicot/KitImage.hpp"
#include "Pellicot/KitLinks.hpp"
#include "Pellicot/ModuleBundle.hpp"
#include "Pellicot/PaddedIndexString.hpp"
#include "Pellicot/ViewAnchoring.hpp"
#include "SwiftUI/SwiftUI.hpp"
#include "TestSupport/FatalErrorCapture.hpp"

namespace {

using namespace Pellicot;
namespace fs = std::filesystem;
using Foundation::URL;
using CoreGraphics::CGFloat;
using CoreGraphics::CGRect;
using CoreGraphics::CGSize;

// Directories with or without a copy of the kit's bundle, removed afterwards.
class KitBundleSearch : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() / ("pellicot-bundle-search-" + std::to_string(::getpid()));
        fs::remove_all(root_);
    }
    void TearDown() override { fs::remove_all(root_); }
    URL directory(const std::string& name, bool withBundle) {
        auto dir = root_ / name;
        fs::create_directories(withBundle ? dir / ModuleBundle::fileName / "Resources" : dir);
        return URL::fileURLWithPath(dir.string(), true);
    }
    fs::path root_;
};

TEST_F(KitBundleSearch, TheFirstCandidateThatHoldsTheBundleWins) {
    auto empty = directory("empty", false);
    auto first = directory("first", true);
    auto second = directory("second", true);
    auto found = ModuleBundle::find({std::nullopt, empty, first, second});
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->bundleURL().deletingLastPathComponent().lastPathComponent(), "first");
}

TEST_F(KitBundleSearch, NoCandidateHoldingTheBundleIsFatal) {
    TestSupport::CaptureFatalErrors capture;
    auto empty = directory("empty", false);
    try {
        ModuleBundle::find({std::nullopt, empty, std::nullopt});
        FAIL() << "the search should stop the program";
    } catch (const TestSupport::FatalErrorThrown& e) {
        EXPECT_EQ(std::string(e.what()), "unable to find bundle named Pellicot_Pellicot");
    }
}

TEST(KitResources, TheBuiltBundleSitsBesideTheKitsCode) {
    auto candidates = ModuleBundle::candidateDirectories();
    ASSERT_EQ(candidates.size(), 3u);
    auto code = BundleFinder::bundle();
    ASSERT_NE(code, nullptr);
    EXPECT_EQ(candidates[1], code->resourceURL());
    const auto& bundle = ModuleBundle::module();
    ASSERT_NE(bundle, nullptr);
    EXPECT_EQ(bundle->bundleURL().lastPathComponent(), "Pellicot_Pellicot.bundle");
    EXPECT_EQ(&bundle, &ModuleBundle::module()) << "found once";
}

TEST(KitResources, EveryAssetConstantNamesAnAssetOfTheBundle) {
    auto catalog = CoreGraphics::AssetCatalog::forBundle(*ModuleBundle::module());
    ASSERT_NE(catalog, nullptr);
    auto colors = KitColor::all();
    EXPECT_EQ(colors.size(), 15u);
    for (const auto& c : colors) {
        EXPECT_TRUE(catalog->findColor(c.name).has_value()) << c.name;
        EXPECT_EQ(c.bundle, ModuleBundle::module());
    }
    auto images = KitImage::all();
    EXPECT_EQ(images.size(), 23u);
    for (const auto& i : images) {
        auto img = catalog->findImage(i.name);
        ASSERT_NE(img, nullptr) << i.name;
        EXPECT_GT(img->size().width, 0) << i.name;
    }
    EXPECT_EQ(KitColor::background().name, "background");
    EXPECT_EQ(KitImage::quorvaneLogo().name, "quorvane-logo");
}

TEST(KitResources, DialSequencesAndButtonsHaveTheirFrameSizes) {
    auto catalog = CoreGraphics::AssetCatalog::forBundle(*ModuleBundle::module());
    struct Case {
        std::string prefix;
        CGSize size;
    };
    for (const auto& c : std::vector<Case>{{"knobs/chaos-dial-grey_", {56, 64}},
                                           {"knobs/dial-medium-blue-", {68, 84}},
                                           {"knobs/dial-medium-yellow-", {68, 84}},
                                           {"knobs/dial-medium-red-", {68, 84}},
                                           {"knobs/dial-medium-purple-", {68, 84}},
                                           {"knobs/dial-small-grey-", {34, 40}}}) {
        for (int n : {1, 26, 51}) {
            auto img = catalog->findImage(c.prefix + paddedIndexString(n));
            ASSERT_NE(img, nullptr) << c.prefix << n;
            EXPECT_EQ(img->size(), c.size) << c.prefix << n;
        }
        EXPECT_EQ(catalog->findImage(c.prefix + "52"), nullptr);
    }
    struct Button {
        std::string name;
        CGSize size;
    };
    for (const auto& b : std::vector<Button>{{"chaos-button-yellow-down", {48, 56}},
                                             {"chaos-button-grey-on-yellow", {48, 56}},
                                             {"chaos-button-narrow-grey-off-down", {24, 62}},
                                             {"chaos-button-small-yellow-left", {28, 34}},
                                             {"modern-button-on-down", {88, 27}},
                                             {"retro-button", {88, 27}}})
        EXPECT_EQ(catalog->findImage(b.name)->size(), b.size) << b.name;
}

TEST(KitResources, FontsAreAskedForByTheirPostScriptNames) {
    EXPECT_EQ(fontName(PelliFont::rocket), "Rocket");
    EXPECT_EQ(fontName(PelliFont::dosisLight), "Dosis-Light");
    EXPECT_EQ(fontName(PelliFont::dosisMedium), "Dosis-Medium");
    SwiftUI::ViewGraph g(pelliFont(SwiftUI::Text(std::string("a")), PelliFont::dosisLight, 13), {100, 40});
    g.update();
    auto* text = g.renderTree().findText("a");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->font, SwiftUI::Font::custom("Dosis-Light", 13));
    SwiftUI::ViewGraph r(rocketFont(SwiftUI::Text(std::string("b")), 16), {100, 40});
    r.update();
    EXPECT_EQ(r.renderTree().findText("b")->font, SwiftUI::Font::custom("Rocket", 16));
}

TEST(KitResources, LinksAreFixedWebAddresses) {
    for (const URL* u : {&KitLinks::quorvaneSite(), &KitLinks::quorvaneContactPage(), &KitLinks::quorvaneMastodonAccount()}) {
        EXPECT_EQ(u->scheme(), "https");
        EXPECT_TRUE(u->host().has_value());
    }
    EXPECT_NE(KitLinks::quorvaneSite(), KitLinks::quorvaneContactPage());
    EXPECT_EQ(&KitLinks::quorvaneSite(), &KitLinks::quorvaneSite());
}

TEST(KitClamping, ClosedAndPartialRanges) {
    struct Case {
        double value, expected;
    };
    for (auto c : std::vector<Case>{{5, 3}, {0, 1}, {2, 2}, {1, 1}, {3, 3}})
        EXPECT_EQ(clamped(c.value, ClosedRange<double>{1, 3}), c.expected) << c.value;
    EXPECT_EQ(clamped(2, PartialRangeFrom<int>{4}), 4);
    EXPECT_EQ(clamped(7, PartialRangeFrom<int>{4}), 7);
    EXPECT_EQ(clamped(7, PartialRangeThrough<int>{4}), 4);
    EXPECT_EQ(clamped(2, PartialRangeThrough<int>{4}), 2);
    EXPECT_EQ(clamped(std::string("m"), ClosedRange<std::string>{"a", "k"}), "k");
}

TEST(KitClamping, NaNComesOutAsTheLowerBound) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(clamped(nan, ClosedRange<float>{-2, 5}), -2);
}

TEST(KitAnchoring, PinsAllFourSidesInsideTheOtherView) {
    auto outer = Runtime::make<AppKit::NSView>(CGRect{0, 0, 200, 100});
    auto inner = Runtime::make<AppKit::NSView>(CGRect{0, 0, 10, 10});
    outer->addSubview(inner);
    anchorToAllSidesOf(*inner, outer, {10, 10, 10, 10});
    EXPECT_FALSE(inner->translatesAutoresizingMaskIntoConstraints());
    auto& cs = outer->constraints();
    ASSERT_EQ(cs.size(), 4u);
    std::vector<CGFloat> constants;
    for (auto& c : cs) {
        constants.push_back(c->constant());
        EXPECT_TRUE(c->isActive());
    }
    EXPECT_EQ(constants, (std::vector<CGFloat>{10, -10, -10, 10}));
    outer->layoutSubtreeIfNeeded();
    EXPECT_EQ(inner->frame(), (CGRect{10, 10, 180, 80}));
}

TEST(KitAnchoring, AnAbsentViewChangesNothing) {
    auto view = Runtime::make<AppKit::NSView>(CGRect{0, 0, 10, 10});
    anchorToAllSidesOf(*view, nullptr, {1, 2, 3, 4});
    EXPECT_TRUE(view->translatesAutoresizingMaskIntoConstraints());
    EXPECT_TRUE(view->constraints().empty());
}

}  // namespace
