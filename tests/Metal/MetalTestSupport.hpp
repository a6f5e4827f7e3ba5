#pragma once
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>

#include "Foundation/Bundle.hpp"
#include "Metal/MTLDevice.hpp"
#include "Metal/MetalTesting.hpp"
#include "MetalKit/MTKView.hpp"
#include "TestSupport/MainLoop.hpp"

namespace MetalTest {

// Virtual time, and every platform switch back off after the test.
class MetalTest : public TestSupport::VirtualTimeTest {
protected:
    void TearDown() override {
        Metal::Testing::reset();
        MetalKit::MTKView::Testing::setDrawablesWithheld(false);
        MetalKit::MTKView::Testing::setRenderPassDescriptorsWithheld(false);
        TestSupport::VirtualTimeTest::TearDown();
        if (!bundleDir_.empty()) std::filesystem::remove_all(bundleDir_);
    }

    // A bundle whose library file holds `text`; without text, a bundle with no library file.
    std::shared_ptr<Foundation::Bundle> bundleWithLibrary(const std::string& name, const std::string& text) {
        bundleDir_ = std::filesystem::temp_directory_path() / ("metal-tests-" + std::to_string(::getpid()));
        auto dir = bundleDir_ / (name + ".bundle");
        std::filesystem::create_directories(dir / "Resources");
        std::ofstream(dir / "Info.plist") << "<plist><dict></dict></plist>\n";
        if (!text.empty()) std::ofstream(dir / "Resources" / "default.metallib") << text;
        return Foundation::Bundle::withPath(dir.string());
    }

    std::filesystem::path bundleDir_;
};

}  // namespace MetalTest
