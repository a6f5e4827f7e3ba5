#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Orrindle/Styles/BaseStyle.hpp"
#include "Orrindle/Styles/ControlStyle.hpp"
#include "Orrindle/Styles/SliderCellStyle.hpp"
#include "Orrindle/Styles/TableViewStyle.hpp"

namespace {

using namespace Orrindle;
using S = StyledControlState;
using AppKit::NSColor;
using AppKit::NSImage;

NSImage::Ptr picture(const std::string& name) {
    return NSImage::withAsset(std::make_shared<CoreGraphics::ImageAsset>(name, CoreGraphics::CGSize{1, 1}));
}

ImageTable table(std::vector<std::pair<S, std::string>> entries) {
    ImageTable t;
    for (auto& [state, name] : entries) t[state] = picture(name);
    return t;
}

std::string found(const BaseStyle& style, S state, const ImageTable& images) {
    auto image = style.findImage(state, images);
    return image ? image->name() : "none";
}

TEST(FindImage, ExactKeyThenBestPartialMatchThenDefault) {
    BaseStyle style;
    struct Case {
        ImageTable images;
        S state;
        const char* image;
    };
    const auto defaultOnly = table({{S::default_, "A"}});
    const auto button = table({{S::default_, "A"}, {S::on, "B"}, {S::highlighted, "C"}});
    const auto field = table({{S::default_, "A"}, {S::focused, "F"}, {{S::focused, S::invalid}, "E"}, {S::invalid, "E2"}});
    const auto noDefault = table({{S::on, "B"}});
    for (const auto& c : std::vector<Case>{
             {{}, S::default_, "none"},
             {{}, S(0), "none"},
             {defaultOnly, S::default_, "A"},
             {defaultOnly, {S::default_, S::disabled}, "A"},
             {defaultOnly, S(0), "A"},
             {button, {S::default_, S::on}, "B"},
             {button, {S::default_, S::highlighted}, "C"},
             {button, {S::default_, S::mixed}, "A"},
             {button, {S::default_, S::on, S::highlighted}, "C"},  // a tie: the lower key (8) wins
             {field, {S::default_, S::focused, S::invalid}, "E"},
             {field, {S::default_, S::focused}, "F"},
             {field, {S::default_, S::invalid, S::disabled}, "E2"},
             {noDefault, {S::default_, S::disabled}, "none"},
             {noDefault, {S::default_, S::on, S::disabled}, "B"},
             {noDefault, S(0), "none"},
         })
        EXPECT_EQ(found(style, c.state, c.images), c.image) << c.state;
}

TEST(FindImage, TiesDoNotDependOnTheOrderTheTableWasFilled) {
    BaseStyle style;
    ImageTable forwards, backwards;
    forwards[S::highlighted] = picture("down");
    forwards[S::on] = picture("selected");
    backwards[S::on] = picture("selected");
    backwards[S::highlighted] = picture("down");
    const S both{S::default_, S::on, S::highlighted};
    EXPECT_EQ(found(style, both, forwards), "down");
    EXPECT_EQ(found(style, both, backwards), "down");
    ImageTable withZero = table({{S(0), "zero"}, {S::on, "on"}});
    EXPECT_EQ(found(style, S::mixed, withZero), "zero") << "a key of raw value 0 fits every state";
}

// A control style whose every colour is a distinct, named one, so a getter's choice is visible.
struct NamedColours : ControlStyle {
    NamedColours() {
        auto named = [](const char* n) { return NSColor::dynamic(n, CoreGraphics::CGColor::black(), CoreGraphics::CGColor::black()); };
        setBackgroundColor(named("background"));
        setTextColor(named("text"));
        setTextBackgroundColor(named("textBackground"));
        setSelectedTextColor(named("selectedText"));
        setSelectedBackgroundColor(named("selectedBackground"));
        setDisabledTextColor(named("disabledText"));
        setDisabledBackgroundColor(named("disabledBackground"));
        setHighlightedTextColor(named("highlightedText"));
        setHighlightedBackgroundColor(named("highlightedBackground"));
        setInvalidTextColor(named("invalidText"));
        setInvalidBackgroundColor(named("invalidBackground"));
        setFocusRingColor(named("ring"));
        setInvalidFocusRingColor(named("invalidRing"));
    }
};

TEST(ControlStyleGetters, TakeTheFirstRuleThatHoldsInTheirOwnOrder) {
    NamedColours style;
    struct Case {
        S state;
        const char* text;
        const char* background;
    };
    for (const auto& c : std::vector<Case>{
             {S::default_, "text", "background"},
             {{S::default_, S::disabled}, "disabledText", "disabledBackground"},
             {{S::default_, S::disabled, S::selected}, "disabledText", "selectedBackground"},
             {{S::default_, S::disabled, S::invalid}, "disabledText", "invalidBackground"},
             {{S::default_, S::invalid, S::selected, S::on}, "invalidText", "invalidBackground"},
             {{S::default_, S::selected, S::highlighted}, "selectedText", "highlightedBackground"},
             {{S::default_, S::on}, "highlightedText", "highlightedBackground"},
             {{S::default_, S::mixed}, "highlightedText", "highlightedBackground"},
             {{S::default_, S::highlighted}, "highlightedText", "highlightedBackground"},
             {{S::default_, S::focused}, "text", "background"},
         }) {
        EXPECT_EQ(style.textColor(c.state)->name(), c.text) << c.state;
        EXPECT_EQ(style.textBackgroundColor(c.state)->name(), c.background) << c.state << ": never textBackgroundColor";
    }
    EXPECT_EQ(style.focusRingColor(S{S::default_, S::focused, S::invalid})->name(), "invalidRing");
    EXPECT_EQ(style.focusRingColor(S{S::default_, S::focused})->name(), "ring");
}

TEST(ControlStyleGetters, BezelImagesGoThroughFindImage) {
    ControlStyle style;
    EXPECT_EQ(style.bezelImage(S::default_), nullptr) << "no bezels until a style sets them";
    style.setBezelImages(table({{S::default_, "plain"}, {S::on, "lit"}}));
    EXPECT_EQ(style.bezelImage(S{S::default_, S::on, S::disabled})->name(), "lit");
    EXPECT_EQ(style.bezelImage(S{S::default_, S::disabled})->name(), "plain");
}

TEST(TableViewStyleGetters, TheSelectedRowColourForASelectedState) {
    TableViewStyle style;
    EXPECT_EQ(style.rowBackgroundColor(S{S::default_, S::selected}), style.selectedRowBackgroundColor());
    EXPECT_EQ(style.rowBackgroundColor(S{S::default_, S::highlighted}), style.rowBackgroundColor());
}

TEST(SliderCellStyleTables, AreLoadedOnFirstReadUnlessAssignedBefore) {
    SliderCellStyle lazy;
    const auto& bar = lazy.barImages();
    EXPECT_EQ(&bar, &lazy.barImages()) << "stored at the first read";
    EXPECT_EQ(lazy.barImage(S{S::default_, S::highlighted})->name(), "kvu-slider");
    EXPECT_EQ(lazy.knobImage(S{S::default_, S::mixed, S::disabled})->name(), "kvu-slider-handle-multi");
    EXPECT_EQ(lazy.knobImage(S{S::default_, S::on})->name(), "kvu-slider-handle");

    SliderCellStyle assigned;
    assigned.setKnobImages(table({{S::default_, "custom"}}));
    EXPECT_EQ(assigned.knobImage(S{S::default_, S::highlighted})->name(), "custom");
    EXPECT_EQ(assigned.knobImages().size(), 1u);
}

}  // namespace
