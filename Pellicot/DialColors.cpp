#include "Pellicot/DialColors.hpp"

namespace Pellicot {

std::string colorWord(SmallDialColor color) {
    switch (color) {
    case SmallDialColor::yellow: return "yellow";
    case SmallDialColor::red: return "red";
    case SmallDialColor::purple: return "purple";
    case SmallDialColor::blue: break;
    }
    return "blue";
}

}  // namespace Pellicot
