#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "AppKit/NSAppearance.hpp"
#include "Orrindle/Styles/BackButtonCellStyle.hpp"
#include "Orrindle/Styles/ButtonCellStyle.hpp"
#include "Orrindle/Styles/CheckBoxCellStyle.hpp"
#include "Orrindle/Styles/ComboBoxStyle.hpp"
#include "Orrindle/Styles/CornerButtonCellStyle.hpp"
#include "Orrindle/Styles/FavouriteCheckBoxCellStyle.hpp"
#include "Orrindle/Styles/HeaderTextFieldStyle.hpp"
#include "Orrindle/Styles/OutlineViewStyle.hpp"
#include "Orrindle/Styles/PopUpButtonCellStyle.hpp"
#include "Orrindle/Styles/PopoverStyle.hpp"
#include "Orrindle/Styles/SearchFieldCellStyle.hpp"
#include "Orrindle/Styles/SegmentedCellStyle.hpp"
#include "Orrindle/Styles/StyledPopDownButtonCellStyle.hpp"
#include "Orrindle/Styles/Styles.hpp"
#include "Orrindle/Styles/TableGroupLabelCellStyle.hpp"
#include "Orrindle/Styles/TableRowLabelCellStyle.hpp"
#include "Orrindle/Styles/TextLabelCellStyle.hpp"
#include "Orrindle/Styles/ToolButtonCellStyle.hpp"
#include "Orrindle/Styles/ToolPopUpButtonCellStyle.hpp"
#include "Orrindle/Styles/WindowStyle.hpp"

