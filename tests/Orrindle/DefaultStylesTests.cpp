#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "AppKit/NSAppearance.hpp"
#include "Orrindle/Resources/ModuleBundle.hpp"
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

// Every colour of the namespaces against the catalogue colour it is named after: made once and
// shared, made afresh on every read, or AppKit's clear colour.
TEST(Styles, EveryColourIsTheCatalogueColourOfItsName) {
    namespace St = Styles;
    enum Made { once, fresh, clear };
    struct Case {
        const char* member;
        AppKit::NSColor::Ptr (*colour)();
        Made made;
        const char* asset;
    };
    const std::vector<Case> cases = {
        {"Control.textColor", &St::Control::textColor, once, "Grey 85%"},
        {"Control.background", &St::Control::background, clear, ""},
        {"Control.selectedTextColor", &St::Control::selectedTextColor, once, "Grey 100%"},
        {"Control.selectedBackground", &St::Control::selectedBackground, fresh, "Highlight/System"},
        {"Control.disabledTextColor", &St::Control::disabledTextColor, once, "Grey 40%"},
        {"Control.disabledBackground", &St::Control::disabledBackground, clear, ""},
        {"Control.highlightedTextColor", &St::Control::highlightedTextColor, once, "Grey 50%"},
        {"Control.highlightedBackground", &St::Control::highlightedBackground, clear, ""},
        {"Control.errorTextColor", &St::Control::errorTextColor, once, "Grey 100%"},
        {"Control.errorBackground", &St::Control::errorBackground, once, "Error"},
        {"Control.placeholderTextColor", &St::Control::placeholderTextColor, once, "Grey 20%"},
        {"Control.placeholderBackground", &St::Control::placeholderBackground, clear, ""},
        {"Control.focusRingColor", &St::Control::focusRingColor, fresh, "Highlight/System"},
        {"Control.errorFocusRingColor", &St::Control::errorFocusRingColor, once, "Error"},
        {"ScrollView.background", &St::ScrollView::background, once, "Background/Darker"},
        {"OutlineHeader.textColor", &St::OutlineHeader::textColor, once, "Grey 50%"},
        {"OutlineRow.textColor", &St::OutlineRow::textColor, once, "Grey 85%"},
        {"OutlineRow.background", &St::OutlineRow::background, once, "Background/Darker"},
        {"OutlineRow.selectedTextColor", &St::OutlineRow::selectedTextColor, once, "Grey 100%"},
        {"OutlineRow.selectedBackground", &St::OutlineRow::selectedBackground, fresh, "Highlight/System"},
        {"TableView.background", &St::TableView::background, once, "Background/Darker"},
        {"TableHeader.textColor", &St::TableHeader::textColor, once, "Grey 50%"},
        {"TableHeader.background", &St::TableHeader::background, once, "Background/Darkest"},
        {"TableRow.textColor", &St::TableRow::textColor, once, "Grey 70%"},
        {"TableRow.selectedTextColor", &St::TableRow::selectedTextColor, once, "Grey 100%"},
        {"TableRow.selectedBackground", &St::TableRow::selectedBackground, fresh, "Highlight/System"},
        {"TableGroupRow.textColor", &St::TableGroupRow::textColor, once, "Grey 50%"},
        {"TableGroupRow.selectedTextColor", &St::TableGroupRow::selectedTextColor, once, "Grey 100%"},
        {"TableGroupRow.selectedBackground", &St::TableGroupRow::selectedBackground, fresh, "Highlight/System"},
        {"Label.nsTextColor", &St::Label::nsTextColor, once, "Grey 60%"},
        {"Label.disabledTextColor", &St::Label::disabledTextColor, once, "Grey 30%"},
        {"TextInput.textColor", &St::TextInput::textColor, once, "Grey 85%"},
        {"TextInput.background", &St::TextInput::background, clear, ""},
        {"TextInput.disabledTextColor", &St::TextInput::disabledTextColor, once, "Grey 40%"},
        {"TextInput.disabledBackground", &St::TextInput::disabledBackground, clear, ""},
        {"TextInput.errorTextColor", &St::TextInput::errorTextColor, once, "Error"},
        {"TextInput.errorBackground", &St::TextInput::errorBackground, once, "Error"},
        {"TextInput.highlightedTextColor", &St::TextInput::highlightedTextColor, once, "Grey 100%"},
        {"TextInput.highlightedBackground", &St::TextInput::highlightedBackground, clear, ""},
        {"TextInput.placeholderTextColor", &St::TextInput::placeholderTextColor, once, "Grey 50%"},
        {"TextInput.placeholderHighlightedTextColor", &St::TextInput::placeholderHighlightedTextColor, once, "Tessik/Blue"},
        {"TextInput.placeholderBackground", &St::TextInput::placeholderBackground, clear, ""},
        {"TextInput.selectedTextColor", &St::TextInput::selectedTextColor, once, "Grey 100%"},
        {"TextInput.selectedBackground", &St::TextInput::selectedBackground, fresh, "Highlight/System"},
        {"PropertiesTab.textColor", &St::PropertiesTab::textColor, once, "Grey 70%"},
        {"PropertiesTab.selectedTextColor", &St::PropertiesTab::selectedTextColor, once, "Grey 85%"},
        {"PropertiesTab.highlightedTextColor", &St::PropertiesTab::highlightedTextColor, once, "Grey 50%"},
        {"CanvasInfo.textColor", &St::CanvasInfo::textColor, once, "Grey 85%"},
        {"CanvasInfo.background", &St::CanvasInfo::background, once, "Background/Normal"},
        {"Window.background", &St::Window::background, once, "Background/Normal"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.member);
        const auto first = c.colour(), second = c.colour();
        ASSERT_NE(first, nullptr);
        if (c.made == clear) {
            EXPECT_EQ(first, AppKit::NSColor::clear());
            continue;
        }
        EXPECT_EQ(first->name(), c.asset);
        EXPECT_EQ(first->cgColor(), SwiftUI::Color(c.asset, ModuleBundle::module()).resolved()) << "the kit's colour";
        if (c.made == once)
            EXPECT_EQ(first, second) << "made once";
        else
            EXPECT_NE(first, second) << "a new colour on every read";
    }
    EXPECT_EQ(Styles::Label::textColor().assetName(), "Grey 60%");
    EXPECT_EQ(Styles::Label::textColor().resolved(), Styles::Label::nsTextColor()->cgColor());
}

