#include <gtest/gtest.h>

#include <dlfcn.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "AudioToolbox/AUAudioUnitFactory.hpp"
#include "AudioToolbox/AUParameterTree.hpp"
#include "CoreGraphics/CGImage.hpp"
#include "Extension/AuhostProcess.hpp"
#include "Foundation/Bundle.hpp"
#include "Host/AudioHost/BadInput.hpp"
#include "Host/AudioHost/ExtensionUnitSource.hpp"
#include "Host/AudioHost/RenderJob.hpp"
#include "Host/AudioHost/UnitSource.hpp"
#include "Runtime/NSObject.hpp"
#include "TestSupport/MainLoop.hpp"
#include "Vantrel_Zellow_Extension/Engine/Settings.hpp"

namespace {

namespace fs = std::filesystem;

const std::string appex = std::string(VZ_BINARY_DIR) + "/Vantrel_Zellow.app/Contents/PlugIns/Vantrel_Zellow_Extension.appex";

using ExtensionTests::auhostCommand;
using ExtensionTests::fileContents;

// Units made here must not start the update check: a fetch still running on a worker when
// the test binary exits races with the TLS library's own teardown.
class Extension : public TestSupport::VirtualTimeTest {
protected:
    void SetUp() override {
        TestSupport::VirtualTimeTest::SetUp();
        Vantrel_Zellow_Extension::Settings::setDefaultUpdateFeedURL(std::nullopt);
    }
};

AudioHost::ExtensionUnitSource loaded() { return AudioHost::ExtensionUnitSource(appex); }

TEST_F(Extension, TheBundleNamesItsPrincipalClassAndALoadedModuleRegistersIt) {
    auto extension = loaded();
    EXPECT_EQ(extension.principalClass(), "AudioUnitViewController");
    EXPECT_EQ(extension.name(), "Quorvane: Vantrel Zellow");
    EXPECT_EQ(extension.componentDescription().componentType, AudioToolbox::kAudioUnitType_MIDIProcessor);
    EXPECT_TRUE(Runtime::ClassRegistry::shared().contains("AudioUnitViewController"));
    auto factory = extension.makeFactory();
    ASSERT_TRUE(factory);
    auto unit = factory->createAudioUnit(extension.componentDescription());
    ASSERT_TRUE(unit);
    EXPECT_EQ(unit->componentDescription(), extension.componentDescription());
    EXPECT_EQ(unit->parameterTree()->allParameters().size(), 39u);
    // Its editor's artwork lies in the extension's own bundle.
    EXPECT_TRUE(fs::exists(appex + "/Contents/Resources/Assets/background.png"));
    EXPECT_TRUE(fs::exists(appex + "/Contents/Resources/Assets/sliders/slider-handle.png"));
}

TEST_F(Extension, ASongRenderedThroughTheLoadedModuleMovesNotes) {
    const std::string dir = std::string(VZ_BINARY_DIR) + "/test-output/extension";
    fs::create_directories(dir);
    AudioHost::RenderOptions options;
    options.preset = "Late Snare";
    options.input = std::string(VZ_SOURCE_DIR) + "/examples/demo.mid";
    options.output = dir + "/loaded.mid";
    auto extension = loaded();
    AudioHost::RenderJob::run(extension, options);
    const std::string rendered = fileContents(options.output);
    EXPECT_FALSE(rendered.empty());
    EXPECT_NE(rendered, fileContents(options.input)) << "the preset moved notes";
}

TEST_F(Extension, BundlesThatCannotBeHostedAreClearErrors) {
    const fs::path dir = fs::path(VZ_BINARY_DIR) / "test-output" / "extension-errors";
    fs::remove_all(dir);
    fs::create_directories(dir / "Plain.appex" / "Contents");
    // Inside an application, where an extension's module is loaded from.
    const fs::path noClass = dir / "Host.app" / "Contents" / "PlugIns" / "NoClass.appex";
    fs::create_directories(noClass / "Contents" / "MacOS");
    {
        std::ofstream(dir / "Plain.appex" / "Contents" / "Info.plist")
            << "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>CFBundleName</key><string>Plain</string></dict></plist>";
        // A real extension's Info.plist over a module that registers nothing: the kit's library.
        std::string info = fileContents(appex + "/Contents/Info.plist");
        const std::string from = "<string>Vantrel_Zellow_Extension.so</string>";
        info.replace(info.find(from), from.size(), "<string>libPellicot.so</string>");
        std::ofstream(noClass / "Contents" / "Info.plist") << info;
        fs::copy_file(fs::path(VZ_BINARY_DIR) / "Vantrel_Zellow.app/Contents/Frameworks/libPellicot.so", noClass / "Contents" / "MacOS" / "libPellicot.so");
    }
    struct Case {
        fs::path bundle;
        std::string says;
    };
    for (const Case& c : {Case{dir / "Missing.appex", "no such extension bundle"},
                          Case{dir / "Plain.appex", "not an Audio Unit extension"}}) {
        try {
            AudioHost::ExtensionUnitSource source(c.bundle);
            ADD_FAILURE() << c.bundle << " was accepted";
        } catch (const AudioHost::BadInput& e) {
            EXPECT_NE(std::string(e.what()).find(c.says), std::string::npos) << e.what();
        }
    }
    const std::string auhost = auhostCommand();
    EXPECT_EQ(WEXITSTATUS(std::system((auhost + " --extension " + (dir / "Plain.appex").string() + " list 2>/dev/null").c_str())), 2);
    EXPECT_EQ(WEXITSTATUS(std::system((auhost + " --extension " + (dir / "Missing.appex").string() + " params 2>/dev/null").c_str())), 2);
    // In a fresh process, where only the bundle's own module can register the class.
    const std::string log = (dir / "noclass.txt").string();
    EXPECT_EQ(WEXITSTATUS(std::system((auhost + " --extension " + noClass.string() + " list 2>" + log).c_str())), 2);
    EXPECT_NE(fileContents(log).find("registers no class named \"AudioUnitViewController\""), std::string::npos) << fileContents(log);
}

// The editor of the extension as auhost shows it, playing the demo song: a 640 x 480 picture.
TEST_F(Extension, AuhostEditWritesASnapshotOfTheEditorPlaying) {
    const std::string auhost = auhostCommand();
    const std::string out = std::string(VZ_BINARY_DIR) + "/snapshots/editor.png";
    fs::create_directories(fs::path(out).parent_path());
    fs::remove(out);
    const std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY " + auhost + " edit --play " + std::string(VZ_SOURCE_DIR) +
                                "/examples/demo.mid --snapshot " + out + " --seconds 1 >/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    auto image = CoreGraphics::CGImage::readPNG(out);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width(), 640u);
    EXPECT_EQ(image->height(), 480u);
    EXPECT_EQ(WEXITSTATUS(std::system((auhost + " edit --size 10 2>/dev/null").c_str())), 2) << "a bad size";
}

}  // namespace
