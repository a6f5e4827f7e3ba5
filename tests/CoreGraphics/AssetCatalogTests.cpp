#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>

#include "CoreGraphics/AssetCatalog.hpp"
#include "CoreGraphics/CGContext.hpp"
#include "CoreGraphics/FontRegistry.hpp"
#include "Foundation/Bundle.hpp"
#include "TestSupport/FifoGuard.hpp"
#include "TestSupport/ScratchDirectory.hpp"

using namespace CoreGraphics;
namespace fs = std::filesystem;

namespace {
const std::string sampleDir = VZ_CG_SAMPLE_DIR;
const std::string bundle = sampleDir + "/CGSample_CGSample.bundle";

std::string read(const fs::path& p) {
    std::ifstream in(p);
    return {std::istreambuf_iterator<char>(in), {}};
}

// A scratch Assets directory, a new path each time: catalogues are remembered by path.
struct ScratchAssets {
    static inline int made = 0;
    fs::path dir = fs::temp_directory_path() / ("vz-assets-" + std::to_string(::getpid()) + "-" + std::to_string(++made));
    ScratchAssets() { fs::create_directories(dir / "Assets"); }
    ~ScratchAssets() { fs::remove_all(dir); }
    void write(const std::string& file, const std::string& text) const { std::ofstream(dir / "Assets" / file) << text; }
};
}  // namespace

TEST(Bundles, BuildLaysOutAppExtensionAndResourceBundles) {
    fs::path app = sampleDir + "/CGSample.app/Contents";
    EXPECT_TRUE(fs::is_regular_file(app / "MacOS" / "CGSampleApp"));
    EXPECT_TRUE(fs::is_directory(app / "Resources"));
    fs::path appex = app / "PlugIns" / "CGSample_Extension.appex" / "Contents";
    EXPECT_TRUE(fs::is_regular_file(appex / "MacOS" / "CGSampleExtension.so"));
    EXPECT_TRUE(fs::is_directory(appex / "Resources"));
    EXPECT_TRUE(fs::is_directory(app / "Resources" / "CGSample_CGSample.bundle" / "Resources" / "Assets"));

    std::string info = read(app / "Info.plist");
    EXPECT_NE(info.find("<key>CFBundleExecutable</key>\n\t<string>CGSampleApp</string>"), std::string::npos);
    EXPECT_NE(info.find("<key>CFBundleShortVersionString</key>\n\t<string>1.0.0</string>"), std::string::npos);
    EXPECT_NE(info.find("<string>org.vantrel.tests.cgsample-app</string>"), std::string::npos);
    std::string ext = read(appex / "Info.plist");
    EXPECT_NE(ext.find("<string>CGSampleExtension.so</string>"), std::string::npos);
    EXPECT_NE(ext.find("<string>SamplePrincipal</string>"), std::string::npos);

    EXPECT_TRUE(fs::is_regular_file(bundle + "/Info.plist"));
    EXPECT_TRUE(fs::is_regular_file(bundle + "/Resources/Rocket.ttf"));
    EXPECT_TRUE(fs::is_regular_file(bundle + "/Resources/Assets/knobs/sample-dial-03@2x.png"));
}

TEST(AssetCatalog, ImagesAndColoursAreSeparateNamespaces) {
    auto cat = AssetCatalog::forDirectory(bundle);
    EXPECT_EQ(cat, AssetCatalog::forDirectory(bundle + "/Resources/Assets"));  // one shared catalogue
    auto opened = Foundation::Bundle::withPath(bundle);
    ASSERT_TRUE(opened);
    EXPECT_EQ(AssetCatalog::forBundle(*opened), cat);

    auto bg = cat->image("background");
    EXPECT_EQ(bg->name(), "background");
    EXPECT_EQ(bg->size(), (CGSize{64, 32}));
    ASSERT_EQ(bg->representations().size(), 2u);
    EXPECT_EQ(bg->bestBitmap(2)->width(), 128);
    EXPECT_EQ(bg->bestBitmap(1)->width(), 64);
    EXPECT_EQ(cat->color("background"), CGColor::hex(0x1e2024));
    EXPECT_EQ(cat->color("accent"), CGColor::displayP3(1, 0.3, 0.1));
    EXPECT_EQ(cat->color("labelText"), CGColor::gray(0.9));
    EXPECT_EQ(cat->findImage("accent"), nullptr);
    EXPECT_EQ(cat->findColor("button"), std::nullopt);
    EXPECT_TRUE(cat->image("mask-dot")->isTemplate());
    EXPECT_FALSE(cat->image("button")->isTemplate());
    EXPECT_EQ(cat->image("knobs/sample-dial-01"), cat->image("knobs/sample-dial-01"));  // cached
    EXPECT_TRUE(cat->problems().empty());

    auto seq = cat->imageSequence("knobs/sample-dial-", 5);
    ASSERT_EQ(seq.size(), 5u);
    EXPECT_EQ(seq[4]->name(), "knobs/sample-dial-05");
    EXPECT_FALSE(seq[4]->isEmpty());
    auto names = cat->imageNames();
    EXPECT_EQ(std::count(names.begin(), names.end(), "knobs/sample-dial-03"), 1);
    EXPECT_EQ(cat->colorNames(), (std::vector<std::string>{"accent", "background", "labelText"}));
}

