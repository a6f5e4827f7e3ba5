#include <gtest/gtest.h>

#include "Foundation/NSError.hpp"
#include "Foundation/StringsTable.hpp"

using namespace Foundation;
using Entries = StringsTable::Entries;

TEST(StringsTable, ReadsEntriesCommentsAndEscapes) {
    const Entries entries = StringsTable::parse(dataFromString(R"(
/* The window's title */
"Check for Updates…" = "Nach Updates suchen…";
// a line comment
"quote" = "say \"hi\"\n\tnext \\ \U00e9";
bare_key = bare/value-1.0;
"self";
"empty" = "";
"twice" = "first"; "twice" = "second";
)"));
    EXPECT_EQ(entries, (Entries{
        {"Check for Updates…", "Nach Updates suchen…"},
        {"quote", "say \"hi\"\n\tnext \\ \u00e9"},
        {"bare_key", "bare/value-1.0"},
        {"self", "self"},
        {"empty", ""},
        {"twice", "second"},
    }));
    EXPECT_TRUE(StringsTable::parse({}).empty());
}

TEST(StringsTable, ReadsUTF16AndXMLForms) {
    Data utf16{0xFF, 0xFE};
    for (char16_t c : std::u16string(u"\"k\" = \"\u00fc\U0001F600\";")) {
        utf16.push_back(static_cast<std::uint8_t>(c & 0xFF));
        utf16.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    EXPECT_EQ(StringsTable::parse(utf16), (Entries{{"k", "\u00fc\U0001F600"}}));
    EXPECT_EQ(StringsTable::parse(dataFromString("\xEF\xBB\xBF\"a\" = \"b\";")), (Entries{{"a", "b"}}));
    EXPECT_EQ(StringsTable::parse(dataFromString("<plist><dict><key>a</key><string>b</string><key>n</key><integer>1</integer></dict></plist>")),
              (Entries{{"a", "b"}}));
}

TEST(StringsTable, MalformedTablesThrow) {
    for (const char* text : {"\"a\" = \"b\"", "\"a\" = ;", "\"a = \"b\";", "/* open", "= \"b\";", "\"a\" \"b\";",
                             "\"a\" = \"\\Uzz\";", "<plist><array/></plist>"}) {
        EXPECT_THROW(StringsTable::parse(dataFromString(text)), NSError) << text;
    }
}
