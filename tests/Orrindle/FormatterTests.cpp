#include <gtest/gtest.h>

#include <any>
#include <string>

#include "Orrindle/Formatters/ConstantNameFormatter.hpp"
#include "Orrindle/Formatters/ExpressionFormatter.hpp"

namespace {

using Orrindle::ConstantNameFormatter;
using Orrindle::ExpressionFormatter;
using Behavior = Foundation::NumberFormatter::Behavior;

std::any text(const char* s) { return std::string(s); }

TEST(ConstantNameFormatter, ShowsThePrefixAndEditsWithoutIt) {
    auto f = ConstantNameFormatter::make();
    EXPECT_EQ(f->string(text("speed")), "$speed");
    EXPECT_EQ(f->string(text("$speed")), "$speed");
    EXPECT_EQ(f->string(std::any(3)), std::nullopt);
    EXPECT_EQ(f->editingString(text("$speed")), "speed");
    EXPECT_EQ(f->editingString(text("speed")), "speed");
    // Only a leading prefix is the formatter's; one further in belongs to the name.
    EXPECT_EQ(f->editingString(text("my$var")), "my$var");
    EXPECT_EQ(f->editingString(std::any()), std::nullopt);
    f->setRequiredPrefix("Const.");
    EXPECT_EQ(f->string(text("x")), "Const.x");
    EXPECT_EQ(f->editingString(text("const.x")), "x") << "the leading prefix is found regardless of case";
}

TEST(ConstantNameFormatter, AcceptsLettersDigitsAndAFewMarksOfAnyScript) {
    auto f = ConstantNameFormatter::make();
    const std::vector<std::pair<const char*, bool>> cases = {
        {"my-var.2", true}, {"café", true}, {"", true},     {"$x_1", true},  {"Größe", true},
        {"a b", false},     {"x+y", false}, {"a\tb", false}, {"tab/", false}, {"n\xC3\xA9", true},
    };
    for (auto [name, ok] : cases) {
        SCOPED_TRACE(name);
        std::any stored = text("untouched");
        std::string error;
        EXPECT_EQ(f->getObjectValue(&stored, name, &error), ok);
        if (ok) {
            EXPECT_EQ(std::any_cast<std::string>(stored), name) << "stored unchanged, no prefix added";
            EXPECT_TRUE(error.empty());
        } else {
            EXPECT_EQ(std::any_cast<std::string>(stored), "untouched");
            EXPECT_EQ(error, "Constant names must only contain A-Z, a-z, 0-9 and the characters _ and $");
        }
        std::string edited, partialError;
        EXPECT_EQ(f->isPartialStringValid(name, &edited, &partialError), ok);
        if (ok) {
            EXPECT_EQ(edited, name);
        }
        EXPECT_TRUE(f->getObjectValue(nullptr, "ok", nullptr));
    }
}

TEST(ExpressionFormatter, NumbersCarryTheSuffixAndOtherTextPassesThrough) {
    auto f = ExpressionFormatter::make();
    f->setPositiveSuffix(" ms");
    EXPECT_TRUE(f->isLenient());
    EXPECT_EQ(f->string(std::any(12.0)), "12 ms");
    EXPECT_EQ(f->editingString(std::any(12.0)), "12");
    EXPECT_EQ(f->string(text("12")), "12 ms");
    EXPECT_EQ(f->string(text("12 ms")), "12 ms") << "a plain number text is not a number text with a unit";
    EXPECT_EQ(f->string(text("2*6")), "2*6");
    EXPECT_EQ(f->string(text("")), "");
    EXPECT_EQ(f->editingString(text("2*6 ms")), "2*6 ms");

    std::any stored;
    EXPECT_TRUE(f->getObjectValue(&stored, "2*6", nullptr));
    EXPECT_EQ(std::any_cast<std::string>(stored), "2*6");
    EXPECT_TRUE(f->getObjectValue(&stored, " 12", nullptr));
    EXPECT_EQ(std::any_cast<std::string>(stored), " 12") << "leading space: not a plain number";
    EXPECT_TRUE(f->getObjectValue(&stored, "1e3", nullptr));
    EXPECT_EQ(std::any_cast<double>(stored), 1000.0) << "a plain number is the number formatter's";
    EXPECT_TRUE(f->getObjectValue(&stored, "", nullptr));
    EXPECT_EQ(std::any_cast<std::string>(stored), "");
}

TEST(ExpressionFormatter, OnlyATrailingSuffixIsCutForEditing) {
    auto f = ExpressionFormatter::make();
    f->setPositiveSuffix(" s");
    f->setNumberStyle(Foundation::NumberFormatter::Style::decimal);
    EXPECT_EQ(f->string(std::any(2.5)), "2.5 s");
    EXPECT_EQ(f->editingString(std::any(2.5)), "2.5");
    f->setPositivePrefix("take s ");
    EXPECT_EQ(f->editingString(std::any(2.5)), "take s 2.5") << "the suffix's text inside is kept";
}

TEST(ExpressionFormatter, TheOldBehaviourNeitherAddsNorRemovesTheSuffix) {
    auto f = ExpressionFormatter::make();
    f->setPositiveSuffix(" ms");
    f->setFormatterBehavior(Behavior::behavior10_0);
    EXPECT_EQ(f->string(std::any(12)), "12");
    EXPECT_EQ(f->string(text("12")), "12");
    EXPECT_EQ(f->editingString(std::any(12)), "12");
}

}  // namespace
