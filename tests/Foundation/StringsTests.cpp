#include <gtest/gtest.h>

#include "Foundation/CharacterSet.hpp"
#include "Foundation/Locale.hpp"
#include "Foundation/Strings.hpp"

using namespace Foundation;

TEST(Strings, TrimsUnicodeWhitespaceAtBothEndsOnly) {
    struct Case { const char* text; const char* trimmed; };
    const Case cases[] = {
        {"\n  1.3  \n", "1.3"},
        {"\t\v\f\r 1 2 \r\n", "1 2"},
        {"\u00A0x\u3000", "x"},                 // no-break and ideographic space
        {"\u2028\u2029\u0085x\u202F\u205F\u1680", "x"},
        {"\u2003x\u200A", "x"},
        {"\u200Bx", "\u200Bx"},                // zero-width space is not white space
        {"   ", ""},
        {"", ""},
        {"\xff \xff", "\xff \xff"},             // ill-formed bytes are kept, not skipped
        {" \xe2\x80", "\xe2\x80"},              // a truncated sequence at the end stays
    };
    for (const auto& c : cases) EXPECT_EQ(trimmingWhitespaceAndNewlines(c.text), c.trimmed) << c.text;
}

TEST(Strings, SplitDropsOrKeepsEmptyParts) {
    using V = std::vector<std::string>;
    EXPECT_EQ(split("1.2.3", '.'), (V{"1", "2", "3"}));
    EXPECT_EQ(split("1..2", '.'), (V{"1", "2"}));
    EXPECT_EQ(split(".1.", '.'), (V{"1"}));
    EXPECT_EQ(split("", '.'), V{});
    EXPECT_EQ(split("...", '.'), V{});
    EXPECT_EQ(split("a,,b", ',', false), (V{"a", "", "b"}));
    EXPECT_EQ(split("", ',', false), (V{""}));
    EXPECT_EQ(split(",", ',', false), (V{"", ""}));
}

class CaseMapping : public ::testing::Test {
protected:
    void TearDown() override { Locale::resetCurrent(); }
};

TEST_F(CaseMapping, PlainCasingIgnoresTheUsersLocale) {
    Locale::setCurrent(Locale("tr_TR"));
    EXPECT_EQ(uppercased("i"), "I");
    EXPECT_EQ(lowercased("I"), "i");
    EXPECT_EQ(uppercased("straße"), "STRASSE");
    EXPECT_EQ(uppercased("16 steps"), "16 STEPS");
    EXPECT_EQ(uppercased(""), "");
}

TEST_F(CaseMapping, LocaleAwareCasingFollowsTheLanguage) {
    const Locale turkish("tr_TR"), english("en_US");
    EXPECT_EQ(uppercased("istanbul", turkish), "\u0130STANBUL");
    EXPECT_EQ(lowercased("I", turkish), "\u0131");
    EXPECT_EQ(uppercased("istanbul", english), "ISTANBUL");
    EXPECT_EQ(lowercased("I", english), "i");
    Locale::setCurrent(turkish);
    EXPECT_EQ(uppercased("i", Locale::current()), "\u0130");
    EXPECT_EQ(Locale::current().identifier(), "tr_TR");
    EXPECT_EQ(Locale::current().languageCode(), "tr");
}

// --- Character sets and search --------------------------------------------------------------

namespace {

TEST(CharacterSet, AlphanumericsCoverLettersMarksAndDigitsOfEveryScript) {
    auto set = Foundation::CharacterSet::alphanumerics();
    for (char32_t c : {U'a', U'Z', U'7', U'é', U'ß', U'Ж', U'字', U'\u0301', U'٣'}) EXPECT_TRUE(set.contains(c)) << unsigned(c);
    for (char32_t c : {U' ', U'+', U'$', U'_', U'.', U'\t', U'€'}) EXPECT_FALSE(set.contains(c)) << unsigned(c);
    auto withPunctuation = set.unioned(Foundation::CharacterSet::characters("$_"));
    EXPECT_TRUE(withPunctuation.contains(U'$'));
    EXPECT_EQ(Foundation::rangeOfCharacter("ab c", set.inverted()), 2u);
    EXPECT_EQ(Foundation::rangeOfCharacter("héllo", set.inverted()), std::nullopt);
    EXPECT_EQ(Foundation::rangeOfCharacter("é+", set.inverted()), 2u) << "a byte offset";
}

TEST(LocalizedStandardRange, IgnoresCaseAndDiacriticsAndCoversWholeCharacters) {
    using Foundation::TextRange;
    EXPECT_EQ(Foundation::localizedStandardRange("Café au lait", "CAFE"), (TextRange{0, 5}));
    EXPECT_EQ(Foundation::localizedStandardRange("une crème", "creme"), (TextRange{4, 6}));
    EXPECT_EQ(Foundation::localizedStandardRange("e\xCC\x81t\xC3\xA9", "ete"), (TextRange{0, 6})) << "decomposed and precomposed";
    EXPECT_EQ(Foundation::localizedStandardRange("abc", ""), std::nullopt);
    EXPECT_EQ(Foundation::localizedStandardRange("abc", "abcd"), std::nullopt);
    EXPECT_EQ(Foundation::localizedStandardRange("ms 12 MS", "ms", true), (TextRange{6, 2}));
    EXPECT_EQ(Foundation::localizedStandardRange("ms 12", "ms", true), std::nullopt);
}

}  // namespace
