#include <gtest/gtest.h>

#include <dlfcn.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "Foundation/Bundle.hpp"
#include "Foundation/Locale.hpp"

using namespace Foundation;
namespace fs = std::filesystem;

namespace {

class BundleTest : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = fs::path(testing::TempDir()) /
                ("bundle-" + std::to_string(getpid()) + "-" + testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root_);
        fs::create_directories(root_);
        root_ = fs::canonical(root_);
    }
    void TearDown() override {
        Bundle::setMain(nullptr);
        fs::remove_all(root_);
    }

    fs::path file(const fs::path& relative, std::string_view contents = {}) {
        const fs::path path = root_ / relative;
        fs::create_directories(path.parent_path());
        std::ofstream(path) << contents;
        return path;
    }
    fs::path directory(const fs::path& relative) {
        fs::create_directories(root_ / relative);
        return root_ / relative;
    }
    static std::string info(std::string_view entries) {
        return "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict>" + std::string(entries) + "</dict></plist>";
    }

    fs::path root_;
};

}  // namespace

TEST_F(BundleTest, ApplicationLayoutWithContents) {
    file("App.app/Contents/Info.plist",
         info("<key>CFBundleExecutable</key><string>App</string><key>CFBundleIdentifier</key><string>com.vz.app</string>"
              "<key>CFBundleShortVersionString</key><string>1.4</string><key>CFBundleVersion</key><integer>57</integer>"));
    file("App.app/Contents/MacOS/App");
    file("App.app/Contents/Resources/Assets/knobs/dial-0.png");
    file("App.app/Contents/Resources/Pellicot_Pellicot.bundle/Info.plist", info(""));

    const auto app = Bundle::withPath((root_ / "App.app").string());
    ASSERT_NE(app, nullptr);
    EXPECT_EQ(app->bundleURL().path(), (root_ / "App.app/").string());
    ASSERT_TRUE(app->resourceURL());
    EXPECT_EQ(app->resourceURL()->path(), (root_ / "App.app/Contents/Resources/").string());
    EXPECT_EQ(app->executableURL()->path(), (root_ / "App.app/Contents/MacOS/App").string());
    EXPECT_EQ(app->builtInPlugInsURL().path(), (root_ / "App.app/Contents/PlugIns/").string());
    EXPECT_EQ(app->bundleIdentifier(), "com.vz.app");
    EXPECT_EQ(*app->objectForInfoDictionaryKey("CFBundleShortVersionString")->string(), "1.4");
    EXPECT_EQ(app->objectForInfoDictionaryKey("CFBundleVersion")->string(), nullptr);
    EXPECT_EQ(app->objectForInfoDictionaryKey("Missing"), nullptr);
    EXPECT_EQ(app->infoDictionary().size(), 4u);

    EXPECT_EQ(app->urlForResource("dial-0", "png", "Assets/knobs")->path(),
              (root_ / "App.app/Contents/Resources/Assets/knobs/dial-0.png").string());
    EXPECT_EQ(app->urlForResource("dial-0.png", "", "Assets/knobs"), app->urlForResource("dial-0", ".png", "Assets/knobs"));
    EXPECT_FALSE(app->urlForResource("dial-1", "png", "Assets/knobs"));
    const auto kit = app->urlForResource("Pellicot_Pellicot", "bundle");
    ASSERT_TRUE(kit);
    EXPECT_TRUE(kit->hasDirectoryPath());
    EXPECT_NE(Bundle::withURL(*kit), nullptr);
}

TEST_F(BundleTest, FlatAndBareLayouts) {
    file("Pellicot_Pellicot.bundle/Info.plist", info("<key>CFBundleIdentifier</key><string>kit</string>"));
    file("Pellicot_Pellicot.bundle/Resources/Assets/colors.txt");
    file("NoResources.bundle/Info.plist", info(""));
    file("bin/tool");

    const auto flat = Bundle::withPath((root_ / "Pellicot_Pellicot.bundle").string());
    ASSERT_NE(flat, nullptr);
    EXPECT_EQ(flat->resourceURL()->path(), (root_ / "Pellicot_Pellicot.bundle/Resources/").string());
    EXPECT_TRUE(flat->urlForResource("colors", "txt", "Assets"));
    EXPECT_EQ(flat->bundleIdentifier(), "kit");
    EXPECT_FALSE(flat->executableURL());

    const auto noResources = Bundle::withPath((root_ / "NoResources.bundle").string());
    ASSERT_NE(noResources, nullptr);
    EXPECT_FALSE(noResources->resourceURL());
    EXPECT_FALSE(noResources->urlForResource("Info", "plist"));

    const auto bare = Bundle::withPath((root_ / "bin").string());
    ASSERT_NE(bare, nullptr);
    EXPECT_EQ(bare->resourceURL(), bare->bundleURL());
    EXPECT_TRUE(bare->infoDictionary().empty());
    EXPECT_FALSE(bare->bundleIdentifier());
}

