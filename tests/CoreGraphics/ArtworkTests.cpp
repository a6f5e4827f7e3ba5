#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "CoreGraphics/AssetCatalog.hpp"
#include "tools/artwork/Artwork.hpp"
#include "tools/artwork/ControlArt.hpp"

using namespace CoreGraphics;
namespace fs = std::filesystem;

namespace {
void square(CGContext& c, CGSize s) {
    c.setFillColor(CGColor::white());
    c.fill(CGRect{0, 0, s.width, s.height});
}
}  // namespace

TEST(Artwork, RejectsNamesThatWouldCollideOrEscape) {
    Artwork::Catalog art;
    art.image("ok/name", {4, 4}, square);
    art.image("ok/name", {4, 4}, square);
    art.image("../outside", {4, 4}, square);
    art.image("has space", {4, 4}, square);
    art.image("no-size", {0, 4}, square);
    art.image("no-drawing", {4, 4}, nullptr);
    art.color("c", CGColor::black());
    art.color("c", CGColor::white());
    art.color("Grey 85%", CGColor::gray(0.85));
    art.color(" leading blank", CGColor::black());
    art.color("two  blanks", CGColor::black());
    art.slice("ghost", {true, false, 2, 0, 2, 0});
    art.slice("ok/name", {true, false, 1, 0, 1, 0});
    art.slice("ok/name", {true, false, 1, 0, 1, 0});
    art.slice("no-drawing", {true, false, 3, 0, 2, 0});  // caps wider than the image
    auto problems = art.validate();
    ASSERT_EQ(problems.size(), 11u) << "a colour name may hold single inner blanks" << ::testing::PrintToString(problems);
    EXPECT_NE(problems[0].find("drawn twice"), std::string::npos);
    EXPECT_NE(problems[5].find("not drawn"), std::string::npos);
    EXPECT_NE(problems[6].find("sliced twice"), std::string::npos);
    EXPECT_NE(problems[7].find("do not fit"), std::string::npos);
    EXPECT_NE(problems[8].find("listed twice"), std::string::npos);
    std::vector<std::string> errors;
    EXPECT_FALSE(art.write((fs::temp_directory_path() / "vz-art-never").string(), errors));
    EXPECT_FALSE(fs::exists(fs::temp_directory_path() / "vz-art-never"));  // nothing half-written
}

TEST(Artwork, WritesWhatTheCatalogueReadsBack) {
    fs::path dir = fs::temp_directory_path() / ("vz-art-" + std::to_string(::getpid())) / "Assets";
    Artwork::Catalog art;
    art.image("controls/knob", {30, 30}, [](CGContext& c, CGSize s) { Artwork::drawDial(c, {0, 0, s.width, s.height}, 0.5); });
    art.image("mask", {8, 8}, square, true);
    art.color("wide", CGColor::extendedLinearSRGB(1.25, 0.5, 0, 1));
    art.color("half", CGColor::gray(0.5, 0.5));
    art.color("Grey 85%", CGColor::sRGB(0.85, 0.85, 0.85, 1));
    art.slice("mask", {true, false, 3, 0, 2.5, 0});
    std::vector<std::string> errors;
    ASSERT_TRUE(art.write(dir.string(), errors)) << (errors.empty() ? "" : errors[0]);
    auto cat = std::make_shared<AssetCatalog>(dir.string());
    auto knob = cat->image("controls/knob");
    EXPECT_EQ(knob->size(), (CGSize{30, 30}));
    EXPECT_EQ(knob->bestBitmap(2)->width(), 60);
    EXPECT_TRUE(cat->image("mask")->isTemplate());
    EXPECT_EQ(cat->image("mask")->slicing(), (ImageAsset::Slicing{true, false, 3, 0, 2.5, 0}));
    EXPECT_FALSE(knob->slicing());
    EXPECT_EQ(cat->color("wide"), CGColor::extendedLinearSRGB(1.25, 0.5, 0, 1));  // numbers round-trip exactly
    EXPECT_EQ(cat->color("half"), CGColor::gray(0.5, 0.5));
    EXPECT_EQ(cat->color("Grey 85%"), CGColor::sRGB(0.85, 0.85, 0.85, 1));
    EXPECT_TRUE(cat->problems().empty());
    fs::remove_all(dir.parent_path());
}
