#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>

#include "Foundation/Locale.hpp"
#include "Pellicot/DefaultLabelFormatter.hpp"
#include "Pellicot/KnobControl.hpp"
#include "Pellicot/LabelNameFormatter.hpp"
#include "Pellicot/PaddedIndexString.hpp"
#include "KitTestSupport.hpp"

namespace {

using namespace Pellicot;
using namespace KitTest;

constexpr float nan = std::numeric_limits<float>::quiet_NaN();
constexpr float inf = std::numeric_limits<float>::infinity();

TEST(KitValueMapping, LinearRangesMapStraight) {
    auto p = parameter(Unit::milliseconds, 0, 50, 0);
    EXPECT_EQ(p->normalise(0), 0);
    EXPECT_EQ(p->normalise(25), 0.5f);
    EXPECT_EQ(p->normalise(50), 1);
    EXPECT_EQ(p->denormalise(0.5f), 25);
    EXPECT_EQ(p->denormalise(1), 50);
}

TEST(KitValueMapping, LogarithmicWithAndWithoutMidpoint) {
    auto skewed = parameter(Unit::hertz, 20, 20000, 1000, ValueIncrement::logarithmic(1000.0f));
    EXPECT_NEAR(skewed->normalise(1000), 0.5f, 1e-6);
    EXPECT_NEAR(skewed->denormalise(0.5f), 1000, 0.01);
    EXPECT_EQ(KnobControl::frame(*skewed, 1000, 51), 26);
    EXPECT_NEAR(skewed->normalise(20), 0, 1e-6);
    EXPECT_NEAR(skewed->normalise(20000), 1, 1e-6);

    auto plain = parameter(Unit::hertz, 20, 20000, 1000, ValueIncrement::logarithmic());
    EXPECT_NEAR(plain->normalise(632.456f), 0.5f, 1e-6);
    EXPECT_NEAR(plain->denormalise(0.5f), 632.456f, 0.01);
    for (float v : {20.0f, 100.0f, 4321.0f, 20000.0f}) EXPECT_NEAR(plain->denormalise(plain->normalise(v)), v, v * 1e-5) << v;
}

TEST(KitValueMapping, TheSkewPutsTheMidpointAtHalfTravel) {
    auto p = parameter(Unit::hertz, 20, 20000, 1000, ValueIncrement::logarithmic(1000.0f));
    auto e = p->skew(1000);
    ASSERT_TRUE(e.has_value());
    const float x = logf(1000.0f / 20) / logf(20000.0f / 20);
    EXPECT_EQ(*e, std::bit_cast<float>(0xBF317218u) / logf(x));
    // No exponent on a bound, outside the range, or for a range that is not positive.
    EXPECT_FALSE(p->skew(20).has_value());
    EXPECT_FALSE(p->skew(20000).has_value());
    EXPECT_FALSE(p->skew(5).has_value());
    EXPECT_FALSE(p->skew(nan).has_value());
    EXPECT_FALSE(parameter(Unit::hertz, 0, 100, 1, ValueIncrement::logarithmic(10.0f))->skew(10).has_value());
}

TEST(KitValueMapping, MidpointsThatCannotSkewFallBackToPlainLogarithmic) {
    auto plain = parameter(Unit::hertz, 20, 20000, 20, ValueIncrement::logarithmic());
    for (float midpoint : {20.0f, 20000.0f, 50000.0f}) {
        auto p = parameter(Unit::hertz, 20, 20000, 20, ValueIncrement::logarithmic(midpoint));
        EXPECT_EQ(p->normalise(632.456f), plain->normalise(632.456f)) << midpoint;
        EXPECT_EQ(p->denormalise(0.3f), plain->denormalise(0.3f)) << midpoint;
    }
}

TEST(KitValueMapping, LogarithmicWithANonPositiveBoundMapsLinearly) {
    auto p = parameter(Unit::hertz, 0, 100, 0, ValueIncrement::logarithmic(10.0f));
    EXPECT_EQ(p->normalise(25), 0.25f);
    EXPECT_EQ(p->denormalise(0.75f), 75);
}

TEST(KitKnobFrames, BoundsAndMiddleOfA51FrameSequence) {
    auto p = parameter(Unit::milliseconds, 0, 50, 0);
    EXPECT_EQ(KnobControl::frame(*p, 0, 51), 1);
    EXPECT_EQ(KnobControl::frame(*p, 25, 51), 26);
    EXPECT_EQ(KnobControl::frame(*p, 50, 51), 51);
    EXPECT_EQ(KnobControl::frame(*p, 0.5f, 51), 2) << "half a frame rounds away from zero";
}

TEST(KitKnobFrames, PositionsThatAreNotNumbersStayInsideTheSequence) {
    // A range with equal bounds gives 0 / 0; values outside the range and infinities give
    // positions far outside 0...1. None of them may be converted to an integer unclamped.
    auto empty = AudioParameter::dummyParam();
    EXPECT_EQ(KnobControl::frame(*empty, 0, 51), 1);
    auto p = parameter(Unit::milliseconds, 0, 50, 0);
    EXPECT_EQ(KnobControl::frame(*p, 1e30f, 51), 51);
    EXPECT_EQ(KnobControl::frame(*p, -inf, 51), 1);
    EXPECT_EQ(KnobControl::frame(*p, nan, 51), 1);
    auto skewed = parameter(Unit::hertz, 20, 20000, -5, ValueIncrement::logarithmic(1000.0f));
    EXPECT_EQ(KnobControl::frame(*skewed, -5, 51), 1) << "ln of a negative ratio";
    EXPECT_EQ(KnobControl::frame(*p, 25, 0), 1);
    EXPECT_EQ(KnobControl::frame(*p, 25, 1), 1);
}

TEST(KitPaddedIndex, AtLeastTwoDigits) {
    EXPECT_EQ(paddedIndexString(1), "01");
    EXPECT_EQ(paddedIndexString(9), "09");
    EXPECT_EQ(paddedIndexString(10), "10");
    EXPECT_EQ(paddedIndexString(51), "51");
    EXPECT_EQ(paddedIndexString(0), "00");
}

TEST(KitDefaultFormatter, PrintsWithAFixedCountOfDecimals) {
    auto ms = parameter(Unit::milliseconds, 0, 50, 0);
    auto cents = parameter(Unit::absoluteCents, 0, 2400, 0);
    struct Case {
        std::shared_ptr<AudioParameter> param;
        int decimals;
        float value;
        std::string text;
    };
    for (const auto& c : std::vector<Case>{{ms, 1, 12.25f, "12.2"},
                                           {ms, 0, 2.5f, "2"},
                                           {ms, 0, 3.5f, "4"},
                                           {ms, 1, 12, "12.0"},
                                           {ms, 2, 0.125f, "0.12"},
                                           {ms, 3, -1.5f, "-1.500"},
                                           {cents, 1, 1200, "12.0"},
                                           {cents, 0, 1250, "12"},
                                           {ms, -1, 7.25f, "7"},
                                           {ms, -3, 8.5f, "8"}})
        EXPECT_EQ(DefaultLabelFormatter(*c.param, c.decimals).format(c.value), c.text) << c.value << " @" << c.decimals;
}

TEST(KitDefaultFormatter, ReadsTheWholeTextAsOneNumber) {
    DefaultLabelFormatter f(*parameter(Unit::absoluteCents, 0, 2400, 0), 1);
    struct Case {
        std::string text;
        std::optional<float> value;
    };
    for (const auto& c : std::vector<Case>{{"5", 5.0f},
                                           {"1e1", 10.0f},
                                           {"-2.5", -2.5f},
                                           {"+3", 3.0f},
                                           {"0x10", 16.0f},
                                           {"inf", inf},
                                           {"1,5", std::nullopt},
                                           {"", std::nullopt},
                                           {" 5", std::nullopt},
                                           {"\t5", std::nullopt},
                                           {"5 ", std::nullopt},
                                           {"5ms", std::nullopt},
                                           {"abc", std::nullopt}})
        EXPECT_EQ(f.value(c.text), c.value) << '"' << c.text << '"';
    auto n = f.value("nan");
    ASSERT_TRUE(n.has_value());
    EXPECT_TRUE(std::isnan(*n));
}

TEST(KitNameFormatter, ShowsTheNameAtTheNearestIndex) {
    auto p = parameter(Unit::indexed, 0, 1, 0, ValueIncrement::linear(), std::vector<std::string>{"Off", "On"});
    LabelNameFormatter f(*p);
    EXPECT_EQ(f.format(0.4f), "Off");
    EXPECT_EQ(f.format(0.5f), "On");
    EXPECT_EQ(f.format(1), "On");
}

TEST(KitNameFormatter, ValuesWithoutANameReadAsTheirNumber) {
    LabelNameFormatter f(*parameter(Unit::indexed, 0, 5, 0, ValueIncrement::linear(), std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(f.format(2), "2");
    EXPECT_EQ(f.format(-1), "-1");
    EXPECT_EQ(f.format(-0.4f), "A") << "rounds to index 0";
    EXPECT_EQ(f.format(1e10f), "10000000000");
    EXPECT_EQ(f.format(nan), "nan");
    EXPECT_EQ(f.format(inf), "inf");
    LabelNameFormatter none(*parameter(Unit::indexed, 0, 5, 0));
    EXPECT_TRUE(none.valueStrings().empty());
    EXPECT_EQ(none.format(0), "0");
}

TEST(KitNameFormatter, ReadsANameWhateverItsCase) {
    auto p = parameter(Unit::indexed, 0, 2, 0, ValueIncrement::linear(), std::vector<std::string>{"Straight", "Swing", "swing"});
    LabelNameFormatter f(*p);
    EXPECT_EQ(f.value("SWING"), 1.0f) << "the first equal name wins";
    EXPECT_EQ(f.value("straight"), 0.0f);
    EXPECT_EQ(f.value("shuffle"), std::nullopt);
}

TEST(KitNameFormatter, ComparesCaseByTheUsersLanguage) {
    auto p = parameter(Unit::indexed, 0, 1, 0, ValueIncrement::linear(), std::vector<std::string>{"Dim", "Tilt"});
    LabelNameFormatter f(*p);
    Foundation::Locale::setCurrent(Foundation::Locale("tr_TR"));
    // In Turkish "I" lower-cases to a dotless i, so "DIM" is not "dim".
    EXPECT_EQ(f.value("DIM"), std::nullopt);
    EXPECT_EQ(f.value("DİM"), 0.0f);
    Foundation::Locale::setCurrent(Foundation::Locale("en_US"));
    EXPECT_EQ(f.value("DIM"), 0.0f);
    Foundation::Locale::resetCurrent();
}

TEST(KitNameFormatter, KeepsTheNamesItWasMadeWith) {
    auto p = parameter(Unit::indexed, 0, 1, 0, ValueIncrement::linear(), std::vector<std::string>{"A", "B"});
    LabelNameFormatter f(*p);
    p.reset();
    EXPECT_EQ(f.format(1), "B");
}

}  // namespace
