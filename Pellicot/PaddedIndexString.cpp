#include "Pellicot/PaddedIndexString.hpp"

namespace Pellicot {

std::string paddedIndexString(int number) {
    return number <= 9 ? "0" + std::to_string(number) : std::to_string(number);
}

}  // namespace Pellicot
