#include "TessikShaders/SupporterShaderViewController.hpp"

namespace TessikShaders {

namespace {
bool isSwitch(int index) { return index >= 0 && index < 6; }
}  // namespace

std::shared_ptr<SupporterShaderViewController> SupporterShaderViewController::make(const AppKit::NSView::Ptr& view,
                                                                                 std::string rendererName) {
    auto controller = Runtime::make<SupporterShaderViewController>(std::move(rendererName));
    controller->setView(view);
    return controller;
}

std::shared_ptr<ShaderRenderer> SupporterShaderViewController::makeRenderer(MetalKit::MTKView& view) {
    auto renderer = SupporterShaderRenderer::make(view, rendererName_);
    if (switchOnStateToSetOnAppear_) renderer->switchOnState = *switchOnStateToSetOnAppear_;
    return renderer;
}

void SupporterShaderViewController::setInitialButtonStates(bool on1, bool on2, bool on3, bool on4, bool on5, bool on6) {
    const SupporterShaderRenderer::Switches states{on1 ? 1.0f : 0.0f, on2 ? 1.0f : 0.0f, on3 ? 1.0f : 0.0f,
                                                   on4 ? 1.0f : 0.0f, on5 ? 1.0f : 0.0f, on6 ? 1.0f : 0.0f};
    // Kept in every case, so the next appearance shows the latest states, not older ones.
    switchOnStateToSetOnAppear_ = states;
    if (auto r = renderer()) r->switchOnState = states;
}

void SupporterShaderViewController::switchOn(int index) {
    auto r = renderer();
    if (!r || !isSwitch(index) || r->switchOnState[std::size_t(index)] == 1.0f) return;
    r->switchOnState[std::size_t(index)] = 1.0f;
    r->recordSwitchOn(index);
}

void SupporterShaderViewController::switchOff(int index) {
    auto r = renderer();
    if (!r || !isSwitch(index) || r->switchOnState[std::size_t(index)] == 0.0f) return;
    r->switchOnState[std::size_t(index)] = 0.0f;
}

void SupporterShaderViewController::switchDown(int index) {
    if (auto r = renderer(); r && isSwitch(index)) r->switchDownState[std::size_t(index)] = 1.0f;
}

void SupporterShaderViewController::switchUp(int index) {
    if (auto r = renderer(); r && isSwitch(index)) r->switchDownState[std::size_t(index)] = 0.0f;
}

}  // namespace TessikShaders
