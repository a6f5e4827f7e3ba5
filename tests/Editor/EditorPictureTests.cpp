#include <gtest/gtest.h>

#include <filesystem>

#include "Editor/EditorTestSupport.hpp"

namespace {

using namespace EditorTest;

// The editor as a user first sees it, with a pattern and a playing step, and at other
// proportions, as PNG files for people to look at.
TEST_F(EditorFixture, SnapshotsOfTheEditor) {
    const std::string dir = std::string(VZ_BINARY_DIR) + "/snapshots";
    std::filesystem::create_directories(dir);
    auto& g = editor();
    std::string error;
    EXPECT_TRUE(g.snapshot(1)->writePNG(dir + "/editor-default.png", &error)) << error;

    const float delays[] = {0, 12, 25, 4, 0, 18, 30, 8};
    for (int k = 0; k < 8; ++k) {
        settings->steps[std::size_t(k)]->setValue(delays[k], Pellicot::ParameterEditor::ui, Pellicot::ParameterEditorState::change);
        settings->stepVelocities[std::size_t(k)]->setValue(100 - 10.0f * k, Pellicot::ParameterEditor::ui,
                                                           Pellicot::ParameterEditorState::change);
    }
    settings->stepCount->setValue(8, Pellicot::ParameterEditor::ui, Pellicot::ParameterEditorState::change);
    settings->delay->setValue(12, Pellicot::ParameterEditor::ui, Pellicot::ParameterEditorState::change);
    drain();
    EXPECT_TRUE(g.snapshot(2)->writePNG(dir + "/editor-pattern@2x.png", &error)) << error;
    // In windows of other proportions, centred between bands of its background.
    for (const std::string size : {"1000x300", "300x1000"}) {
        auto& shaped = editor(size == "1000x300" ? SwiftUI::CGSize{1000, 300} : SwiftUI::CGSize{300, 1000});
        EXPECT_TRUE(shaped.snapshot(1)->writePNG(dir + "/editor-" + size + ".png", &error)) << error;
    }
}

}  // namespace
