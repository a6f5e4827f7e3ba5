#include "Foundation/ModuleResourceBundle.hpp"

#include "Runtime/FatalError.hpp"

namespace Foundation::ModuleResourceBundle {

std::string fileName(std::string_view module) {
    std::string name(module);
    return name + "_" + name + ".bundle";
}

std::vector<std::optional<URL>> candidateDirectories(const std::shared_ptr<Bundle>& codeBundle) {
    auto main = Bundle::main();
    return {main ? main->resourceURL() : std::nullopt, codeBundle ? codeBundle->resourceURL() : std::nullopt,
            main ? std::optional<URL>(main->bundleURL()) : std::nullopt};
}

std::shared_ptr<Bundle> find(std::string_view module, const std::vector<std::optional<URL>>& candidates) {
    const std::string file = fileName(module);
    for (const auto& directory : candidates) {
        if (!directory) continue;
        if (auto bundle = Bundle::withURL(directory->appendingPathComponent(file, true))) return bundle;
    }
    Runtime::fatalError("unable to find bundle named " + std::string(module) + "_" + std::string(module));
}

}  // namespace Foundation::ModuleResourceBundle