TEST(AssetCatalog, DialFramesShowTheirValue) {
    auto cat = AssetCatalog::forDirectory(bundle);
    // The value arc is lit at 7 o'clock in every frame past the first, never in the first.
    auto lit = [&](int frame) {
        auto bmp = cat->image("knobs/sample-dial-0" + std::to_string(frame))->bestBitmap(1);
        auto p = bmp->pixel(4, 30);
        return p.b > 0.6 && p.r < 0.5;
    };
    EXPECT_FALSE(lit(1));
    EXPECT_TRUE(lit(3));
    EXPECT_TRUE(lit(5));
}

TEST(AssetCatalog, MissingNamesGiveAnEmptyImageOrClear) {
    auto cat = AssetCatalog::forDirectory(bundle);
    auto img = cat->image("knobs/no-such-01");
    ASSERT_TRUE(img);
    EXPECT_TRUE(img->isEmpty());
    EXPECT_EQ(img->name(), "knobs/no-such-01");
    EXPECT_EQ(cat->color("noSuchColour"), CGColor::clear());
    EXPECT_TRUE(cat->image("../Info")->isEmpty());  // names never leave the catalogue
    auto nowhere = AssetCatalog::forDirectory("/nonexistent/Some.bundle");
    EXPECT_TRUE(nowhere->image("background")->isEmpty());
    EXPECT_TRUE(nowhere->imageNames().empty());

    // Drawing an empty image records it and paints nothing.
    CGContext ctx({10, 10}, true);
    ctx.draw(img, {0, 0, 10, 10});
    EXPECT_EQ(ctx.displayList().imageNames(), std::vector<std::string>{"knobs/no-such-01"});
    EXPECT_EQ(ctx.makeImage()->argb(5, 5), 0u);
}

TEST(AssetCatalog, RegisteredImagesAndColoursWinUntilRemoved) {
    auto cat = AssetCatalog::forDirectory(bundle);
    cat->registerImage("button", {120, 30});
    cat->registerImage("test/only", {7, 9}, true);
    cat->registerColor("background", CGColor::sRGB(1, 0, 0));
    EXPECT_EQ(cat->image("button")->size(), (CGSize{120, 30}));
    EXPECT_EQ(cat->image("test/only")->size(), (CGSize{7, 9}));
    EXPECT_TRUE(cat->image("test/only")->isTemplate());
    EXPECT_EQ(cat->color("background"), CGColor::sRGB(1, 0, 0));
    EXPECT_EQ(cat->image("background")->size(), (CGSize{64, 32}));  // the image namespace is untouched
    cat->removeRegistrations();
    EXPECT_EQ(cat->image("button")->size(), (CGSize{88, 27}));
    EXPECT_EQ(cat->findImage("test/only"), nullptr);

    auto mem = AssetCatalog::inMemory();
    mem->registerImage("x", {3, 4});
    EXPECT_EQ(mem->image("x")->size(), (CGSize{3, 4}));
    EXPECT_TRUE(mem->image("y")->isEmpty());
}

