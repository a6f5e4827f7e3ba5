#pragma once
#include <memory>
#include <string>
#include <vector>

#include "Metal/MTLFunction.hpp"

namespace Foundation {
class Bundle;
}

namespace Metal {

// The functions a library file names that this process has compiled in.
class MTLLibrary {
public:
    // The library the bundle's "default.metallib" names: "library <label>" once, then
    // "function <name>" per line, '#' comments. Throws Foundation::NSError
    // (MTLLibraryErrorDomain) when the bundle has none, it is no regular file of a list's size
    // (Foundation::ResourceFile) or it does not read.
    static std::shared_ptr<MTLLibrary> fromBundle(const Foundation::Bundle& bundle);

    MTLLibrary(std::string label, std::vector<std::string> functionNames)
        : label_(std::move(label)), names_(std::move(functionNames)) {}
    const std::string& label() const { return label_; }
    const std::vector<std::string>& functionNames() const { return names_; }
    // nullptr for a name the library does not hold.
    std::shared_ptr<MTLFunction> newFunction(const std::string& name) const;

private:
    std::string label_;
    std::vector<std::string> names_;
};

}  // namespace Metal
