#pragma once
#include "CoreGraphics/Geometry.hpp"

namespace Pellicot {

using CoreGraphics::CGFloat;
using CoreGraphics::CGPoint;
using CoreGraphics::CGRect;
using CoreGraphics::CGSize;

}  // namespace Pellicot