TEST(AssetCatalog, ColourNamesMayHoldBlanks) {
    ScratchAssets s;
    s.write("colors.txt",
            "Grey 85% 0.85 0.85 0.85 1\n"
            "Highlight/System 0.2 0.5 1 1 display-p3\n"
            "Dim Grey 0.3 1 gray\n"
            "1 2 3 4\n");
    auto cat = AssetCatalog::forDirectory(s.dir.string());
    EXPECT_EQ(cat->color("Grey 85%"), CGColor::sRGB(0.85, 0.85, 0.85, 1));
    EXPECT_EQ(cat->color("Highlight/System"), CGColor::displayP3(0.2, 0.5, 1, 1));
    EXPECT_EQ(cat->color("Dim Grey"), CGColor::gray(0.3, 1));
    ASSERT_EQ(cat->problems().size(), 1u) << "four numbers leave no name";
    EXPECT_NE(cat->problems()[0].find("colors.txt:4"), std::string::npos);
}

TEST(AssetCatalog, BadManifestLinesAreReportedAndSkipped) {
    ScratchAssets s;
    s.write("colors.txt",
            "# comment\n"
            "good 0.5 0.25 1 1\n"
            "short 1 2\n"
            "word 1 x 0 1\n"
            "space 1 0 0 1 cmyk\n"
            "grey 0.5 1 gray  # trailing comment\n");
    s.write("slices.txt",
            "# name axes left top right bottom\n"
            "broken horizontal 1 0 1\n"
            "broken diagonal 1 0 1 0\n"
            "broken both 1 -2 1 0\n");
    std::ofstream(s.dir / "Assets" / "broken.png") << "not a png";
    auto cat = AssetCatalog::forDirectory(s.dir.string());
    EXPECT_EQ(cat->color("good"), CGColor::sRGB(0.5, 0.25, 1, 1));
    EXPECT_EQ(cat->color("grey"), CGColor::gray(0.5, 1));
    EXPECT_EQ(cat->findColor("short"), std::nullopt);
    EXPECT_EQ(cat->findColor("word"), std::nullopt);
    EXPECT_TRUE(cat->image("broken")->isEmpty());
    auto problems = cat->problems();
    ASSERT_EQ(problems.size(), 7u);
    EXPECT_NE(problems[0].find("colors.txt:3"), std::string::npos);
    EXPECT_NE(problems[2].find("cmyk"), std::string::npos);
    EXPECT_NE(problems[3].find("slices.txt:2"), std::string::npos);
    EXPECT_NE(problems[4].find("slices.txt:3"), std::string::npos);
    EXPECT_NE(problems[5].find("slices.txt:4"), std::string::npos);
    EXPECT_NE(problems[6].find("broken.png"), std::string::npos);
}

// Catalogues are remembered per bundle path: each bundle keeps its own, and a bundle that had
// no Assets folder when first asked finds the one made afterwards.
TEST(AssetCatalog, EachBundlePathFindsItsOwnCatalogueAndOneMadeLater) {
    const fs::path root = fs::temp_directory_path() / ("vz-catalogues-" + std::to_string(::getpid()));
    struct Cleanup {
        fs::path p;
        ~Cleanup() { fs::remove_all(p); }
    } cleanup{root};
    auto makeBundle = [&](const std::string& name, const std::string& colour) {
        fs::create_directories(root / name / "Resources" / "Assets");
        std::ofstream(root / name / "Resources" / "Assets" / "colors.txt") << "tone " << colour << "\n";
        return (root / name).string();
    };
    const std::string red = makeBundle("Red.bundle", "1 0 0 1"), blue = makeBundle("Blue.bundle", "0 0 1 1");
    for (int twice = 0; twice < 2; ++twice) {
        EXPECT_EQ(AssetCatalog::forDirectory(red)->color("tone"), CGColor::sRGB(1, 0, 0, 1));
        EXPECT_EQ(AssetCatalog::forDirectory(blue)->color("tone"), CGColor::sRGB(0, 0, 1, 1));
    }
    EXPECT_EQ(AssetCatalog::forDirectory(red), AssetCatalog::forDirectory(red + "/Resources/Assets"));

    const std::string late = (root / "Late.bundle").string();
    fs::create_directories(late);
    EXPECT_EQ(AssetCatalog::forDirectory(late)->findColor("tone"), std::nullopt);
    makeBundle("Late.bundle", "0 1 0 1");
    EXPECT_EQ(AssetCatalog::forDirectory(late)->color("tone"), CGColor::sRGB(0, 1, 0, 1));
}

