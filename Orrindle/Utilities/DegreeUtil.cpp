#include "Orrindle/Utilities/DegreeUtil.hpp"

#include <cmath>

namespace Orrindle::DegreeUtil {

double normalise(double degrees) {
    const double r = std::fmod(degrees, 360.0);
    if (r > 180) return r - 360;
    if (r <= -180) return r + 360;
    return r;
}

double degreesToRadians(double degrees) { return degrees * 3.141592653589793 / 180; }

}  // namespace Orrindle::DegreeUtil
