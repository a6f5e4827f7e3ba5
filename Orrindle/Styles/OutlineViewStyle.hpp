#pragma once
#include "Orrindle/Styles/TableViewStyle.hpp"

namespace Orrindle {

// Outline views: the table look.
class OutlineViewStyle : public TableViewStyle {};

}  // namespace Orrindle