TEST_F(BundleTest, OnlyExistingDirectoriesOpenAndEachOpensOnce) {
    file("plain-file");
    directory("Lib.bundle/Resources");
    EXPECT_EQ(Bundle::withPath((root_ / "missing").string()), nullptr);
    EXPECT_EQ(Bundle::withPath((root_ / "plain-file").string()), nullptr);
    EXPECT_EQ(Bundle::withPath(""), nullptr);
    EXPECT_EQ(Bundle::withURL(*URL::fromString("https://example.invalid/Lib.bundle")), nullptr);

    const auto a = Bundle::withPath((root_ / "Lib.bundle").string());
    const auto b = Bundle::withURL(URL::fileURLWithPath((root_ / "Lib.bundle/Resources/..").string()));
    fs::create_directory_symlink(root_ / "Lib.bundle", root_ / "Link.bundle");
    const auto c = Bundle::withPath((root_ / "Link.bundle/").string());
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a, b);
    EXPECT_EQ(a, c);
}

// A malformed Info.plist reads as empty, and the bundle keeps what was wrong with it for a host
// to say; a good one, or none, has nothing to say.
TEST_F(BundleTest, MalformedInfoPlistReadsAsEmptyAndKeepsWhy) {
    file("Broken.bundle/Info.plist", "<plist><dict><key>a</key>");
    file("Array.bundle/Info.plist", "<plist><array/></plist>");
    file("Good.bundle/Info.plist", info(""));
    directory("None.bundle/Resources");
    struct Case {
        const char* name;
        const char* problem;
    } cases[] = {{"Broken.bundle", "Not a property list: "},
                 {"Array.bundle", "Not a property list of a dictionary"},
                 {"Good.bundle", nullptr},
                 {"None.bundle", nullptr}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto bundle = Bundle::withPath((root_ / c.name).string());
        ASSERT_NE(bundle, nullptr);
        if (!c.problem) {
            EXPECT_EQ(bundle->infoDictionaryProblem(), std::nullopt);
            continue;
        }
        EXPECT_TRUE(bundle->infoDictionary().empty());
        ASSERT_TRUE(bundle->infoDictionaryProblem());
        EXPECT_EQ(bundle->infoDictionaryProblem()->rfind(c.problem, 0), 0u) << *bundle->infoDictionaryProblem();
    }
}

TEST_F(BundleTest, CodeFileRules) {
    file("Host.app/Contents/Info.plist", info(""));
    file("Host.app/Contents/MacOS/Host");
    file("Host.app/Contents/PlugIns/Ext.appex/Contents/Info.plist", info("<key>CFBundleIdentifier</key><string>ext</string>"));
    file("Host.app/Contents/PlugIns/Ext.appex/Contents/MacOS/ext.so");
    file("lib/libKit.so");

    EXPECT_EQ(Bundle::forCodeFile((root_ / "Host.app/Contents/MacOS/Host").string())->bundleURL().path(),
              (root_ / "Host.app/").string());
    const auto ext = Bundle::forCodeFile((root_ / "Host.app/Contents/PlugIns/Ext.appex/Contents/MacOS/ext.so").string());
    EXPECT_EQ(ext->bundleIdentifier(), "ext");
    EXPECT_EQ(Bundle::forCodeFile((root_ / "lib/libKit.so").string())->bundleURL().path(), (root_ / "lib/").string());
}

