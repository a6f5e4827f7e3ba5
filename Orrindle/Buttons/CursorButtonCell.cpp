#include "Orrindle/Buttons/CursorButtonCell.hpp"

namespace Orrindle {

void CursorButtonCell::highlight(bool, AppKit::CGRect, AppKit::NSView&) {}

}  // namespace Orrindle