namespace {

using namespace Orrindle;
using S = StyledControlState;
using AppKit::NSEdgeInsets;

std::string imageName(const AppKit::NSImage::Ptr& image) { return image ? image->name() : "none"; }
std::string colourName(const AppKit::NSColor::Ptr& colour) { return colour ? colour->name() : "none"; }

// Every (state, image name) of a table.
std::vector<std::pair<S::RawValue, std::string>> entries(const ImageTable& table) {
    std::vector<std::pair<S::RawValue, std::string>> out;
    for (auto& [state, image] : table) out.emplace_back(state.rawValue(), image->name());
    return out;
}
using Entries = std::vector<std::pair<S::RawValue, std::string>>;

TEST(Styles, SharedMembersAreMadeOnceAndHighlightsAfreshEachRead) {
    EXPECT_EQ(Styles::Control::font(), Styles::BaseStyles::normalFont()) << "the same font object";
    EXPECT_EQ(Styles::Control::textColor(), Styles::Control::textColor());
    EXPECT_EQ(Styles::Control::textColor()->name(), "Grey 85%");
    EXPECT_NE(Styles::Control::selectedBackground(), Styles::Control::selectedBackground());
    EXPECT_EQ(Styles::Control::focusRingColor()->name(), "Highlight/System");
    EXPECT_EQ(Styles::Control::background(), AppKit::NSColor::clear());
    EXPECT_EQ(Styles::TableHeader::font(), Styles::BaseStyles::headerFont());
    EXPECT_EQ(Styles::TableRow::font()->font().monospacedDigits, true);
    EXPECT_EQ(Styles::BaseStyles::largeTitleFont()->pointSize(), 20);
    EXPECT_EQ(Styles::BaseStyles::headerFont()->font().weight, CoreGraphics::FontWeight::medium);
    EXPECT_EQ(Styles::Label::textColor().assetName(), "Grey 60%");
    EXPECT_EQ(Styles::TextInput::placeholderHighlightedTextColor()->name(), "Tessik/Blue");
    EXPECT_EQ(Styles::Layout::materialPresetsSize, (CoreGraphics::CGSize{76, 83}));
    // The two error colourings differ on purpose.
    EXPECT_EQ(Styles::Control::errorTextColor()->name(), "Grey 100%");
    EXPECT_EQ(Styles::TextInput::errorTextColor()->name(), "Error");
}

TEST(DefaultStyles, TheBaseAndControlDefaults) {
    ControlStyle style;
    EXPECT_EQ(style.appearanceName(), std::optional<std::string>(AppKit::NSAppearance::darkAqua));
    EXPECT_EQ(style.backgroundStyle(), AppKit::NSBackgroundStyle::emphasized);
    EXPECT_EQ(style.interiorBackgroundStyle(), AppKit::NSBackgroundStyle::emphasized);
    EXPECT_FALSE(style.isOpaque());
    EXPECT_EQ(colourName(style.backgroundColor()), "Background/Normal");
    EXPECT_EQ(style.font(), style.selectedFont());
    EXPECT_EQ(colourName(style.selectedBackgroundColor()), "Highlight/System");
    EXPECT_NE(style.selectedBackgroundColor(), style.focusRingColor()) << "two fresh highlight colours";
    EXPECT_EQ(colourName(style.invalidBackgroundColor()), "Error");
    EXPECT_EQ(style.bezelImageResizingMode(), AppKit::NSImage::ResizingMode::tile);
    EXPECT_EQ(style.swiftUIBezelImageResizingMode(), SwiftUI::Image::ResizingMode::stretch);
    EXPECT_EQ(style.edgeInsets(), NSEdgeInsets{});
    EXPECT_TRUE(style.bezelImages().empty());
    EXPECT_TRUE(style.swiftUIBezelImages().empty());
}

TEST(DefaultStyles, ButtonFamilyTablesAndInsets) {
    struct Case {
        const char* name;
        std::shared_ptr<ButtonCellStyle> style;
        Entries bezels;
        NSEdgeInsets alignment, edge, title, image;
    };
    const Entries buttonBezels{{1, "kvu-button"}, {8, "kvu-button-down"}, {32, "kvu-button-selected"}};
    const NSEdgeInsets popUpAlignment{3, 2, 3, 2}, popUpEdge{3, 0, 2, 12};
    for (const auto& c : std::vector<Case>{
             {"button", std::make_shared<ButtonCellStyle>(), buttonBezels, {}, {}, {}, {}},
             {"corner", std::make_shared<CornerButtonCellStyle>(), buttonBezels, {}, {}, {}, {}},
             {"back", std::make_shared<BackButtonCellStyle>(),
              {{1, "organiser-navbar-back"}, {8, "organiser-navbar-back-down"}, {32, "organiser-navbar-back-down"}}, {}, {}, {}, {}},
             {"combo", std::make_shared<ComboBoxStyle>(), buttonBezels, popUpAlignment, popUpEdge, {3, 7, 2, 0}, {}},
             {"pop-up", std::make_shared<PopUpButtonCellStyle>(), {{1, "kvu-popup"}, {8, "kvu-popup-down"}}, popUpAlignment,
              popUpEdge, {}, {}},
             {"pop-down", std::make_shared<StyledPopDownButtonCellStyle>(), {{1, "kvu-popdown"}, {8, "kvu-popdown-down"}},
              popUpAlignment, popUpEdge, {}, {}},
             {"tool pop-up", std::make_shared<ToolPopUpButtonCellStyle>(), {{1, "kvu-popup-tool"}, {8, "kvu-popup-tool-down"}}, {},
              {1, 1, 1, 1}, {0, 4, 0, 14}, {}},
             {"tool", std::make_shared<ToolButtonCellStyle>(),
              {{1, "corner-tool-background"}, {8, "corner-tool-background-down"}, {32, "corner-tool-background-selected"}}, {}, {},
              {}, {-1, 0, 1, 0}},
         }) {
        EXPECT_EQ(entries(c.style->bezelImages()), c.bezels) << c.name;
        EXPECT_EQ(c.style->alignmentRectInsets(), c.alignment) << c.name;
        EXPECT_EQ(c.style->edgeInsets(), c.edge) << c.name;
        EXPECT_EQ(c.style->titleEdgeInsets(), c.title) << c.name;
        EXPECT_EQ(c.style->imageEdgeInsets(), c.image) << c.name;
        EXPECT_EQ(c.style->font(), Styles::BaseStyles::mediumFont()) << c.name;
        EXPECT_EQ(c.style->backgroundColor(), AppKit::NSColor::clear()) << c.name;
    }
    PopUpButtonCellStyle popUp;
    EXPECT_EQ(popUp.selectedTextColor(), popUp.textColor()) << "a chosen pop-up item does not change colour";
    EXPECT_EQ(imageName(popUp.bezelImage({S::default_, S::on})), "kvu-popup") << "no on look";
}

TEST(DefaultStyles, CheckBoxes) {
    CheckBoxCellStyle box;
    EXPECT_EQ(box.highlightedTextColor(), box.textColor());
    EXPECT_EQ(box.selectedBackgroundColor(), box.textBackgroundColor());
    EXPECT_EQ(entries(box.bezelImages()).front().second, "kvu-button");
    struct Case {
        S state;
        const char* image;
    };
    for (const auto& c : std::vector<Case>{{S::default_, "kvu-checkbox"},
                                           {{S::default_, S::on}, "kvu-checkbox-on"},
                                           {{S::default_, S::on, S::highlighted}, "kvu-checkbox-on-down"},
                                           {{S::default_, S::mixed, S::selected, S::highlighted}, "kvu-checkbox-mixed-down"},
                                           {{S::default_, S::selected}, "kvu-checkbox-down"},
                                           {{S::default_, S::on, S::disabled}, "kvu-checkbox-on"},
                                           {{S::default_, S::disabled}, "kvu-checkbox"}})
        EXPECT_EQ(imageName(box.image(c.state)), c.image) << c.state;
    EXPECT_EQ(box.buttonImages().size(), 9u);

    FavouriteCheckBoxCellStyle star;
    EXPECT_EQ(entries(star.buttonImages()), (Entries{{1, "organiser-icon-star-empty"}, {32, "organiser-icon-star"}}));
    EXPECT_EQ(imageName(star.image({S::default_, S::on, S::highlighted})), "organiser-icon-star");
}

TEST(DefaultStyles, TextFieldsAndLabels) {
    TextFieldCellStyle field;
    EXPECT_EQ(field.padding(), (NSEdgeInsets{2, 6, 2, 6}));
    EXPECT_EQ(field.alignmentRectInsets(), (NSEdgeInsets{2, 2, 2, 2}));
    EXPECT_EQ(colourName(field.invalidTextColor()), "Error");
    EXPECT_EQ(colourName(field.placeholderTextColor()), "Grey 50%");
    EXPECT_EQ(field.placeholderBackground(), AppKit::NSColor::clear());
    struct Case {
        S state;
        const char* image;
    };
    for (const auto& c : std::vector<Case>{{{S::default_, S::focused, S::invalid}, "kvu-textfield-error"},
                                           {{S::default_, S::invalid}, "kvu-textfield-error"},
                                           {{S::default_, S::focused}, "kvu-textfield-focus"},
                                           {{S::default_, S::disabled}, "kvu-textfield"}})
        EXPECT_EQ(imageName(field.bezelImage(c.state)), c.image) << c.state;

    HeaderTextFieldStyle header;
    EXPECT_EQ(imageName(header.bezelImage(S::default_)), "kvu-textfield-tableheader");
    EXPECT_EQ(imageName(header.bezelImage({S::default_, S::invalid})), "kvu-textfield-error");
    SearchFieldCellStyle search;
    EXPECT_EQ(entries(search.bezelImages()), (Entries{{1, "kvu-searchfield"}, {16, "kvu-searchfield-focus"}}));
    EXPECT_EQ(search.padding(), field.padding());

    TextLabelCellStyle label;
    EXPECT_EQ(label.bezelImage(S::default_), nullptr) << "a label draws no bezel";
    EXPECT_EQ(label.bezelImage({S::default_, S::focused, S::invalid}), nullptr);
    EXPECT_EQ(label.padding(), NSEdgeInsets{});
    EXPECT_EQ(label.font(), Styles::Label::font());
    EXPECT_EQ(colourName(label.textColor()), "Grey 60%");
    EXPECT_EQ(colourName(label.disabledTextColor()), "Grey 30%");

    TableRowLabelCellStyle row;
    TableGroupLabelCellStyle group;
    EXPECT_EQ(imageName(row.bezelImage(S::default_)), "kvu-textfield");
    EXPECT_EQ(imageName(group.bezelImage(S::default_)), "kvu-textfield");
}

TEST(DefaultStyles, SegmentsTablesAndWindows) {
    SegmentedCellStyle tabs;
    EXPECT_EQ(tabs.segmentPadding(), (NSEdgeInsets{0, 21, 0, 21}));
    EXPECT_EQ(tabs.segmentMargin(), NSEdgeInsets{});
    EXPECT_EQ(tabs.font(), Styles::PropertiesTab::font());
    EXPECT_EQ(imageName(tabs.bezelImage({S::default_, S::selected})), "kvu-window-tab-selected");
    EXPECT_EQ(imageName(tabs.bezelImage({S::default_, S::selected, S::highlighted})), "kvu-window-tab-selected");

    TableViewStyle table;
    EXPECT_EQ(colourName(table.rowBackgroundColor()), "Background/Darker");
    EXPECT_EQ(table.backgroundColor(), table.rowBackgroundColor()) << "the table's background is its row colour";
    EXPECT_EQ(colourName(table.headerBackgroundColor()), "Background/Darkest");
    EXPECT_EQ(colourName(table.textColor()), "Grey 70%");
    OutlineViewStyle outline;
    EXPECT_EQ(outline.backgroundColor(), outline.rowBackgroundColor());

    WindowStyle window;
    EXPECT_EQ(window.padding(), (CoreGraphics::CGSize{10, 6}));
    EXPECT_EQ(window.font(), Styles::BaseStyles::normalFont());
    EXPECT_EQ(colourName(window.textColor()), "Grey 85%");
    EXPECT_EQ(colourName(PopoverStyle().backgroundColor()), "Background/Normal");
}

TEST(DefaultStyles, EveryStyleObjectLoadsItsOwnImages) {
    ButtonCellStyle a, b;
    ASSERT_NE(a.bezelImage(S::default_), nullptr);
    EXPECT_NE(a.bezelImage(S::default_), b.bezelImage(S::default_));
    EXPECT_EQ(a.bezelImage(S::default_)->name(), b.bezelImage(S::default_)->name());
    EXPECT_EQ(a.bezelImage(S::default_)->size(), (CoreGraphics::CGSize{180, 24})) << "the catalogue's picture";
}

}  // namespace
