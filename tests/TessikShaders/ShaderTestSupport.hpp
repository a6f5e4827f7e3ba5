#pragma once
#include <memory>
#include <optional>

#include "AppKit/NSApplication.hpp"
#include "Metal/MTLCommandBuffer.hpp"
#include "Metal/MTLDevice.hpp"
#include "Metal/MetalTesting.hpp"
#include "MetalKit/MTKView.hpp"
#include "TestSupport/MainLoop.hpp"

namespace ShaderTest {

// Virtual time, a clean application, and every Metal switch back off afterwards.
class ShaderTest : public TestSupport::VirtualTimeTest {
protected:
    void TearDown() override {
        AppKit::NSApplication::shared().resetForTesting();
        Metal::Testing::reset();
        MetalKit::MTKView::Testing::setDrawablesWithheld(false);
        MetalKit::MTKView::Testing::setRenderPassDescriptorsWithheld(false);
        TestSupport::VirtualTimeTest::TearDown();
    }

    static MetalKit::MTKView::Ptr metalView(double width = 400, double height = 300) {
        auto view = MetalKit::MTKView::make({0, 0, width, height}, Metal::MTLCreateSystemDefaultDevice());
        view->setColorPixelFormat(Metal::MTLPixelFormat::rgba16Float);
        view->setColorspace(CoreGraphics::CGColorSpace::extendedLinearSRGB);
        return view;
    }

    static std::shared_ptr<Metal::MTLCommandBuffer> lastFrame() {
        return Metal::MTLCreateSystemDefaultDevice()->lastCommittedCommandBuffer();
    }
    // The inline fragment bytes at `index` of the last frame, read as T.
    template <class T>
    static std::optional<T> fragmentInput(int index) {
        auto frame = lastFrame();
        if (!frame || frame->encoders().empty()) return std::nullopt;
        const auto* c = frame->encoders()[0]->find(Metal::MTLEncodedCommand::Kind::setFragmentBytes, index);
        if (!c) c = frame->encoders()[0]->find(Metal::MTLEncodedCommand::Kind::setFragmentBuffer, index);
        return c ? c->as<T>() : std::nullopt;
    }
};

}  // namespace ShaderTest