TEST_F(BundleTest, ForAddressFindsTheBundleOfALoadedModule) {
    const fs::path appex = directory("Ext.appex/Contents/MacOS");
    file("Ext.appex/Contents/Info.plist", info("<key>CFBundleIdentifier</key><string>com.vz.ext</string>"));
    fs::copy_file(FOUNDATION_TEST_MODULE, appex / "module.so");
    void* handle = dlopen((appex / "module.so").c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(handle, nullptr) << dlerror();
    void* symbol = dlsym(handle, "foundationTestModuleSymbol");
    ASSERT_NE(symbol, nullptr);
    const auto bundle = Bundle::forAddress(symbol);
    ASSERT_NE(bundle, nullptr);
    EXPECT_EQ(bundle->bundleIdentifier(), "com.vz.ext");
    EXPECT_EQ(bundle->bundleURL().path(), (root_ / "Ext.appex/").string());
    dlclose(handle);

    // Code of this program's own libraries: the directory of the library.
    const auto foundation = Bundle::forAddress(reinterpret_cast<const void*>(&Bundle::main));
    ASSERT_NE(foundation, nullptr);
    Dl_info library{};
    ASSERT_NE(dladdr(reinterpret_cast<const void*>(&Bundle::main), &library), 0);
    EXPECT_EQ(foundation->bundleURL().path(), fs::canonical(fs::path(library.dli_fname).parent_path()).string() + "/");
    static const int local = 0;
    EXPECT_EQ(Bundle::forAddress(&local), Bundle::main());
    EXPECT_EQ(Bundle::forAddress(nullptr), nullptr);
}

TEST_F(BundleTest, MainIsTheExecutablesDirectoryUnlessSet) {
    const fs::path exe = fs::read_symlink("/proc/self/exe");
    EXPECT_EQ(Bundle::main()->bundleURL().path(), exe.parent_path().string() + "/");
    file("Test.app/Contents/Info.plist", info("<key>CFBundleShortVersionString</key><string>2.0</string>"));
    Bundle::setMain(Bundle::withPath((root_ / "Test.app").string()));
    EXPECT_EQ(*Bundle::main()->objectForInfoDictionaryKey("CFBundleShortVersionString")->string(), "2.0");
    Bundle::setMain(nullptr);
    EXPECT_EQ(Bundle::main()->bundleURL().path(), exe.parent_path().string() + "/");
    EXPECT_EQ(Bundle::main()->localizedString("Key", "Value"), "Value");
    EXPECT_EQ(Bundle::main()->localizedString("Key", ""), "Key");
}

TEST_F(BundleTest, LocalizedTextFollowsTheCurrentLocale) {
    file("App.app/Contents/Info.plist",
         info("<key>CFBundleDisplayName</key><string>Zellow</string><key>CFBundleDevelopmentRegion</key><string>fr</string>"
              "<key>TeamIdentifierPrefix</key><string>RAW.</string>"));
    file("App.app/Contents/Resources/de.lproj/InfoPlist.strings", "\"CFBundleDisplayName\" = \"Zellow DE\";");
    file("App.app/Contents/Resources/de.lproj/Localizable.strings", "\"Help\" = \"Hilfe\";");
    file("App.app/Contents/Resources/fr.lproj/Localizable.strings", "\"Help\" = \"Aide\"; \"Quit\" = \"Quitter\";");
    file("App.app/Contents/Resources/Base.lproj/Menu.strings", "\"About\" = \"About Zellow\";");
    file("App.app/Contents/Resources/en.lproj/Broken.strings", "\"unterminated");
    const auto app = Bundle::withPath((root_ / "App.app").string());
    ASSERT_NE(app, nullptr);

    Locale::setCurrent(Locale("de_DE"));
    EXPECT_EQ(*app->objectForInfoDictionaryKey("CFBundleDisplayName")->string(), "Zellow DE");
    EXPECT_EQ(*app->infoDictionary().at("CFBundleDisplayName").string(), "Zellow");  // the raw value stays
    EXPECT_EQ(*app->objectForInfoDictionaryKey("TeamIdentifierPrefix")->string(), "RAW.");
    EXPECT_EQ(app->localizedString("Help", ""), "Hilfe");
    EXPECT_EQ(app->localizedString("Quit", ""), "Quitter");  // from the development region
    EXPECT_EQ(app->localizedString("About", "", "Menu"), "About Zellow");
    EXPECT_EQ(app->localizedString("Missing", "Fallback"), "Fallback");
    EXPECT_EQ(app->localizedString("Missing", "", "Broken"), "Missing");

    Locale::setCurrent(Locale("fr_CA"));
    EXPECT_EQ(app->localizedString("Help", ""), "Aide");
    EXPECT_EQ(*app->objectForInfoDictionaryKey("CFBundleDisplayName")->string(), "Zellow");
    Locale::resetCurrent();
}
