#pragma once
#include <memory>
#include <optional>
#include <string>

#include "AppKit/NSTableColumn.hpp"

namespace Orrindle {

// A table column that carries an image into whatever header cell it holds: every read and
// every setting of the header cell gives the cell the column's image (none included). Setting
// the image alone leaves the cell as it is until then.
class StyledTableColumn : public AppKit::NSTableColumn {
    VZ_OBJECT(StyledTableColumn, AppKit::NSTableColumn)
public:
    using Ptr = std::shared_ptr<StyledTableColumn>;

    const AppKit::NSImage::Ptr& image() const { return image_; }
    void setImage(AppKit::NSImage::Ptr image) { image_ = std::move(image); }
    // A free identifier for the column's owner; the column never reads it.
    const std::optional<std::string>& idString() const { return idString_; }
    void setIdString(std::optional<std::string> id) { idString_ = std::move(id); }

    AppKit::NSTableHeaderCell::Ptr headerCell() const override;
    void setHeaderCell(AppKit::NSTableHeaderCell::Ptr cell) override;

protected:
    StyledTableColumn() = default;
    explicit StyledTableColumn(std::string identifier) : AppKit::NSTableColumn(std::move(identifier)) {}

private:
    AppKit::NSImage::Ptr image_;
    std::optional<std::string> idString_;
};

}  // namespace Orrindle
