#include "Pellicot/ModuleBundle.hpp"

#include "Pellicot/BundleFinder.hpp"
#include "Runtime/FatalError.hpp"

namespace Pellicot::ModuleBundle {

std::vector<std::optional<Foundation::URL>> candidateDirectories() {
    std::vector<std::optional<Foundation::URL>> out;
    auto main = Foundation::Bundle::main();
    auto code = BundleFinder::bundle();
    out.push_back(main ? main->resourceURL() : std::nullopt);
    out.push_back(code ? code->resourceURL() : std::nullopt);
    out.push_back(main ? std::optional<Foundation::URL>(main->bundleURL()) : std::nullopt);
    return out;
}

std::shared_ptr<Foundation::Bundle> find(const std::vector<std::optional<Foundation::URL>>& candidates) {
    for (const auto& directory : candidates) {
        if (!directory) continue;
        if (auto bundle = Foundation::Bundle::withURL(directory->appendingPathComponent(fileName, true))) return bundle;
    }
    Runtime::fatalError("unable to find bundle named Pellicot_Pellicot");
}

const std::shared_ptr<Foundation::Bundle>& module() {
    static const std::shared_ptr<Foundation::Bundle> bundle = find(candidateDirectories());
    return bundle;
}

}  // namespace Pellicot::ModuleBundle
