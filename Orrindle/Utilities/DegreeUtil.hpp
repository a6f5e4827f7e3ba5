#pragma once

namespace Orrindle::DegreeUtil {

// The same angle in (-180, 180].
double normalise(double degrees);
double degreesToRadians(double degrees);

}  // namespace Orrindle::DegreeUtil
