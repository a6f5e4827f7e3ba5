#include "Foundation/StringsTable.hpp"

#include <optional>
#include <string_view>

#include "Foundation/NSError.hpp"
#include "Foundation/PropertyList.hpp"

namespace Foundation {
namespace {

[[noreturn]] void fail(const std::string& message) {
    throw NSError(NSCocoaErrorDomain, 3840, "Not a strings table: " + message);
}

void appendUTF8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out += {static_cast<char>(0xC0 | (c >> 6)), static_cast<char>(0x80 | (c & 0x3F))};
    } else if (c < 0x10000) {
        out += {static_cast<char>(0xE0 | (c >> 12)), static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
                static_cast<char>(0x80 | (c & 0x3F))};
    } else {
        out += {static_cast<char>(0xF0 | (c >> 18)), static_cast<char>(0x80 | ((c >> 12) & 0x3F)),
                static_cast<char>(0x80 | ((c >> 6) & 0x3F)), static_cast<char>(0x80 | (c & 0x3F))};
    }
}

// UTF-8 text of the file: a UTF-16 byte-order mark means UTF-16; a UTF-8 one is dropped.
std::string decodeText(const Data& data) {
    const bool littleEndian = data.size() >= 2 && data[0] == 0xFF && data[1] == 0xFE;
    const bool bigEndian = data.size() >= 2 && data[0] == 0xFE && data[1] == 0xFF;
    if (!littleEndian && !bigEndian) {
        const std::size_t skip = data.size() >= 3 && data[0] == 0xEF && data[1] == 0xBB && data[2] == 0xBF ? 3 : 0;
        return std::string(data.begin() + static_cast<std::ptrdiff_t>(skip), data.end());
    }
    std::string out;
    const auto unit = [&](std::size_t i) -> char32_t {
        return littleEndian ? (data[i] | (data[i + 1] << 8)) : ((data[i] << 8) | data[i + 1]);
    };
    for (std::size_t i = 2; i + 1 < data.size(); i += 2) {
        char32_t c = unit(i);
        if (c >= 0xD800 && c <= 0xDBFF && i + 3 < data.size()) {
            const char32_t low = unit(i + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            }
        }
        appendUTF8(out, c);
    }
    return out;
}

class Parser {
public:
    explicit Parser(std::string_view text) : text_(text) {}

    StringsTable::Entries run() {
        StringsTable::Entries entries;
        while (skipSpaceAndComments()) {
            std::string key = token("a key");
            skipSpaceAndComments();
            std::string value = key;
            if (peek() == '=') {
                ++at_;
                skipSpaceAndComments();
                value = token("a value");
                skipSpaceAndComments();
            }
            if (peek() != ';') fail("expected ';' after \"" + key + "\"" + where());
            ++at_;
            entries.insert_or_assign(std::move(key), std::move(value));
        }
        return entries;
    }

private:
    std::string_view text_;
    std::size_t at_ = 0;

    char peek() const { return at_ < text_.size() ? text_[at_] : '\0'; }
    std::string where() const { return " at offset " + std::to_string(at_); }

    // False at the end of the text.
    bool skipSpaceAndComments() {
        while (at_ < text_.size()) {
            const char c = text_[at_];
            if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v') {
                ++at_;
            } else if (text_.substr(at_, 2) == "//") {
                const auto end = text_.find('\n', at_);
                at_ = end == std::string_view::npos ? text_.size() : end + 1;
            } else if (text_.substr(at_, 2) == "/*") {
                const auto end = text_.find("*/", at_ + 2);
                if (end == std::string_view::npos) fail("unterminated comment" + where());
                at_ = end + 2;
            } else {
                return true;
            }
        }
        return false;
    }

    static bool isBareCharacter(char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               std::string_view("_$+/:.-").find(c) != std::string_view::npos;
    }

    std::string token(const char* what) {
        if (peek() == '"') return quoted();
        const std::size_t start = at_;
        while (at_ < text_.size() && isBareCharacter(text_[at_])) ++at_;
        if (at_ == start) fail(std::string("expected ") + what + where());
        return std::string(text_.substr(start, at_ - start));
    }

    std::string quoted() {
        ++at_;  // the opening quote
        std::string out;
        while (true) {
            if (at_ >= text_.size()) fail("unterminated string");
            const char c = text_[at_++];
            if (c == '"') return out;
            if (c != '\\') {
                out.push_back(c);
                continue;
            }
            if (at_ >= text_.size()) fail("unterminated string");
            const char e = text_[at_++];
            switch (e) {
            case 'n': out.push_back('\n'); break;
            case 't': out.push_back('\t'); break;
            case 'r': out.push_back('\r'); break;
            case '0': out.push_back('\0'); break;
            case 'U':
            case 'u': {
                char32_t code = 0;
                for (int i = 0; i < 4; ++i) {
                    const char h = peek();
                    int digit;
                    if (h >= '0' && h <= '9') digit = h - '0';
                    else if (h >= 'a' && h <= 'f') digit = h - 'a' + 10;
                    else if (h >= 'A' && h <= 'F') digit = h - 'A' + 10;
                    else fail("bad \\U escape" + where());
                    code = code * 16 + static_cast<char32_t>(digit);
                    ++at_;
                }
                appendUTF8(out, code);
                break;
            }
            default: out.push_back(e);  // \" \\ \' and any other character stand for themselves
            }
        }
    }
};

}  // namespace

StringsTable::Entries StringsTable::parse(const Data& data) {
    const std::string text = decodeText(data);
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first != std::string::npos && text.compare(first, 1, "<") == 0) {
        Entries entries;
        const PropertyList list = PropertyList::fromXML(dataFromString(text));
        if (!list.dictionary()) fail("the property list is not a dictionary");
        for (const auto& [key, value] : *list.dictionary())
            if (value.string()) entries.emplace(key, *value.string());
        return entries;
    }
    return Parser(text).run();
}

}  // namespace Foundation
