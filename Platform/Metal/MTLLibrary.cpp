#include "Metal/MTLLibrary.hpp"

#include <algorithm>
#include <sstream>

#include "Foundation/Bundle.hpp"
#include "Foundation/NSError.hpp"
#include "Foundation/QuotedText.hpp"
#include "Foundation/ResourceFile.hpp"
#include "Metal/MTLTypes.hpp"

namespace Metal {

std::shared_ptr<MTLLibrary> MTLLibrary::fromBundle(const Foundation::Bundle& bundle) {
    auto url = bundle.urlForResource("default", "metallib");
    if (!url)
        throw Foundation::NSError(MTLLibraryErrorDomain, MTLLibraryErrorFileNotFound,
                                  "no default library was found in " + bundle.bundleURL().path());
    Foundation::Data bytes;
    try {
        bytes = Foundation::ResourceFile::read(url->path(), "a shader library");
    } catch (const Foundation::NSError& error) {
        throw Foundation::NSError(MTLLibraryErrorDomain, MTLLibraryErrorFileNotFound, error.localizedDescription());
    }
    std::istringstream in(std::string(bytes.begin(), bytes.end()));
    std::string line, label;
    std::vector<std::string> names;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string key, value;
        if (!(words >> key) || key[0] == '#') continue;
        words >> value;
        if (key == "library" && !value.empty()) label = value;
        else if (key == "function" && !value.empty()) names.push_back(value);
        else
            throw Foundation::NSError(MTLLibraryErrorDomain, MTLLibraryErrorInternal,
                                      url->path() + ": cannot read the line " + Foundation::quotedText(line));
    }
    if (label.empty())
        throw Foundation::NSError(MTLLibraryErrorDomain, MTLLibraryErrorInternal, url->path() + " names no library");
    return std::make_shared<MTLLibrary>(label, std::move(names));
}

std::shared_ptr<MTLFunction> MTLLibrary::newFunction(const std::string& name) const {
    if (std::find(names_.begin(), names_.end(), name) == names_.end()) return nullptr;
    auto entry = ShaderFunctionRegistry::find(name);
    if (!entry) return nullptr;
    return std::make_shared<MTLFunction>(std::move(*entry));
}

}  // namespace Metal
