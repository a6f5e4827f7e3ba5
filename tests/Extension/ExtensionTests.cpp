#include <gtest/gtest.h>

#include <dlfcn.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "AudioToolbox/AUAudioUnitFactory.hpp"
#include "AudioToolbox/AUParameterTree.hpp"
#include "Foundation/Bundle.hpp"
#include "Host/AudioHost/RenderJob.hpp"
#include "Host/AudioHost/UnitSource.hpp"
#include "Host/AudioHost/Zellow/ZellowUnitSource.hpp"
#include "Runtime/NSObject.hpp"
#include "TestSupport/MainLoop.hpp"

namespace {

namespace fs = std::filesystem;

const std::string appex = std::string(VZ_BINARY_DIR) + "/Vantrel_Zellow.app/Contents/PlugIns/Vantrel_Zellow_Extension.appex";

const Foundation::PropertyList* entry(const Foundation::PropertyList::Dictionary& d, const std::string& key) {
    auto it = d.find(key);
    return it == d.end() ? nullptr : &it->second;
}

std::uint32_t code(const Foundation::PropertyList* p) {
    const std::string& s = *p->string();
    return std::uint32_t(std::uint8_t(s[0])) << 24 | std::uint32_t(std::uint8_t(s[1])) << 16 |
           std::uint32_t(std::uint8_t(s[2])) << 8 | std::uint32_t(std::uint8_t(s[3]));
}

// The effect as a host finds it: the bundle's Info.plist names the principal class and the
// component; loading the module registers the class; the class makes the unit.
class LoadedExtension : public AudioHost::UnitSource {
public:
    LoadedExtension() {
        bundle_ = Foundation::Bundle::withPath(appex);
        if (!bundle_) throw std::runtime_error("no extension bundle at " + appex);
        const auto* extension = entry(bundle_->infoDictionary(), "NSExtension")->dictionary();
        principal_ = *entry(*extension, "NSExtensionPrincipalClass")->string();
        const auto* attributes = entry(*extension, "NSExtensionAttributes")->dictionary();
        const auto& component = *(*entry(*attributes, "AudioComponents")->array())[0].dictionary();
        description_ = {code(entry(component, "type")), code(entry(component, "subtype")), code(entry(component, "manufacturer"))};
        handle_ = dlopen(bundle_->executableURL()->path().c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!handle_) throw std::runtime_error(dlerror());
    }
    std::shared_ptr<AudioToolbox::AUAudioUnitFactory> makeFactory() override {
        return std::dynamic_pointer_cast<AudioToolbox::AUAudioUnitFactory>(Runtime::ClassRegistry::shared().create(principal_));
    }
    AudioToolbox::AudioComponentDescription componentDescription() const override { return description_; }
    std::vector<AudioHost::HostPreset> presets() const override { return AudioHost::ZellowUnitSource().presets(); }
    const std::string& principal() const { return principal_; }

private:
    std::shared_ptr<Foundation::Bundle> bundle_;
    std::string principal_;
    AudioToolbox::AudioComponentDescription description_;
    void* handle_ = nullptr;  // kept loaded: its classes stay registered
};

std::string contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

using Extension = TestSupport::VirtualTimeTest;

TEST_F(Extension, TheBundleNamesItsPrincipalClassAndALoadedModuleRegistersIt) {
    LoadedExtension extension;
    EXPECT_EQ(extension.principal(), "AudioUnitViewController");
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

TEST_F(Extension, ASongRenderedThroughTheLoadedModuleMatchesTheEngineLinkedIn) {
    const std::string dir = std::string(VZ_BINARY_DIR) + "/test-output/extension";
    fs::create_directories(dir);
    AudioHost::RenderOptions options;
    options.preset = "Late Snare";
    options.input = std::string(VZ_SOURCE_DIR) + "/examples/demo.mid";
    LoadedExtension loaded;
    AudioHost::ZellowUnitSource linked;
    options.output = dir + "/loaded.mid";
    AudioHost::RenderJob::run(loaded, options);
    options.output = dir + "/linked.mid";
    AudioHost::RenderJob::run(linked, options);
    const std::string a = contents(dir + "/loaded.mid"), b = contents(dir + "/linked.mid");
    EXPECT_FALSE(a.empty());
    EXPECT_EQ(a, b);
    EXPECT_NE(a, contents(options.input)) << "the preset moved notes";
}

}  // namespace
