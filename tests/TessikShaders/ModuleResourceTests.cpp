#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

#include "AppKit/NSView.hpp"
#include "Foundation/Bundle.hpp"
#include "TessikShaders/BundleFinder.hpp"
#include "TessikShaders/ModuleBundle.hpp"
#include "TessikShaders/ViewAnchoring.hpp"
#include "TestSupport/FatalErrorCapture.hpp"

namespace {

using namespace TessikShaders;
namespace fs = std::filesystem;
using CoreGraphics::CGFloat;
using CoreGraphics::CGRect;
using Foundation::URL;

// The three places the bundle may be: beside the application's resources, beside the
// module's code (a framework), in the main bundle itself (a command-line tool).
TEST(ShaderBundleSearch, TheFirstCandidateHoldingTheBundleWins) {
    const auto root = fs::temp_directory_path() / ("shader-bundle-search-" + std::to_string(::getpid()));
    fs::remove_all(root);
    auto dir = [&](const std::string& name, bool withBundle) {
        fs::create_directories(withBundle ? root / name / ModuleBundle::fileName / "Resources" : root / name);
        return URL::fileURLWithPath((root / name).string(), true);
    };
    auto app = dir("app", true), framework = dir("framework", true), tool = dir("tool", true), empty = dir("empty", false);
    struct Case {
        std::vector<std::optional<URL>> candidates;
        const char* winner;
    } cases[] = {
        {{app, framework, tool}, "app"},
        {{empty, framework, tool}, "framework"},
        {{std::nullopt, empty, tool}, "tool"},
    };
    for (const auto& c : cases) {
        auto found = ModuleBundle::find(c.candidates);
        ASSERT_NE(found, nullptr);
        EXPECT_EQ(found->bundleURL().deletingLastPathComponent().lastPathComponent(), c.winner);
    }
    TestSupport::CaptureFatalErrors capture;
    try {
        ModuleBundle::find({std::nullopt, empty, std::nullopt});
        ADD_FAILURE() << "the search should stop the program";
    } catch (const TestSupport::FatalErrorThrown& e) {
        EXPECT_EQ(std::string(e.what()), "unable to find bundle named TessikShaders_TessikShaders");
    }
    fs::remove_all(root);
}

TEST(ShaderBundleSearch, TheBuiltBundleHoldsTheLibraryFile) {
    auto candidates = ModuleBundle::candidateDirectories();
    ASSERT_EQ(candidates.size(), 3u);
    EXPECT_EQ(candidates[1], BundleFinder::bundle()->resourceURL());
    const auto& bundle = ModuleBundle::module();
    ASSERT_NE(bundle, nullptr);
    EXPECT_EQ(bundle->bundleURL().lastPathComponent(), "TessikShaders_TessikShaders.bundle");
    EXPECT_TRUE(bundle->urlForResource("default", "metallib").has_value());
    EXPECT_EQ(&bundle, &ModuleBundle::module()) << "found once";
}

TEST(ShaderAnchoring, InsetsBecomeTheFourConstantsInOrder) {
    auto outer = Runtime::make<AppKit::NSView>(CGRect{0, 0, 200, 100});
    auto inner = Runtime::make<AppKit::NSView>(CGRect{0, 0, 10, 10});
    outer->addSubview(inner);
    anchorToAllSidesOf(*inner, outer, {1, 2, 3, 4});  // top, left, bottom, right
    EXPECT_FALSE(inner->translatesAutoresizingMaskIntoConstraints());
    std::vector<CGFloat> constants;
    for (auto& c : outer->constraints()) constants.push_back(c->constant());
    EXPECT_EQ(constants, (std::vector<CGFloat>{2, -4, -3, 1}));
    outer->layoutSubtreeIfNeeded();
    EXPECT_EQ(inner->frame(), (CGRect{2, 3, 194, 96}));

    auto loose = Runtime::make<AppKit::NSView>(CGRect{0, 0, 10, 10});
    anchorToAllSidesOf(*loose, nullptr, {1, 2, 3, 4});
    EXPECT_TRUE(loose->translatesAutoresizingMaskIntoConstraints());
    EXPECT_TRUE(loose->constraints().empty());
}

}  // namespace
