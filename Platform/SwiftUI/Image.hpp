#pragma once
#include <memory>
#include <string>

#include "CoreGraphics/ImageAsset.hpp"
#include "SwiftUI/Resources.hpp"
#include "SwiftUI/View.hpp"

namespace SwiftUI {

// A picture of a bundle's catalogue, at its own size unless made resizable; an image the
// catalogue slices takes the size it is offered along its sliced axes, its caps kept. A missing
// image is empty and takes no space.
class Image : public ViewImpl, public View<Image> {
public:
    enum class RenderingMode { original, template_ };
    // How a resizable image fills a larger size.
    enum class ResizingMode { tile = 0, stretch = 1 };

    Image(std::string name, std::shared_ptr<const Foundation::Bundle> bundle = nullptr)
        : name_(std::move(name)), bundle_(std::move(bundle)) {}
    Image(const ImageResource& resource) : Image(resource.name, resource.bundle) {}
    explicit Image(CoreGraphics::ImageRef image) : name_(image ? image->name() : ""), image_(std::move(image)) {}

    // Stretched to the size it is offered.
    Image resizable() const;
    Image renderingMode(RenderingMode mode) const;

    const std::string& name() const { return name_; }
    CoreGraphics::ImageRef asset() const;
    bool isResizable() const { return resizable_; }

    CGSize sizeThatFits(ViewNode& node, ProposedViewSize proposal) const override;
    void render(const ViewNode& node, RenderNode& r) const override;

private:
    std::string name_;
    std::shared_ptr<const Foundation::Bundle> bundle_;
    CoreGraphics::ImageRef image_;
    bool resizable_ = false;
    std::optional<RenderingMode> mode_;
};

}  // namespace SwiftUI
