#include "Host/AudioHost/ExtensionUnitSource.hpp"

#include <algorithm>
#include <optional>

#include "Host/AudioHost/BadInput.hpp"
#include "Host/AudioHost/LoadableModule.hpp"
#include "Host/AudioHost/QuotedText.hpp"

namespace AudioHost {

namespace {

using Dictionary = Foundation::PropertyList::Dictionary;

const Foundation::PropertyList* entry(const Dictionary* d, const std::string& key) {
    if (!d) return nullptr;
    auto it = d->find(key);
    return it == d->end() ? nullptr : &it->second;
}

const std::string* text(const Dictionary* d, const std::string& key) {
    const auto* e = entry(d, key);
    return e ? e->string() : nullptr;
}

std::uint32_t fourCharCode(const Dictionary* d, const std::string& key, const std::string& bundle) {
    const std::string* s = text(d, key);
    if (!s || s->size() != 4) throw BadInput(bundle + ": the audio component's " + key + " is not a four-character code");
    std::uint32_t code = 0;
    for (char c : *s) code = code << 8 | std::uint8_t(c);
    return code;
}

// The module's real path, once it is sure that neither the module nor the libraries its run
// paths lead to lie outside what carries them: an extension's run paths lead to the Frameworks
// folder of the application it sits in (X.app/Contents/PlugIns/Y.appex), so one on its own
// would load whatever libraries lie beside the folder that holds it.
std::filesystem::path containedModule(const std::filesystem::path& bundlePath, const std::string& modulePath,
                                      const std::string& shown) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path bundle = fs::canonical(bundlePath, error);
    const fs::path module = error ? fs::path() : fs::canonical(modulePath, error);
    if (error) throw BadInput(shown + ": its module " + modulePath + " cannot be found (" + error.message() + ")");
    const fs::path inside = module.lexically_relative(bundle);
    if (inside.empty() || *inside.begin() == "..")
        throw BadInput(shown + ": its module " + modulePath + " lies outside the bundle (at " + module.string() + ")");
    const fs::path plugIns = bundle.parent_path(), contents = plugIns.parent_path();
    if (plugIns.filename() != "PlugIns" || contents.filename() != "Contents" || contents.parent_path().extension() != ".app")
        throw BadInput(shown + ": not inside an application's Contents/PlugIns folder: on its own an extension would load "
                               "its libraries from outside itself");
    return module;
}

}  // namespace

ExtensionUnitSource::ExtensionUnitSource(const std::filesystem::path& bundlePath) : path_(bundlePath) {
    const std::string shown = bundlePath.string();
    auto bundle = Foundation::Bundle::withPath(shown);
    if (!bundle) throw BadInput(shown + ": no such extension bundle");
    if (const auto& problem = bundle->infoDictionaryProblem())
        throw BadInput(shown + ": not an Audio Unit extension: its Info.plist does not read (" + *problem + ")");
    const Dictionary* extension = nullptr;
    if (const auto* e = entry(&bundle->infoDictionary(), "NSExtension")) extension = e->dictionary();
    const std::string* principal = text(extension, "NSExtensionPrincipalClass");
    const Dictionary* attributes = nullptr;
    if (const auto* a = entry(extension, "NSExtensionAttributes")) attributes = a->dictionary();
    const Foundation::PropertyList* components = entry(attributes, "AudioComponents");
    if (!principal || !components || !components->array() || components->array()->empty() ||
        !(*components->array())[0].dictionary())
        throw BadInput(shown + ": not an Audio Unit extension (its Info.plist names no principal class and audio component)");
    principal_ = *principal;
    const Dictionary* component = (*components->array())[0].dictionary();
    description_ = {fourCharCode(component, "type", shown), fourCharCode(component, "subtype", shown),
                    fourCharCode(component, "manufacturer", shown)};
    if (const std::string* n = text(component, "name")) name_ = *n;

    const auto executable = bundle->executableURL();
    if (!executable) throw BadInput(shown + ": the bundle names no executable");
    const std::string& executableName = *bundle->objectForInfoDictionaryKey("CFBundleExecutable")->string();
    if (executableName.find_first_of(std::string("/\0", 2)) != std::string::npos || executableName == "." || executableName == "..")
        throw BadInput(shown + ": its executable " + quotedText(executableName) + " is no file name in the bundle's MacOS folder");
    LoadableModule::check(executable->path(), shown);
    const std::filesystem::path module = containedModule(bundlePath, executable->path(), shown);
    // Kept loaded for the life of the process: its classes stay registered. Loaded by its real
    // path, the one checked, so that its run paths start from there.
    LoadableModule::load(module.string(), shown);
    if (!Runtime::ClassRegistry::shared().contains(principal_))
        throw BadInput(shown + ": its module registers no class named \"" + principal_ + "\"");
}

std::vector<std::filesystem::path> ExtensionUnitSource::findExtensions(const std::filesystem::path& directory) {
    std::vector<std::filesystem::path> out;
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(directory, ec))
        if (e.is_directory() && e.path().extension() == ".appex") out.push_back(e.path());
    std::sort(out.begin(), out.end());
    return out;
}

std::unique_ptr<ExtensionUnitSource> ExtensionUnitSource::firstHostable(const std::vector<std::filesystem::path>& bundles) {
    std::optional<BadInput> first;
    for (const auto& bundle : bundles) {
        try {
            return std::make_unique<ExtensionUnitSource>(bundle);
        } catch (const BadInput& error) {
            if (!first) first = error;
        }
    }
    if (first) throw *first;
    throw BadInput("no extension bundle to host");
}

std::shared_ptr<Runtime::NSObject> ExtensionUnitSource::makePrincipal() const {
    return Runtime::ClassRegistry::shared().create(principal_);
}

std::shared_ptr<AudioToolbox::AUAudioUnitFactory> ExtensionUnitSource::makeFactory() {
    auto factory = std::dynamic_pointer_cast<AudioToolbox::AUAudioUnitFactory>(makePrincipal());
    if (!factory) throw UnitFailure(path_.string() + ": the principal class \"" + principal_ + "\" is no Audio Unit factory");
    return factory;
}

}  // namespace AudioHost
