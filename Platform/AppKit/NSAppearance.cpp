#include "AppKit/NSAppearance.hpp"

namespace AppKit {

namespace {
std::shared_ptr<NSAppearance>& systemAppearance() {
    static std::shared_ptr<NSAppearance> a = NSAppearance::named(NSAppearance::aqua);
    return a;
}
std::shared_ptr<NSAppearance>& drawingAppearance() {
    static std::shared_ptr<NSAppearance> a;
    return a;
}
}  // namespace

std::shared_ptr<NSAppearance> NSAppearance::currentDrawing() { return drawingAppearance(); }
void NSAppearance::setCurrentDrawing(const std::shared_ptr<NSAppearance>& appearance) { drawingAppearance() = appearance; }

std::shared_ptr<NSAppearance> NSAppearance::named(const std::string& name) {
    static const std::shared_ptr<NSAppearance> light = Runtime::make<NSAppearance>(std::string(aqua));
    static const std::shared_ptr<NSAppearance> dark = Runtime::make<NSAppearance>(std::string(darkAqua));
    if (name == aqua) return light;
    if (name == darkAqua) return dark;
    return nullptr;
}

std::shared_ptr<NSAppearance> NSAppearance::system() { return systemAppearance(); }

void NSAppearance::setSystem(const std::shared_ptr<NSAppearance>& appearance) {
    systemAppearance() = appearance ? appearance : named(aqua);
}

}  // namespace AppKit
