#pragma once
#include <map>
#include <string>

#include "Foundation/Data.hpp"

namespace Foundation {

// The key-value text files of localizations (Localizable.strings, InfoPlist.strings):
//   /* comment */  "key" = "value";   // comment
//   "key";                           (the value is the key)
// Keys and values are quoted strings with \" \\ \n \t \r \0 and \Uxxxx escapes, or bare
// words of letters, digits and _$+/:.-. UTF-8 or UTF-16 with a byte-order mark; an XML
// property list of strings is read too.
struct StringsTable {
    using Entries = std::map<std::string, std::string, std::less<>>;

    // Throws Foundation::NSError (NSCocoaErrorDomain, 3840) for text that is not a table.
    static Entries parse(const Data& data);
};

}  // namespace Foundation
