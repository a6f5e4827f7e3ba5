#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <limits>
#include <random>

#include "Foundation/NumberText.hpp"

using namespace Foundation;

namespace {

std::string printfFixed(double value, int decimals) {
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    return buffer;
}

// Switches the process to a locale whose decimal separator is a comma, when one is installed.
class CommaLocale {
public:
    CommaLocale() {
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8", "nl_NL.UTF-8"}) {
            if (std::setlocale(LC_ALL, name)) {
                active_ = true;
                return;
            }
        }
    }
    ~CommaLocale() { std::setlocale(LC_ALL, "C"); }
    bool active() const { return active_; }

private:
    bool active_ = false;
};

}  // namespace

TEST(NumberTextFormat, RoundsTheExactBinaryValueHalfToEven) {
    struct Case { double value; int decimals; const char* text; };
    const Case cases[] = {
        {12.25, 1, "12.2"},  {2.5, 0, "2"},        {3.5, 0, "4"},     {0.125, 2, "0.12"},
        {0.375, 2, "0.38"},  {-0.5, 0, "-0"},      {-1.5, 0, "-2"},   {double(1200 * 0.01f), 1, "12.0"},
        {0.1, 20, "0.10000000000000000555"},       {1e21, 0, "1000000000000000000000"},
        {5.0, 3, "5.000"},   {-0.0, 1, "-0.0"},    {7.0, -1, "7"},
    };
    for (const auto& c : cases) EXPECT_EQ(NumberText::format(c.value, c.decimals), c.text) << c.value << " @" << c.decimals;
}

TEST(NumberTextFormat, NonFiniteValuesPrintAsPrintfDoes) {
    EXPECT_EQ(NumberText::format(INFINITY, 2), "inf");
    EXPECT_EQ(NumberText::format(-INFINITY, 0), "-inf");
    EXPECT_EQ(NumberText::format(std::nan(""), 1), printfFixed(std::nan(""), 1));
    EXPECT_EQ(NumberText::format(-std::nan(""), 1), printfFixed(-std::nan(""), 1));
}

TEST(NumberTextFormat, MatchesCLocalePrintfOverManyValues) {
    std::mt19937_64 random(42);
    std::uniform_real_distribution<double> magnitude(-12, 12);
    for (int i = 0; i < 20000; ++i) {
        const double value = std::pow(10.0, magnitude(random)) * (i % 2 ? -1 : 1);
        const int decimals = i % 7;
        ASSERT_EQ(NumberText::format(value, decimals), printfFixed(value, decimals)) << value;
    }
    EXPECT_EQ(NumberText::format(std::numeric_limits<double>::max(), 2), printfFixed(std::numeric_limits<double>::max(), 2));
    EXPECT_EQ(NumberText::format(std::numeric_limits<double>::denorm_min(), 400),
              printfFixed(std::numeric_limits<double>::denorm_min(), 400));
}

TEST(NumberTextParse, FloatTable) {
    struct Case { const char* text; std::optional<float> value; };
    const Case cases[] = {
        {"12.5", 12.5f},   {"1e2", 100.0f},     {"1e1", 10.0f},    {"+3", 3.0f},     {"-0.25", -0.25f},
        {".5", 0.5f},      {"5.", 5.0f},        {"0x1p4", 16.0f},  {"0X.8", 0.5f},   {"inf", INFINITY},
        {"-INF", -INFINITY}, {"infinity", INFINITY}, {"1e99", INFINITY},
        {"", std::nullopt}, {" 1", std::nullopt}, {"\t1", std::nullopt}, {"\n1", std::nullopt},
        {"\v1", std::nullopt}, {"\f1", std::nullopt}, {"\r1", std::nullopt}, {"1 ", std::nullopt},
        {"12ms", std::nullopt}, {"1,5", std::nullopt}, {"abc", std::nullopt}, {"+", std::nullopt},
        {"1e", std::nullopt}, {"--1", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(NumberText::parseFloat(c.text), c.value) << '"' << c.text << '"';
}

TEST(NumberTextParse, NaNIsANumberAndEmbeddedNulIsLeftOver) {
    const auto nan = NumberText::parseFloat("nan");
    ASSERT_TRUE(nan.has_value());
    EXPECT_TRUE(std::isnan(*nan));
    ASSERT_TRUE(NumberText::parseDouble("-NaN").has_value());
    EXPECT_FALSE(NumberText::parseFloat(std::string_view("1\0" "2", 3)).has_value());
}

TEST(NumberTextParse, DoubleKeepsDoublePrecision) {
    EXPECT_EQ(NumberText::parseDouble("0.1"), 0.1);
    EXPECT_EQ(NumberText::parseDouble("1e300"), 1e300);
    EXPECT_EQ(NumberText::parseDouble("2.5e-3x"), std::nullopt);
    EXPECT_EQ(NumberText::parseDouble(NumberText::formatShortest(0.1 + 0.2)), 0.1 + 0.2);
}

TEST(NumberTextParse, Int64Table) {
    struct Case { const char* text; std::optional<std::int64_t> value; };
    const Case cases[] = {
        {"1", 1}, {"+5", 5}, {"-5", -5}, {"007", 7}, {"0", 0}, {"-0", 0},
        {"9223372036854775807", std::numeric_limits<std::int64_t>::max()},
        {"-9223372036854775808", std::numeric_limits<std::int64_t>::min()},
        {"9223372036854775808", std::nullopt}, {"-9223372036854775809", std::nullopt},
        {"99999999999999999999999", std::nullopt},
        {"", std::nullopt}, {"+", std::nullopt}, {"-", std::nullopt}, {"+-1", std::nullopt},
        {" 1", std::nullopt}, {"1 ", std::nullopt}, {"0b1", std::nullopt}, {"1.5", std::nullopt},
        {"0x10", std::nullopt}, {"2a", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(NumberText::parseInt64(c.text), c.value) << '"' << c.text << '"';
}

TEST(NumberTextLocale, ACommaLocaleInTheProcessChangesNothing) {
    CommaLocale comma;
    if (!comma.active()) GTEST_SKIP() << "no comma locale installed";
    ASSERT_EQ(printfFixed(1.5, 1), "1,5");  // the process really prints commas now
    EXPECT_EQ(NumberText::format(1.5, 1), "1.5");
    EXPECT_EQ(NumberText::parseFloat("1.5"), 1.5f);
    EXPECT_EQ(NumberText::parseFloat("1,5"), std::nullopt);
    EXPECT_EQ(NumberText::parseDouble("2.25"), 2.25);
}
