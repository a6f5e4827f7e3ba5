#include "Orrindle/Tables/StyledTableColumn.hpp"

namespace Orrindle {

AppKit::NSTableHeaderCell::Ptr StyledTableColumn::headerCell() const {
    auto cell = AppKit::NSTableColumn::headerCell();
    if (cell) cell->setImage(image_);
    return cell;
}

void StyledTableColumn::setHeaderCell(AppKit::NSTableHeaderCell::Ptr cell) {
    if (cell) cell->setImage(image_);
    AppKit::NSTableColumn::setHeaderCell(std::move(cell));
}

}  // namespace Orrindle
