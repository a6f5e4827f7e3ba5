#pragma once
#include <memory>
#include <optional>
#include <string>

#include "AppKit/NSSearchFieldCell.hpp"
#include "Orrindle/Protocols/StyledControl.hpp"
#include "Orrindle/Styles/SearchFieldCellStyle.hpp"
#include "Runtime/MainActor.hpp"

namespace Orrindle {

// The kit's search field cell: a bezel image ("kvu-searchfield", or the plain text-field bezel
// without the search icon), the text laid out between the search icon and the cancel button and
// drawn by the cell itself (the placeholder in the kit's placeholder colour), and a transparent
// field editor in the kit's text colours placed exactly over the text rectangle.
class StyledSearchFieldCell : public AppKit::NSSearchFieldCell, public StyledControl<SearchFieldCellStyle> {
    VZ_OBJECT(StyledSearchFieldCell, AppKit::NSSearchFieldCell)
public:
    using Ptr = std::shared_ptr<StyledSearchFieldCell>;

    // Made on first use: the text-field look on the two search-field bezels.
    static std::shared_ptr<SearchFieldCellStyle> sharedStyle() { return Orrindle::sharedStyle<StyledSearchFieldCell, SearchFieldCellStyle>(); }
    std::shared_ptr<SearchFieldCellStyle> style() const override { return sharedStyle(); }

    bool showsSearchIcon() const { return showsSearchIcon_; }
    void setShowsSearchIcon(bool flag) { Runtime::assertMainActor(); showsSearchIcon_ = flag; updateControlView(); }
    bool verticallyCenter() const { return verticallyCenter_; }
    void setVerticallyCenter(bool flag) { Runtime::assertMainActor(); verticallyCenter_ = flag; updateControlView(); }
    AppKit::NSImage::Ptr styleBezelImage() const;

    // The placeholder as last set; a placeholder also becomes the attributed one in the kit's
    // placeholder colour (none leaves that as it was).
    std::optional<std::string> placeholderString() const override { return placeholder_; }
    void setPlaceholderString(std::optional<std::string> placeholder) override;
    // Setting it also takes the text colour of the current state.
    void setBackgroundStyle(AppKit::NSBackgroundStyle style) override;
    AppKit::NSBackgroundStyle interiorBackgroundStyle() const override { return style()->interiorBackgroundStyle(); }

    AppKit::CGRect drawingRect(AppKit::CGRect forBounds) const override;
    AppKit::CGRect searchTextRect(AppKit::CGRect forBounds) const override;
    void draw(AppKit::CGRect withFrame, AppKit::NSView& in) override;
    void drawInterior(AppKit::CGRect withFrame, AppKit::NSView& in) override;
    void select(AppKit::CGRect withFrame, AppKit::NSView& in, AppKit::NSText& editor,
                const std::shared_ptr<Runtime::NSObject>& delegate, long start, long length) override;
    void edit(AppKit::CGRect withFrame, AppKit::NSView& in, AppKit::NSText& editor,
              const std::shared_ptr<Runtime::NSObject>& delegate, const AppKit::NSEvent* event) override;
    AppKit::NSText& setUpFieldEditorAttributes(AppKit::NSText& editor) override;

    void didInit() override;

private:
    CoreGraphics::AttributedText attributedString(const std::string& text, const AppKit::NSColor::Ptr& color = nullptr) const;
    void clearEditorBackground(AppKit::NSText& editor) const;
    // Where the text is drawn from the top left of the text rectangle.
    AppKit::CGSize textOffset() const;

    bool showsSearchIcon_ = true;
    bool verticallyCenter_ = true;
    std::optional<std::string> placeholder_;
    bool isBeingEdited_ = false;
    bool isBeingSelected_ = false;

protected:
    StyledSearchFieldCell() = default;
};

}  // namespace Orrindle