// Every font of the namespaces is the very base font it is named after, and the base fonts
// have their sizes and weights.
TEST(Styles, EveryFontIsTheBaseFontItNames) {
    namespace St = Styles;
    using AppKit::NSFont;
    using W = CoreGraphics::FontWeight;
    struct Base {
        const char* member;
        NSFont::Ptr (*font)();
        double size;
        W weight;
        bool mono;
    };
    for (const auto& b : std::vector<Base>{{"normalFont", &St::BaseStyles::normalFont, 10, W::regular, false},
                                           {"normalMonoFont", &St::BaseStyles::normalMonoFont, 10, W::regular, true},
                                           {"mediumFont", &St::BaseStyles::mediumFont, 10, W::medium, false},
                                           {"headerFont", &St::BaseStyles::headerFont, 12, W::medium, false},
                                           {"menuFont", &St::BaseStyles::menuFont, 12, W::regular, false},
                                           {"titleFont", &St::BaseStyles::titleFont, 14, W::medium, false},
                                           {"largeTitleFont", &St::BaseStyles::largeTitleFont, 20, W::medium, false}}) {
        SCOPED_TRACE(b.member);
        EXPECT_EQ(b.font(), b.font()) << "made once";
        EXPECT_EQ(b.font()->pointSize(), b.size);
        EXPECT_EQ(b.font()->font().weight, b.weight);
        EXPECT_EQ(b.font()->font().monospacedDigits, b.mono);
    }
    struct Case {
        const char* member;
        NSFont::Ptr (*font)();
        NSFont::Ptr (*base)();
    };
    for (const auto& c : std::vector<Case>{{"Control.font", &St::Control::font, &St::BaseStyles::normalFont},
                                           {"OutlineHeader.font", &St::OutlineHeader::font, &St::BaseStyles::headerFont},
                                           {"OutlineRow.font", &St::OutlineRow::font, &St::BaseStyles::normalMonoFont},
                                           {"OutlineRow.selectedFont", &St::OutlineRow::selectedFont, &St::BaseStyles::mediumFont},
                                           {"TableHeader.font", &St::TableHeader::font, &St::BaseStyles::headerFont},
                                           {"TableRow.font", &St::TableRow::font, &St::BaseStyles::normalMonoFont},
                                           {"TableRow.selectedFont", &St::TableRow::selectedFont, &St::BaseStyles::mediumFont},
                                           {"TableGroupRow.font", &St::TableGroupRow::font, &St::BaseStyles::normalFont},
                                           {"TableGroupRow.selectedFont", &St::TableGroupRow::selectedFont, &St::BaseStyles::mediumFont},
                                           {"Label.font", &St::Label::font, &St::BaseStyles::normalFont},
                                           {"TextInput.font", &St::TextInput::font, &St::BaseStyles::normalFont},
                                           {"PropertiesTab.font", &St::PropertiesTab::font, &St::BaseStyles::headerFont},
                                           {"CanvasInfo.font", &St::CanvasInfo::font, &St::BaseStyles::normalFont}})
        EXPECT_EQ(c.font(), c.base()) << c.member;
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