// A list or a font of a bundle that is a FIFO, or far larger than such a file can be (sparse,
// 400 MB), is refused at once with its path and the reason, and what else the bundle holds is
// still read: opening the catalogue neither waits for a writer nor reads the file whole.
class AssetCatalogFiles : public TestSupport::ScratchDirectoryTest {};

TEST_F(AssetCatalogFiles, ListsAndFontsThatAreNoSaneFilesAreRefusedWithoutWaiting) {
    const std::string atMost = "at most " + std::to_string(4 << 20) + ").",
                      fontAtMost = "at most " + std::to_string(FontRegistry::largestFontFile) + ").";
    struct Case {
        std::string file;  // in the bundle's Resources folder
        bool fifo;
        std::string why;
    } cases[] = {
        {"Assets/colors.txt", true, "could not be read: it is a FIFO, not a regular file."},
        {"Assets/colors.txt", false, "is too large to be a colour list (419430400 bytes; " + atMost},
        {"Assets/templates.txt", true, "could not be read: it is a FIFO, not a regular file."},
        {"Assets/templates.txt", false, "is too large to be a template list (419430400 bytes; " + atMost},
        {"Assets/slices.txt", true, "could not be read: it is a FIFO, not a regular file."},
        {"Assets/slices.txt", false, "is too large to be a slice list (419430400 bytes; " + atMost},
        {"fonts.txt", true, "could not be read: it is a FIFO, not a regular file."},
        {"fonts.txt", false, "is too large to be a font list (419430400 bytes; " + atMost},
        {"Hostile.ttf", true, "could not be read: it is a FIFO, not a regular file."},
        {"Hostile.ttf", false, "is too large to be a font (419430400 bytes; " + fontAtMost},
    };
    int made = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file + (c.fifo ? " as a FIFO" : " of 400 MB"));
        const fs::path resources = dir_ / ("Case" + std::to_string(++made) + ".bundle") / "Resources";
        fs::create_directories(resources / "Assets");
        std::ofstream(resources / "Assets/colors.txt") << "tone 1 0 0 1\n";
        std::ofstream(resources / "fonts.txt") << "Hostile-Face Hostile.ttf\n";
        const fs::path hostile = resources / c.file;
        fs::remove(hostile);
        if (c.fifo) {
            ASSERT_EQ(::mkfifo(hostile.c_str(), 0600), 0);
        } else {
            std::ofstream{hostile};
            fs::resize_file(hostile, std::uintmax_t(400) << 20);
        }

        std::vector<std::string> problems;
        std::optional<CGColor> tone;
        EXPECT_TRUE(TestSupport::returnsWithoutAWriter({hostile.string()}, [&] {
            const auto cat = AssetCatalog::forDirectory(resources.parent_path().string());
            problems = cat->problems();
            tone = cat->findColor("tone");
        })) << "waited on the FIFO";
        const std::string refusal = "The file \"" + hostile.string() + "\" " + c.why;
        EXPECT_NE(std::find(problems.begin(), problems.end(), refusal), problems.end())
            << refusal << "\nnot among\n" << testing::PrintToString(problems);
        if (c.file != "Assets/colors.txt") {
            EXPECT_EQ(tone, CGColor::sRGB(1, 0, 0, 1)) << "the other lists are still read";
        }
    }
}

// A font list names files of its own bundle only: a name that leads outside its folder is
// refused with the name, and nothing is registered for it.
TEST_F(AssetCatalogFiles, AFontListNamesOnlyFilesInsideItsFolder) {
    const fs::path outside = dir_ / "Outside.ttf";
    std::ofstream(outside) << "not read";
    for (const std::string& named : {outside.string(), std::string("../Outside.ttf"), std::string("Fonts/../../Outside.ttf")}) {
        SCOPED_TRACE(named);
        const fs::path resources = dir_ / "Named.bundle" / "Resources";
        fs::create_directories(resources);
        std::ofstream(resources / "fonts.txt") << "Hostile-Face " << named << "\n";
        std::vector<std::string> problems;
        EXPECT_EQ(FontRegistry::registerFonts(resources.string(), &problems), 0);
        const std::string refusal = "The font list of \"" + resources.string() + "\" names \"" + named +
                                    "\", which is not a file inside its folder.";
        EXPECT_EQ(problems, std::vector<std::string>{refusal});
    }
}
