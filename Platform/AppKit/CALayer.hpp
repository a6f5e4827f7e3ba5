#pragma once
#include "QuartzCore/CALayer.hpp"

namespace AppKit {

// A layer-backed view's layer is the Core Animation layer.
using CALayer = QuartzCore::CALayer;

}  // namespace AppKit
