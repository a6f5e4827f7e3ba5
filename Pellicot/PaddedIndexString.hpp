#pragma once
#include <string>

namespace Pellicot {

// A frame number for an image name: at least two digits (1 gives "01", 51 gives "51").
std::string paddedIndexString(int number);

}  // namespace Pellicot
