#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "Observation/Observation.hpp"
#include "Orrindle/Settings/PobbleSegmentedControlModel.hpp"
#include "Orrindle/Settings/PobbleSettingsConfig.hpp"
#include "Orrindle/Settings/PobbleSliderModel.hpp"

namespace {

using namespace Orrindle;
using Behaviour = SliderIconClickBehaviour;
const double nan = std::numeric_limits<double>::quiet_NaN();

// How many times `read` saw a change of what it read, over `write`.
int notificationsOf(const std::function<void()>& read, const std::function<void()>& write) {
    int count = 0;
    Observation::ObservationToken token;
    std::function<void()> track = [&] {
        token = Observation::withObservationTracking(read, [&] {
            ++count;
            track();
        });
    };
    track();
    write();
    return count;
}

// ---- slider model ----

struct SliderCase {
    const char* name;
    std::vector<CGFloat> starting;
    CGFloat defaultValue, minimum, maximum, increment;
    Behaviour behaviour;
    std::function<void(PobbleSliderModel&)> act;  // none: the value as made
    std::optional<CGFloat> value;
    std::vector<double> completed;  // what onSlideComplete heard
};

TEST(PobbleSliderModel, ValuesFromStartingValuesIconClicksFractionsAndResets) {
    const auto right = [](PobbleSliderModel& m) { m.rightIconClicked(); };
    const auto left = [](PobbleSliderModel& m) { m.leftIconClicked(); };
    const auto fraction = [](std::optional<CGFloat> p) { return [p](PobbleSliderModel& m) { m.setPercent(p); }; };
    const std::vector<SliderCase> cases = {
        {"one distinct starting value", {3, 3, 3}, 0, 0, 10, 1, Behaviour::increment, {}, 3, {}},
        {"different starting values", {3, 4}, 0, 0, 10, 1, Behaviour::increment, {}, std::nullopt, {}},
        {"no starting values", {}, 0, 0, 10, 1, Behaviour::increment, {}, std::nullopt, {}},
        {"a step up stops at the maximum", {9.5}, 0, 0, 10, 1, Behaviour::increment, right, 10, {10}},
        {"a step down from no value starts at the default", {1, 2}, 5, 0, 10, 1, Behaviour::increment, left, 4, {4}},
        {"a step down stops at the minimum", {0.5}, 5, 0, 10, 1, Behaviour::increment, left, 0, {0}},
        {"the left icon jumps to the minimum", {7}, 5, 2, 10, 1, Behaviour::maxMin, left, 2, {2}},
        {"the right icon jumps to the maximum, even from no value", {}, 5, 2, 10, 1, Behaviour::maxMin, right, 10, {10}},
        {"a fraction along the range", {}, 0, 10, 20, 1, Behaviour::increment, fraction(0.5), 15, {}},
        {"a fraction past the end is clamped", {12}, 0, 10, 20, 1, Behaviour::increment, fraction(1.7), 20, {}},
        {"a fraction before the start is clamped", {12}, 0, 10, 20, 1, Behaviour::increment, fraction(-0.3), 10, {}},
        {"no fraction is no value", {12}, 0, 10, 20, 1, Behaviour::increment, fraction(std::nullopt), std::nullopt, {}},
        {"a reset keeps a default outside the range", {3}, 25, 0, 10, 1, Behaviour::increment,
         [](PobbleSliderModel& m) { m.resetToDefault(); }, 25, {25}},
        // A NaN fraction counts as 0 rather than storing NaN.
        {"a NaN fraction is the minimum", {12}, 0, 10, 20, 1, Behaviour::increment, fraction(nan), 10, {}},
        // A minimum above the maximum: the range is the minimum alone.
        {"an inverted range clamps steps to its minimum", {}, 7, 10, 5, 1, Behaviour::increment, right, 10, {10}},
        {"an inverted range puts any fraction at its minimum", {}, 7, 10, 5, 1, Behaviour::increment, fraction(0.5), 10, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PobbleSliderModel model(c.starting, c.defaultValue, c.minimum, c.maximum, c.increment, c.behaviour);
        std::vector<double> completed;
        int others = 0;
        model.onSlideComplete = [&](double v) { completed.push_back(v); };
        model.onSlideStarted = model.onSlideOngoing = [&](double) { ++others; };
        if (c.act) c.act(model);
        EXPECT_EQ(model.value(), c.value);
        EXPECT_EQ(completed, c.completed);
        EXPECT_EQ(others, 0) << "icons and resets only complete";
    }
}

TEST(PobbleSliderModel, FractionOfAValueIsClampedAndANarrowRangeIsAStep) {
    struct Case {
        CGFloat minimum, maximum, value, fraction;
    };
    const Case cases[] = {{10, 20, 25, 1},  {10, 20, 5, 0},  {10, 20, 12.5, 0.25}, {10, 10, 10, 0},
                          {10, 10, 11, 1},  {10, 10, 9, 0},  {10, 20, nan, 0},     {20, 10, 15, 0},
                          {20, 10, 25, 1}};
    for (const auto& c : cases) {
        PobbleSliderModel model({}, 0, c.minimum, c.maximum, 1, Behaviour::increment);
        EXPECT_DOUBLE_EQ(model.percent(c.value), c.fraction) << c.minimum << "..." << c.maximum << " at " << c.value;
    }
    PobbleSliderModel model({15}, 0, 10, 20, 1, Behaviour::increment);
    EXPECT_EQ(model.percent(), 0.5);
    model.setValue(std::nullopt);
    EXPECT_EQ(model.percent(), std::nullopt);
}

TEST(PobbleSliderModel, OnlyADifferentValueNotifiesAndStartingValuesLeaveTheValue) {
    auto model = PobbleSliderModel::make({4}, 0, 0, 10, 1, Behaviour::increment);
    const auto readValue = [&] { (void)model->value(); };
    EXPECT_EQ(notificationsOf(readValue, [&] { model->setValue(4); }), 0);
    EXPECT_EQ(notificationsOf(readValue, [&] { model->setValue(6); }), 1);
    EXPECT_EQ(notificationsOf(readValue, [&] { model->setPercent(0.6); }), 0) << "0.6 of 0...10 is the 6 it holds";
    EXPECT_EQ(notificationsOf(readValue, [&] {
                  model->setValue(std::nullopt);
                  model->setValue(std::nullopt);
              }),
              1);
    EXPECT_EQ(notificationsOf([&] { (void)model->startingValues(); }, [&] { model->setStartingValues({4}); }), 0);
    EXPECT_EQ(notificationsOf([&] { (void)model->startingValues(); }, [&] { model->setStartingValues({4, 5}); }), 1);
    EXPECT_EQ(model->value(), std::nullopt) << "new starting values do not set the value";
    EXPECT_EQ(notificationsOf([&] { (void)model->maximumValue(); }, [&] {
                  model->setMaximumValue(10);
                  model->setMaximumValue(12);
              }),
              1);
}

// ---- segmented control model ----

struct ClickCase {
    const char* name;
    std::optional<int> selected;
    bool hidden;
    int clicked;
    std::optional<int> selectedAfter;  // also what the callback hears
};

TEST(PobbleSegmentedControlModel, AClickSelectsDeselectsOrShowsAHiddenSelection) {
    const std::vector<ClickCase> cases = {
        {"nothing selected: selects", std::nullopt, false, 1, 1},
        {"another segment: selects it", 2, false, 1, 1},
        {"the selected segment: deselects", 2, false, 2, std::nullopt},
        {"the hidden selection: shows it again", 2, true, 2, 2},
        {"another segment while hidden: selects and shows it", 2, true, 3, 3},
        {"nothing selected but hidden: selects and shows", std::nullopt, true, 3, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto model = PobbleSegmentedControlModel::make(
            {PobbleSegmentItem::make(1, "Off"), PobbleSegmentItem::make(2, "1/8"), PobbleSegmentItem::make(3, "1/16")});
        if (c.selected) model->select(*c.selected);
        model->setHideSelection(c.hidden);
        std::vector<std::optional<int>> heard;
        model->setOnSelectionChanged([&](const PobbleSegmentedControlModel::Item& item) {
            heard.push_back(item ? std::optional(item->id()) : std::nullopt);
        });
        model->select(model->items()[std::size_t(c.clicked - 1)]);
        const auto& now = model->selectedItem();
        EXPECT_EQ(now ? std::optional(now->id()) : std::nullopt, c.selectedAfter);
        EXPECT_FALSE(model->hideSelection());
        EXPECT_EQ(heard, (std::vector<std::optional<int>>{c.selectedAfter}));
    }
}

TEST(PobbleSegmentedControlModel, SelectingByIdIsQuietTakesTheFirstMatchAndIgnoresUnknownIds) {
    auto first = PobbleSegmentItem::make(2, "first");
    auto model = PobbleSegmentedControlModel::make({PobbleSegmentItem::make(1, "a"), first, PobbleSegmentItem::make(2, "second")});
    int calls = 0;
    model->setOnSelectionChanged([&](const PobbleSegmentedControlModel::Item&) { ++calls; });
    model->setHideSelection(true);
    model->select(2);
    EXPECT_EQ(model->selectedItem(), first);
    EXPECT_TRUE(model->hideSelection()) << "a hidden selection stays hidden";
    model->select(9);
    EXPECT_EQ(model->selectedItem(), first);
    EXPECT_EQ(calls, 0);

    // Ids are not positions: the match is by id, in the items' order.
    auto late = PobbleSegmentItem::make(3, "late");
    auto five = PobbleSegmentItem::make(5, "five");
    model->setItems({PobbleSegmentItem::make(7, "seven"), late, five, PobbleSegmentItem::make(3, "later")});
    for (auto [id, expected] : {std::pair{3, late}, std::pair{5, five}, std::pair{1, five}}) {
        model->select(id);
        EXPECT_EQ(model->selectedItem(), expected) << id;
    }
}

TEST(PobbleSegmentedControlModel, EqualItemsAndSelectionsNotifyNobodyButACallbackAlwaysDoes) {
    auto model = PobbleSegmentedControlModel::make({PobbleSegmentItem::make(1, "a"), PobbleSegmentItem::make(2, "b")});
    const auto readItems = [&] { (void)model->items(); };
    EXPECT_EQ(notificationsOf(readItems, [&] {
                  model->setItems({PobbleSegmentItem::make(1, "A"), PobbleSegmentItem::make(2, "B")});
              }),
              0);
    EXPECT_EQ(model->items()[0]->title(), "A") << "stored all the same";
    EXPECT_EQ(notificationsOf(readItems, [&] { model->setItems({PobbleSegmentItem::make(2, "b"), PobbleSegmentItem::make(1, "a")}); }), 1);
    EXPECT_EQ(notificationsOf(readItems, [&] { model->setItems({PobbleSegmentItem::make(2, "b")}); }), 1);

    const auto readSelection = [&] { (void)model->selectedItem(); };
    EXPECT_EQ(notificationsOf(readSelection, [&] { model->setSelectedItem(nullptr); }), 0);
    EXPECT_EQ(notificationsOf(readSelection, [&] { model->setSelectedItem(PobbleSegmentItem::make(2, "x")); }), 1);
    EXPECT_EQ(notificationsOf(readSelection, [&] { model->setSelectedItem(PobbleSegmentItem::make(2, "y")); }), 0);
    EXPECT_EQ(notificationsOf([&] { (void)model->hideSelection(); }, [&] { model->setHideSelection(false); }), 0);
    EXPECT_EQ(notificationsOf([&] { (void)model->onSelectionChanged(); }, [&] { model->setOnSelectionChanged(nullptr); }), 1);
}

TEST(PobbleSettingsConfig, TheSameLabelWidthNotifiesNobody) {
    auto config = PobbleSettingsConfig::make(100);
    const auto read = [&] { (void)config->labelWidth(); };
    EXPECT_EQ(notificationsOf(read, [&] { config->setLabelWidth(100); }), 0);
    EXPECT_EQ(notificationsOf(read, [&] { config->setLabelWidth(120); }), 1);
}

}  // namespace
