#include <unistd.h>

#include <exception>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "Host/AudioHost/AudioHostCommand.hpp"
#include "Host/AudioHost/BadInput.hpp"
#include "Host/AudioHost/ExtensionUnitSource.hpp"
#include "Host/AudioHost/Tool/EditCommand.hpp"
#include "Host/AudioHost/Zellow/ZellowUnitSource.hpp"
#include "Vantrel_Zellow_Extension/Engine/Settings.hpp"

namespace fs = std::filesystem;

namespace {

// The built application's plug-ins: auhost lives in <build>/bin, the application in <build>.
fs::path builtPlugIns() {
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return exe.parent_path().parent_path() / "Vantrel_Zellow.app" / "Contents" / "PlugIns";
}

// The extension bundles a path names: an .appex itself, or the ones in a folder.
std::vector<fs::path> extensionsAt(const fs::path& path) {
    if (path.extension() == ".appex") return {path};
    auto found = AudioHost::ExtensionUnitSource::findExtensions(path);
    if (found.empty()) throw AudioHost::BadInput(path.string() + ": no extension bundle (.appex) there");
    return found;
}

std::string codeText(std::uint32_t c) {
    return {char(c >> 24), char(c >> 16 & 0xFF), char(c >> 8 & 0xFF), char(c & 0xFF)};
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    // The host touches no network: the effect's update check stays off in every unit it makes.
    Vantrel_Zellow_Extension::Settings::setDefaultUpdateFeedURL(std::nullopt);
    try {
        // --extension PATH, anywhere: the bundle (or folder of bundles) to host.
        fs::path where = builtPlugIns();
        for (std::size_t i = 0; i < arguments.size(); ++i) {
            if (arguments[i] != "--extension") continue;
            if (i + 1 >= arguments.size()) throw AudioHost::BadInput("--extension needs a path");
            where = arguments[i + 1];
            arguments.erase(arguments.begin() + long(i), arguments.begin() + long(i) + 2);
            break;
        }
        const bool wantsHelp = arguments.empty() || arguments[0] == "--help" || arguments[0] == "-h" || arguments[0] == "help";
        if (wantsHelp) {
            AudioHost::ZellowUnitSource unused;
            return AudioHost::AudioHostCommand(unused, std::cout, std::cerr).run(arguments);
        }
        const auto bundles = extensionsAt(where);
        const std::vector<AudioHost::HostPreset> presets = AudioHost::ZellowUnitSource().presets();
        if (arguments[0] == "list") {
            for (const auto& bundle : bundles) {
                AudioHost::ExtensionUnitSource source(bundle, presets);
                const auto d = source.componentDescription();
                std::cout << codeText(d.componentType) << ' ' << codeText(d.componentSubType) << ' '
                          << codeText(d.componentManufacturer) << "  " << source.name() << "  (" << bundle.string() << ")\n";
            }
            return 0;
        }
        AudioHost::ExtensionUnitSource source(bundles.front(), presets);
        if (arguments[0] == "edit")
            return AudioHost::runEdit(source, std::vector<std::string>(arguments.begin() + 1, arguments.end()), std::cout, std::cerr);
        return AudioHost::AudioHostCommand(source, std::cout, std::cerr).run(arguments);
    } catch (const AudioHost::BadInput& error) {
        std::cerr << "auhost: " << error.what() << '\n';
        return 2;
    } catch (const std::exception& error) {
        std::cerr << "auhost: " << error.what() << '\n';
        return 1;
    }
}
