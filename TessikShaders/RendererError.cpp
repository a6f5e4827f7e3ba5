#include "TessikShaders/RendererError.hpp"

#include "Foundation/Bundle.hpp"

namespace TessikShaders {

std::string localizedRendererErrorDescription() {
    // Translators: error message shown run on a machine without metal.
    auto main = Foundation::Bundle::main();
    return main ? main->localizedString("MetalRenderer.Error.description", "No valid metal device")
                : "No valid metal device";
}

}  // namespace TessikShaders
