#pragma once
#include <memory>

#include "AppKit/NSTableHeaderView.hpp"
#include "Orrindle/Styles/TableViewStyle.hpp"

namespace Orrindle {

// A table header view with a class-wide table style, for whoever wants one; the view itself
// applies none of it.
class StyledTableHeaderView : public AppKit::NSTableHeaderView {
    VZ_OBJECT(StyledTableHeaderView, AppKit::NSTableHeaderView)
public:
    using Ptr = std::shared_ptr<StyledTableHeaderView>;

    // Made on first use; may be replaced.
    static std::shared_ptr<TableViewStyle> style() { return styleSlot(); }
    static void setStyle(std::shared_ptr<TableViewStyle> style) { styleSlot() = std::move(style); }

protected:
    StyledTableHeaderView() = default;
    explicit StyledTableHeaderView(AppKit::CGRect frame) : AppKit::NSTableHeaderView(frame) {}

private:
    static std::shared_ptr<TableViewStyle>& styleSlot() {
        static std::shared_ptr<TableViewStyle> style = std::make_shared<TableViewStyle>();
        return style;
    }
};

}  // namespace Orrindle
