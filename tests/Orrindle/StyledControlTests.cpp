#include <gtest/gtest.h>

#include <vector>

#include "Orrindle/Protocols/Selectable.hpp"
#include "Orrindle/Protocols/StyledControl.hpp"
#include "Orrindle/Protocols/Validating.hpp"
#include "Orrindle/Styles/ButtonCellStyle.hpp"
#include "Orrindle/Styles/PopUpButtonCellStyle.hpp"
#include "TestSupport/FatalErrorCapture.hpp"

namespace {

using namespace Orrindle;
using AppKit::NSControlStateValue;
using S = StyledControlState;

// A styled cell with the default state rule.
class PlainCell : public AppKit::NSCell, public StyledControl<ButtonCellStyle> {
    VZ_OBJECT(PlainCell, AppKit::NSCell)
public:
    std::shared_ptr<ButtonCellStyle> style() const override { return sharedStyle<PlainCell, ButtonCellStyle>(); }
};

// A subclass with a style of its own.
class PopUpCell : public PlainCell {
    VZ_OBJECT(PopUpCell, PlainCell)
public:
    std::shared_ptr<ButtonCellStyle> style() const override { return sharedStyle<PopUpCell, PopUpButtonCellStyle>(); }
};

// A subclass that keeps its parent's style.
class QuietCell : public PlainCell {
    VZ_OBJECT(QuietCell, PlainCell)
};

class SelectableValidatingCell : public PlainCell, public Selectable, public Validating {
    VZ_OBJECT(SelectableValidatingCell, PlainCell)
public:
    bool selected = false, valid = true;
    bool isSelected() const override { return selected; }
    void setSelected(bool flag) override { selected = flag; }
    bool isValid() const override { return valid; }
};

TEST(CellControlState, FollowsTheCellsStateFlagsAndProtocols) {
    struct Case {
        NSControlStateValue value;
        bool enabled, highlighted, selected, valid;
        S::RawValue expected;
    };
    for (const auto& c : std::vector<Case>{
             {NSControlStateValue::off, true, false, false, true, 1},
             {NSControlStateValue::mixed, false, true, false, true, 67},  // highlighting ignored while disabled
             {NSControlStateValue::on, true, true, true, true, 45},
             {NSControlStateValue::off, true, false, false, false, 129},
             {NSControlStateValue::on, false, false, true, false, 1 + 2 + 4 + 32 + 128},
             {static_cast<NSControlStateValue>(2), true, false, false, true, 1},
         }) {
        auto cell = Runtime::make<SelectableValidatingCell>();
        cell->setState(c.value);
        cell->setEnabled(c.enabled);
        cell->setHighlighted(c.highlighted);
        cell->selected = c.selected;
        cell->valid = c.valid;
        EXPECT_EQ(cell->controlState().rawValue(), c.expected) << int(c.value) << c.enabled << c.highlighted << c.selected << c.valid;
        EXPECT_FALSE(cell->controlState().contains(S::focused));
    }
}

TEST(CellControlState, ACellWithoutTheProtocolsIsNeverSelectedOrInvalid) {
    auto cell = Runtime::make<PlainCell>();
    cell->setState(NSControlStateValue::on);
    cell->setHighlighted(true);
    EXPECT_EQ(cell->controlState(), (S{S::default_, S::on, S::highlighted}));
}

TEST(StyledControl, EachClassHasItsOwnSharedStyle) {
    auto plain = Runtime::make<PlainCell>(), other = Runtime::make<PlainCell>();
    auto popUp = Runtime::make<PopUpCell>();
    auto quiet = Runtime::make<QuietCell>();
    EXPECT_EQ(plain->style(), other->style()) << "one object for the class";
    EXPECT_NE(plain->style(), popUp->style());
    EXPECT_NE(dynamic_cast<PopUpButtonCellStyle*>(popUp->style().get()), nullptr);
    EXPECT_EQ(quiet->style(), plain->style()) << "a subclass without its own shares its parent's";
    // Through the base class, the dynamic class's style is the one used.
    const PlainCell& asBase = *popUp;
    popUp->setState(NSControlStateValue::on);
    EXPECT_EQ(asBase.styleBezelImage()->name(), "kvu-popup");
    plain->setState(NSControlStateValue::on);
    EXPECT_EQ(plain->styleBezelImage()->name(), "kvu-button-selected");
}

TEST(StyledControl, ConvenienceGettersUseTheStateOfTheMoment) {
    auto cell = Runtime::make<SelectableValidatingCell>();
    auto style = cell->style();
    EXPECT_EQ(cell->styleTextColor(), style->textColor());
    cell->valid = false;
    EXPECT_EQ(cell->styleTextColor(), style->invalidTextColor());
    EXPECT_EQ(cell->styleTextBackgroundColor(), style->invalidBackgroundColor());
    EXPECT_EQ(cell->styleFocusRingColor(), style->invalidFocusRingColor());
    cell->valid = true;
    cell->setEnabled(false);
    EXPECT_EQ(cell->styleTextColor(), style->disabledTextColor());
}

// A styled view that is not a cell and forgot its state.
class StatelessView : public StyledControl<ButtonCellStyle> {
public:
    std::shared_ptr<ButtonCellStyle> style() const override { return sharedStyle<StatelessView, ButtonCellStyle>(); }
};

TEST(StyledControl, OnlyCellsHaveADefaultState) {
    TestSupport::CaptureFatalErrors capture;
    StatelessView view;
    EXPECT_THROW(view.controlState(), TestSupport::FatalErrorThrown);
}

}  // namespace
