#include "Foundation/Strings.hpp"

#include <memory>

#include <unicode/normalizer2.h>
#include <unicode/ucasemap.h>
#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include "Foundation/Locale.hpp"

namespace Foundation {
namespace {

// Decodes one UTF-8 code point at `i`; false (and nothing consumed) for an ill-formed sequence.
bool decode(std::string_view s, std::size_t i, char32_t& codePoint, std::size_t& length) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char b0 = byte(i);
    if (b0 < 0x80) { codePoint = b0; length = 1; return true; }
    std::size_t n;
    char32_t cp, minimum;
    if ((b0 & 0xE0) == 0xC0) { n = 2; cp = b0 & 0x1F; minimum = 0x80; }
    else if ((b0 & 0xF0) == 0xE0) { n = 3; cp = b0 & 0x0F; minimum = 0x800; }
    else if ((b0 & 0xF8) == 0xF0) { n = 4; cp = b0 & 0x07; minimum = 0x10000; }
    else return false;
    if (i + n > s.size()) return false;
    for (std::size_t k = 1; k < n; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) return false;
        cp = (cp << 6) | (byte(i + k) & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    codePoint = cp;
    length = n;
    return true;
}

// Start of the code point that ends just before `end`, or npos when those bytes are ill-formed.
std::size_t previousStart(std::string_view s, std::size_t end) {
    std::size_t start = end;
    while (start > 0 && end - start < 4) {
        --start;
        if ((static_cast<unsigned char>(s[start]) & 0xC0) != 0x80) break;
    }
    char32_t cp;
    std::size_t length;
    if (start < end && decode(s, start, cp, length) && start + length == end) return start;
    return std::string_view::npos;
}

bool whitespaceAt(std::string_view s, std::size_t i, std::size_t& length) {
    char32_t cp;
    return decode(s, i, cp, length) && isWhitespaceOrNewline(cp);
}

using CaseFunction = int32_t (*)(const UCaseMap*, char*, int32_t, const char*, int32_t, UErrorCode*);

std::string mapCase(std::string_view text, const char* localeID, CaseFunction function) {
    if (text.empty()) return {};
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<UCaseMap, decltype(&ucasemap_close)> map(ucasemap_open(localeID, 0, &status), &ucasemap_close);
    if (U_FAILURE(status)) return std::string(text);
    std::string out(text.size() + 16, '\0');
    for (int attempt = 0; attempt < 2; ++attempt) {
        status = U_ZERO_ERROR;
        const int32_t needed = function(map.get(), out.data(), static_cast<int32_t>(out.size()), text.data(),
                                        static_cast<int32_t>(text.size()), &status);
        if (status == U_BUFFER_OVERFLOW_ERROR) {
            out.assign(static_cast<std::size_t>(needed), '\0');
            continue;
        }
        if (U_FAILURE(status)) return std::string(text);
        out.resize(static_cast<std::size_t>(needed));
        return out;
    }
    return std::string(text);
}

std::string icuLocaleID(const Locale& locale) {
    const std::string language = locale.languageCode();
    return language.empty() ? "root" : locale.identifier();
}

}  // namespace

bool isWhitespaceOrNewline(char32_t c) {
    return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680 ||
           (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F ||
           c == 0x3000;
}

std::string trimmingWhitespaceAndNewlines(std::string_view text) {
    std::size_t begin = 0, length = 0;
    while (begin < text.size() && whitespaceAt(text, begin, length)) begin += length;
    std::size_t end = text.size();
    while (end > begin) {
        const std::size_t start = previousStart(text, end);
        if (start == std::string_view::npos || start < begin || !whitespaceAt(text, start, length)) break;
        end = start;
    }
    return std::string(text.substr(begin, end - begin));
}

std::vector<std::string> split(std::string_view text, char separator, bool omittingEmptySubsequences) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t at = text.find(separator, start);
        const std::string_view part = text.substr(start, at == std::string_view::npos ? std::string_view::npos : at - start);
        if (!part.empty() || !omittingEmptySubsequences) parts.emplace_back(part);
        if (at == std::string_view::npos) break;
        start = at + 1;
    }
    return parts;
}

std::string uppercased(std::string_view text) { return mapCase(text, "root", &ucasemap_utf8ToUpper); }
std::string lowercased(std::string_view text) { return mapCase(text, "root", &ucasemap_utf8ToLower); }

std::string uppercased(std::string_view text, const Locale& locale) {
    return mapCase(text, icuLocaleID(locale).c_str(), &ucasemap_utf8ToUpper);
}

std::string lowercased(std::string_view text, const Locale& locale) {
    return mapCase(text, icuLocaleID(locale).c_str(), &ucasemap_utf8ToLower);
}

}  // namespace Foundation

// --- Search ---------------------------------------------------------------------------------

namespace Foundation {

namespace {
// Each folded code point with the byte range of the source code point it came from.
struct Folded {
    std::u32string text;
    std::vector<std::size_t> from, to;
};

Folded fold(std::string_view s) {
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2* nfd = icu::Normalizer2::getNFDInstance(status);
    Folded out;
    for (std::int32_t i = 0, n = static_cast<std::int32_t>(s.size()); i < n;) {
        const std::int32_t start = i;
        UChar32 c;
        U8_NEXT_OR_FFFD(s.data(), i, n, c);
        icu::UnicodeString decomposed;
        if (U_SUCCESS(status)) {
            UErrorCode e = U_ZERO_ERROR;
            decomposed = nfd->normalize(icu::UnicodeString(c), e);
            if (U_FAILURE(e)) decomposed = icu::UnicodeString(c);
        } else {
            decomposed = icu::UnicodeString(c);
        }
        for (std::int32_t k = 0; k < decomposed.length();) {
            UChar32 d = decomposed.char32At(k);
            k += U16_LENGTH(d);
            if (U_GET_GC_MASK(d) & U_GC_M_MASK) continue;  // diacritics do not count
            out.text.push_back(static_cast<char32_t>(u_foldCase(d, U_FOLD_CASE_DEFAULT)));
            out.from.push_back(static_cast<std::size_t>(start));
            out.to.push_back(static_cast<std::size_t>(i));
        }
    }
    return out;
}
}  // namespace

std::optional<TextRange> localizedStandardRange(std::string_view text, std::string_view search, bool atEnd) {
    const Folded t = fold(text), q = fold(search);
    if (q.text.empty() || q.text.size() > t.text.size()) return std::nullopt;
    std::optional<TextRange> found;
    for (std::size_t pos = t.text.find(q.text); pos != std::u32string::npos; pos = t.text.find(q.text, pos + 1)) {
        const std::size_t last = pos + q.text.size() - 1;
        // Whole code points of the text only: a match may not start or end inside one.
        if (pos > 0 && t.from[pos - 1] == t.from[pos]) continue;
        if (last + 1 < t.text.size() && t.from[last + 1] == t.from[last]) continue;
        TextRange r{t.from[pos], t.to[last] - t.from[pos]};
        if (!atEnd) return r;
        if (r.location + r.length == text.size()) found = r;
    }
    return found;
}

}  // namespace Foundation
