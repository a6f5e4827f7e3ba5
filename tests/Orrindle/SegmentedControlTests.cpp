#include <gtest/gtest.h>

#include "ControlTestSupport.hpp"
#include "CoreGraphics/TextLayout.hpp"
#include "Orrindle/SegmentedControls/StyledSegmentedControl.hpp"

namespace {

using namespace OrrindleTest;
using Orrindle::StyledControlState;
using Orrindle::StyledSegmentedCell;
using Orrindle::StyledSegmentedControl;
using S = StyledControlState;

class FlippedSegmentedControl : public StyledSegmentedControl {
    VZ_OBJECT(FlippedSegmentedControl, StyledSegmentedControl)
public:
    bool isFlipped() const override { return true; }

protected:
    using StyledSegmentedControl::StyledSegmentedControl;
};

class Segmented : public ControlTest {
protected:
    template <class Control = StyledSegmentedControl>
    std::shared_ptr<Control> make() {
        auto c = place(Runtime::make<Control>(CGRect{10, 10, 300, 30}));
        c->setSegmentCount(3);
        const char* labels[] = {"Notes", "Timing", "Swing"};
        for (long s = 0; s < 3; ++s) {
            c->setLabel(labels[s], s);
            c->setWidth(100, s);
        }
        return c;
    }
    // The bezel image each segment draws, in order.
    static std::vector<std::string> bezels(const DisplayList& list) {
        std::vector<std::string> names;
        for (auto* i : list.all<Op::Image>()) names.push_back(i->name);
        return names;
    }
};

TEST_F(Segmented, SegmentStateFollowsEnabledPressedAndShownSelection) {
    auto c = make();
    auto cell = c->styledCell();
    c->setSelectedSegment(1);
    struct Row {
        bool enabled, hide;
        long highlight;
        long segment;
        StyledControlState state;
    };
    for (auto r : std::vector<Row>{{true, true, 0, 1, S::default_},
                                   {true, false, 0, 1, S{S::default_, S::selected}},
                                   {true, false, 0, 0, S::default_},
                                   {true, true, 1, 0, S::default_},
                                   {true, true, 2, 0, S{S::default_, S::highlighted}},
                                   {true, true, 3, 0, S{S::default_, S::highlighted}},
                                   {true, true, 4, 0, S::default_},
                                   {true, true, 5, 0, S{S::default_, S::highlighted}},
                                   {true, true, 7, 0, S::default_},
                                   // The pressed bit does not depend on the enabled flag.
                                   {false, true, 2, 0, S{S::default_, S::disabled, S::highlighted}},
                                   {false, false, 0, 1, S{S::default_, S::disabled, S::selected}}}) {
        cell->setEnabled(r.enabled);
        c->setHideSelection(r.hide);
        cell->setSegmentHighlightState(r.segment, r.highlight);
        EXPECT_EQ(cell->segmentState(r.segment).rawValue(), r.state.rawValue()) << r.enabled << r.hide << r.highlight;
        cell->setSegmentHighlightState(r.segment, 0);
    }
}

TEST_F(Segmented, EachSegmentDrawsTheBezelOfItsStateWithItsLabel) {
    auto c = make();
    c->setSelectedSegment(1);
    EXPECT_TRUE(c->hideSelection());
    EXPECT_EQ(bezels(drawn(*c)), (std::vector<std::string>{"kvu-window-tab", "kvu-window-tab", "kvu-window-tab"}));
    c->setHideSelection(false);
    EXPECT_TRUE(c->needsDisplay());
    c->styledCell()->setSegmentHighlightState(2, 2);
    const auto list = drawn(*c);
    EXPECT_EQ(bezels(list), (std::vector<std::string>{"kvu-window-tab", "kvu-window-tab-selected", "kvu-window-tab-down"}));
    const auto texts = list.all<Op::Text>();
    ASSERT_EQ(texts.size(), 3u);
    const auto style = StyledSegmentedCell::sharedStyle();
    EXPECT_EQ(texts[1]->text.string(), "Timing");
    EXPECT_EQ(texts[1]->text.runs[0].color, style->textColor(S{S::default_, S::selected})->cgColor());
    EXPECT_EQ(texts[0]->text.runs[0].font, style->font()->font());
    EXPECT_EQ(texts[0]->text.paragraph.alignment, CoreGraphics::TextAlignment::center);
    // A disabled control: every segment default plus disabled, drawn opaque all the same.
    c->setEnabled(false);
    const auto disabled = drawn(*c);
    for (auto* i : disabled.all<Op::Image>()) EXPECT_EQ(i->fraction, 1.0);
}

TEST_F(Segmented, BezelFrameIsTheImagesHeightCentredAndWithoutAnImageOnlyTheLabelIsDrawn) {
    auto c = make();
    auto cell = c->styledCell();
    auto style = StyledSegmentedCell::sharedStyle();
    const double h = style->bezelImage(S::default_)->size().height;
    EXPECT_EQ(cell->bezelFrame(0, {0, 0, 100, 30}), (CGRect{0, std::round(15 - h / 2), 100, h}));
    const auto saved = style->bezelImages();
    style->setBezelImages({});
    const auto list = drawn(*c);
    style->setBezelImages(saved);
    EXPECT_TRUE(list.all<Op::Image>().empty());
    ASSERT_EQ(list.all<Op::Text>().size(), 3u);
    const auto* label = list.all<Op::Text>()[0];
    const double measured = CoreGraphics::TextLayout::size(label->text, 100).height;
    // A zero-high bezel frame in the middle of the 30-point segment.
    EXPECT_NEAR(label->box.minY(), 15 - measured / 2, 1e-9);
}

TEST_F(Segmented, LabelWidthWithPaddingReplacesTheWidthGiven) {
    auto c = make();
    auto cell = c->styledCell();
    const double label = CoreGraphics::TextLayout::size(CoreGraphics::AttributedText("Timing", cell->font()->font())).width;
    EXPECT_DOUBLE_EQ(c->width(1), label + 42);
    EXPECT_EQ(cell->font(), StyledSegmentedCell::sharedStyle()->font()) << "measured in the font it is drawn in";
    cell->setLabel("", 1);
    c->setWidth(77, 1);
    EXPECT_EQ(c->width(1), 77);
    const auto image = StyledSegmentedCell::sharedStyle()->bezelImage(S::default_)->size();
    EXPECT_GE(c->intrinsicContentSize().height, image.height);
}

TEST_F(Segmented, TheKeySegmentGetsTheKitsRingOnlyWhileTheControlHasTheFocus) {
    auto c = make();
    auto cell = c->styledCell();
    EXPECT_EQ(cell->focusRingMaskBounds({0, 0, 300, 30}, *c), CGRect{}) << "nothing drawn yet";
    auto strokes = [&] { return drawn(*c).all<Op::Stroke>().size(); };
    EXPECT_EQ(strokes(), 0u);
    ASSERT_TRUE(window->makeFirstResponder(c));
    cell->setKeySegment(1);
    const auto list = drawn(*c);
    ASSERT_EQ(list.all<Op::Stroke>().size(), 1u);
    const CGRect ring = cell->bezelFrame(1, cell->segmentFrames(c->bounds())[1]).insetBy(2, 2);
    EXPECT_EQ(list.all<Op::Stroke>()[0]->path.boundingBox(), ring);
    EXPECT_EQ(cell->focusRingMaskBounds({}, *c), ring.insetBy(-2, -2));
    window->makeFirstResponder(nullptr);
    EXPECT_EQ(strokes(), 0u);
}

TEST_F(Segmented, BezelsStandUprightInAFlippedControl) {
    for (auto c : {std::static_pointer_cast<StyledSegmentedControl>(make<FlippedSegmentedControl>()), make()}) {
        const auto list = drawn(*c);
        ASSERT_FALSE(list.all<Op::Image>().empty());
        for (auto* i : list.all<Op::Image>()) EXPECT_GT(i->state.transform.d, 0) << c->isFlipped();
    }
}

}  // namespace
