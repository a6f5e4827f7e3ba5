#pragma once
#include <memory>
#include <string>

#include "AppKit/NSTableHeaderCell.hpp"
#include "Runtime/NSObject.hpp"

namespace AppKit {

class NSTableView;

// One column of a table: its identifier, its width between the minimum and the maximum, and the
// cell its table's header draws for it (made with the column, titled by `title`). A hidden
// column takes no room and shows nothing.
class NSTableColumn : public Runtime::NSObject {
    VZ_OBJECT(NSTableColumn, Runtime::NSObject)
public:
    using Ptr = std::shared_ptr<NSTableColumn>;

    const std::string& identifier() const { return identifier_; }
    void setIdentifier(std::string identifier) { identifier_ = std::move(identifier); }
    // The header cell's text.
    const std::string& title() const;
    void setTitle(std::string title);

    // The header cell; the table's header draws it in the column's header rectangle.
    virtual NSTableHeaderCell::Ptr headerCell() const { return headerCell_; }
    virtual void setHeaderCell(NSTableHeaderCell::Ptr cell);

    CGFloat width() const { return width_; }
    // Kept between the minimum and the maximum; the table lays out again.
    void setWidth(CGFloat width);
    CGFloat minWidth() const { return minWidth_; }
    void setMinWidth(CGFloat width);
    CGFloat maxWidth() const { return maxWidth_; }
    void setMaxWidth(CGFloat width);
    // Whether the user may drag the column's right edge in the header.
    bool isResizable() const { return resizable_; }
    void setResizable(bool flag) { resizable_ = flag; }
    bool isHidden() const { return hidden_; }
    void setHidden(bool hidden);

    // The table it is in (weak); set by the table.
    std::shared_ptr<NSTableView> tableView() const { return table_.lock(); }
    void setTableView(const std::shared_ptr<NSTableView>& table) { table_ = table; }

    void didInit() override;

protected:
    NSTableColumn() = default;
    explicit NSTableColumn(std::string identifier) : identifier_(std::move(identifier)) {}

private:
    void changed() const;

    std::string identifier_;
    NSTableHeaderCell::Ptr headerCell_;
    CGFloat width_ = 100, minWidth_ = 10, maxWidth_ = 100000;
    bool resizable_ = true;
    bool hidden_ = false;
    std::weak_ptr<NSTableView> table_;
};

}  // namespace AppKit
