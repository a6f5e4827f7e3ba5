#pragma once
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "Foundation/Bundle.hpp"
#include "Host/AudioHost/UnitSource.hpp"
#include "Runtime/NSObject.hpp"

namespace AudioHost {

// An Audio Unit extension loaded as the platform's hosts load one: its bundle's Info.plist
// names the principal class and the audio component; loading the bundle's module runs its
// entry, which registers the class; each factory is a new instance of that class.
class ExtensionUnitSource : public UnitSource {
public:
    // Throws BadInput when the path is no bundle, the bundle is no Audio Unit extension, its
    // module lies outside it or does not load, or loading it registers no class of the
    // principal's name. Only a bundle inside an application's Contents/PlugIns folder is
    // loaded: its module's libraries are the application's.
    explicit ExtensionUnitSource(const std::filesystem::path& bundlePath);

    // The .appex bundles directly inside `directory` (a PlugIns folder), by name.
    static std::vector<std::filesystem::path> findExtensions(const std::filesystem::path& directory);
    // The first of `bundles` that can be hosted; throws the first one's BadInput when none can.
    static std::unique_ptr<ExtensionUnitSource> firstHostable(const std::vector<std::filesystem::path>& bundles);

    std::shared_ptr<AudioToolbox::AUAudioUnitFactory> makeFactory() override;
    AudioToolbox::AudioComponentDescription componentDescription() const override { return description_; }

    // A new instance of the principal class (the editor's view controller as well as the
    // factory of an Audio Unit extension).
    std::shared_ptr<Runtime::NSObject> makePrincipal() const;
    const std::string& principalClass() const { return principal_; }
    const std::string& name() const { return name_; }
    const std::filesystem::path& bundlePath() const { return path_; }

private:
    std::filesystem::path path_;
    std::string principal_;
    std::string name_;
    AudioToolbox::AudioComponentDescription description_;
};

}  // namespace AudioHost
