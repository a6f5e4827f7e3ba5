#pragma once
#include <cstddef>
#include <exception>
#include <functional>
#include <string>

namespace TessikShaders {

// What a renderer throws when the view gives it nothing to draw with: no Metal device, no
// command queue, or no memory for its buffers. Each renderer nests its own type (the Tag),
// all with the same text.
template <class Tag>
class RendererErrorOf : public std::exception {
public:
    enum class Code { noValidDevice };
    static RendererErrorOf noValidDevice() { return RendererErrorOf(Code::noValidDevice); }

    Code code() const { return code_; }
    // The localized text: key "MetalRenderer.Error.description" of the main bundle's
    // default table, "No valid metal device" without a translation.
    std::string errorDescription() const;
    const char* what() const noexcept override { return "No valid metal device"; }

    friend bool operator==(const RendererErrorOf& a, const RendererErrorOf& b) { return a.code_ == b.code_; }

private:
    explicit RendererErrorOf(Code code) : code_(code) {}
    Code code_;
};

std::string localizedRendererErrorDescription();

template <class Tag>
std::string RendererErrorOf<Tag>::errorDescription() const {
    return localizedRendererErrorDescription();
}

}  // namespace TessikShaders

template <class Tag>
struct std::hash<TessikShaders::RendererErrorOf<Tag>> {
    std::size_t operator()(const TessikShaders::RendererErrorOf<Tag>& e) const noexcept {
        return std::hash<int>()(int(e.code()));
    }
};
