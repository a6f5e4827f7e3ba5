#include "Foundation/PropertyList.hpp"

#include <cmath>
#include <ctime>
#include <utility>

#include "Foundation/NSError.hpp"
#include "Foundation/NumberText.hpp"
#include "Foundation/ResourceFile.hpp"
#include "Foundation/Strings.hpp"
#include "Foundation/URL.hpp"
#include "Foundation/XMLParser.hpp"

namespace Foundation {
namespace {

constexpr long propertyListReadCorruptError = 3840;
constexpr long propertyListWriteInvalidError = 3851;
constexpr std::size_t maxNesting = 512;

[[noreturn]] void fail(long code, const std::string& message) { throw NSError(NSCocoaErrorDomain, code, message); }

const char base64Alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

std::string base64Encode(const Data& data) {
    std::string out;
    std::size_t i = 0;
    for (; i + 2 < data.size(); i += 3) {
        const unsigned v = (data[i] << 16) | (data[i + 1] << 8) | data[i + 2];
        out += {base64Alphabet[v >> 18], base64Alphabet[(v >> 12) & 63], base64Alphabet[(v >> 6) & 63], base64Alphabet[v & 63]};
    }
    if (i + 1 == data.size()) {
        const unsigned v = data[i] << 16;
        out += {base64Alphabet[v >> 18], base64Alphabet[(v >> 12) & 63], '=', '='};
    } else if (i + 2 == data.size()) {
        const unsigned v = (data[i] << 16) | (data[i + 1] << 8);
        out += {base64Alphabet[v >> 18], base64Alphabet[(v >> 12) & 63], base64Alphabet[(v >> 6) & 63], '='};
    }
    return out;
}

std::optional<Data> base64Decode(std::string_view text) {
    Data out;
    unsigned accumulator = 0;
    int bits = 0, padding = 0;
    for (char c : text) {
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r') continue;
        if (c == '=') { ++padding; continue; }
        const char* at = std::char_traits<char>::find(base64Alphabet, 64, c);
        if (!at || padding) return std::nullopt;  // a character after padding is malformed too
        accumulator = (accumulator << 6) | static_cast<unsigned>(at - base64Alphabet);
        bits += 6;
        if (bits >= 8) {
            bits -= 8;
            out.push_back(static_cast<std::uint8_t>((accumulator >> bits) & 0xFF));
        }
    }
    if (padding > 2 || bits >= 6) return std::nullopt;
    return out;
}

std::optional<PropertyList::Date> parseDate(std::string_view text) {
    // YYYY-MM-DDTHH:MM:SSZ
    if (text.size() != 20 || text[4] != '-' || text[7] != '-' || text[10] != 'T' || text[13] != ':' ||
        text[16] != ':' || text[19] != 'Z')
        return std::nullopt;
    const auto number = [&](std::size_t at, std::size_t length) { return NumberText::parseInt64(text.substr(at, length)); };
    const auto year = number(0, 4), month = number(5, 2), day = number(8, 2), hour = number(11, 2),
               minute = number(14, 2), second = number(17, 2);
    if (!year || !month || !day || !hour || !minute || !second) return std::nullopt;
    if (*month < 1 || *month > 12 || *day < 1 || *day > 31 || *hour > 23 || *minute > 59 || *second > 60) return std::nullopt;
    std::tm parts{};
    parts.tm_year = static_cast<int>(*year - 1900);
    parts.tm_mon = static_cast<int>(*month - 1);
    parts.tm_mday = static_cast<int>(*day);
    parts.tm_hour = static_cast<int>(*hour);
    parts.tm_min = static_cast<int>(*minute);
    parts.tm_sec = static_cast<int>(*second);
    return PropertyList::Date{static_cast<double>(timegm(&parts))};
}

std::string formatDate(PropertyList::Date date) {
    const std::time_t seconds = static_cast<std::time_t>(std::floor(date.secondsSince1970));
    std::tm parts{};
    gmtime_r(&seconds, &parts);
    char buffer[32];
    std::strftime(buffer, sizeof buffer, "%Y-%m-%dT%H:%M:%SZ", &parts);
    return buffer;
}

// Builds the value tree from the parser's events.
class Reader : public XMLParserDelegate {
public:
    std::optional<PropertyList> root;
    std::string error;

    void parserDidStartElement(XMLParser& parser, const std::string& name, const std::optional<std::string>&,
                               const std::optional<std::string>&, const std::map<std::string, std::string>&) override {
        if (leaf_) return stop(parser, "<" + name + "> inside <" + *leaf_ + ">");
        if (name == "plist") {
            if (!stack_.empty() || sawPlist_ || root) return stop(parser, "misplaced <plist>");
            sawPlist_ = true;
            stack_.push_back(Frame{name, {}, {}, std::nullopt});
        } else if (name == "array" || name == "dict") {
            // Values are freed, compared and written by recursion: a document nested without end
            // would exhaust the stack there.
            if (++nesting_ > maxNesting) return stop(parser, "values nested deeper than " + std::to_string(maxNesting) + " levels");
            stack_.push_back(Frame{name, {}, {}, std::nullopt});
        } else if (name == "key" || name == "string" || name == "integer" || name == "real" || name == "true" ||
                   name == "false" || name == "date" || name == "data") {
            leaf_ = name;
            text_.clear();
        } else {
            stop(parser, "unknown element <" + name + ">");
        }
    }

    void parserFoundCharacters(XMLParser& parser, const std::string& string) override {
        if (leaf_) text_ += string;
        else if (!trimmingWhitespaceAndNewlines(string).empty()) stop(parser, "text outside a value");
    }

    void parserDidEndElement(XMLParser& parser, const std::string& name, const std::optional<std::string>&,
                             const std::optional<std::string>&) override {
        if (!error.empty()) return;
        if (leaf_) {
            const std::string leaf = *std::exchange(leaf_, std::nullopt);
            if (leaf == "key") {
                if (stack_.empty() || stack_.back().element != "dict" || stack_.back().key)
                    return stop(parser, "misplaced <key>");
                stack_.back().key = text_;
                return;
            }
            auto value = leafValue(leaf);
            if (!value) return stop(parser, "bad <" + leaf + "> value \"" + text_ + "\"");
            return add(parser, std::move(*value));
        }
        Frame frame = std::move(stack_.back());
        stack_.pop_back();
        if (name == "plist") return;
        --nesting_;
        if (name == "dict") {
            if (frame.key) return stop(parser, "<key>" + *frame.key + "</key> without a value");
            return add(parser, PropertyList(std::move(frame.dictionary)));
        }
        add(parser, PropertyList(std::move(frame.array)));
    }

private:
    struct Frame {
        std::string element;
        PropertyList::Array array;
        PropertyList::Dictionary dictionary;
        std::optional<std::string> key;
    };
    std::vector<Frame> stack_;
    std::optional<std::string> leaf_;
    std::string text_;
    bool sawPlist_ = false;
    std::size_t nesting_ = 0;

    void stop(XMLParser& parser, std::string message) {
        if (error.empty()) error = std::move(message);
        parser.abortParsing();
    }

    std::optional<PropertyList> leafValue(const std::string& leaf) const {
        const std::string trimmed = trimmingWhitespaceAndNewlines(text_);
        if (leaf == "string") return PropertyList(text_);
        if (leaf == "integer") {
            if (auto v = NumberText::parseInt64(trimmed)) return PropertyList(*v);
            return std::nullopt;
        }
        if (leaf == "real") {
            if (auto v = NumberText::parseDouble(trimmed)) return PropertyList(*v);
            return std::nullopt;
        }
        if (leaf == "true" || leaf == "false") {
            if (!trimmed.empty()) return std::nullopt;
            return PropertyList(leaf == "true");
        }
        if (leaf == "date") {
            if (auto v = parseDate(trimmed)) return PropertyList(*v);
            return std::nullopt;
        }
        if (auto v = base64Decode(text_)) return PropertyList(std::move(*v));
        return std::nullopt;
    }

    void add(XMLParser& parser, PropertyList value) {
        if (stack_.empty() || stack_.back().element == "plist") {
            if (root) return stop(parser, "more than one top-level value");
            root = std::move(value);
            return;
        }
        Frame& top = stack_.back();
        if (top.element == "array") {
            top.array.push_back(std::move(value));
        } else if (!top.key) {
            stop(parser, "a dictionary value without a <key>");
        } else {
            top.dictionary.insert_or_assign(*std::exchange(top.key, std::nullopt), std::move(value));
        }
    }
};

void appendEscaped(std::string& out, const std::string& text) {
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '\r': out += "&#13;"; break;  // a raw CR would read back as LF
        default:
            if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n')
                fail(propertyListWriteInvalidError, "a string holds a control character that XML cannot carry");
            out.push_back(c);
        }
    }
}

void write(std::string& out, const PropertyList& value, int depth) {
    const std::string indent(static_cast<std::size_t>(depth), '\t');
    out += indent;
    switch (value.kind()) {
    case PropertyList::Kind::string:
        out += "<string>";
        appendEscaped(out, *value.string());
        out += "</string>\n";
        break;
    case PropertyList::Kind::integer: out += "<integer>" + std::to_string(*value.integer()) + "</integer>\n"; break;
    case PropertyList::Kind::real: {
        const double r = *value.real();
        const std::string text = std::isnan(r) ? "nan" : std::isinf(r) ? (r > 0 ? "+infinity" : "-infinity")
                                                                        : NumberText::formatShortest(r);
        out += "<real>" + text + "</real>\n";
        break;
    }
    case PropertyList::Kind::boolean: out += *value.boolean() ? "<true/>\n" : "<false/>\n"; break;
    case PropertyList::Kind::date: out += "<date>" + formatDate(*value.date()) + "</date>\n"; break;
    case PropertyList::Kind::data: out += "<data>" + base64Encode(*value.data()) + "</data>\n"; break;
    case PropertyList::Kind::array:
        if (value.array()->empty()) { out += "<array/>\n"; break; }
        out += "<array>\n";
        for (const auto& element : *value.array()) write(out, element, depth + 1);
        out += indent + "</array>\n";
        break;
    case PropertyList::Kind::dictionary:
        if (value.dictionary()->empty()) { out += "<dict/>\n"; break; }
        out += "<dict>\n";
        for (const auto& [key, element] : *value.dictionary()) {
            out += indent + "\t<key>";
            appendEscaped(out, key);
            out += "</key>\n";
            write(out, element, depth + 1);
        }
        out += indent + "</dict>\n";
        break;
    }
}

}  // namespace

std::optional<std::int64_t> PropertyList::integer() const {
    if (auto* v = std::get_if<std::int64_t>(&value_)) return *v;
    return std::nullopt;
}
std::optional<double> PropertyList::real() const {
    if (auto* v = std::get_if<double>(&value_)) return *v;
    return std::nullopt;
}
std::optional<bool> PropertyList::boolean() const {
    if (auto* v = std::get_if<bool>(&value_)) return *v;
    return std::nullopt;
}
std::optional<PropertyList::Date> PropertyList::date() const {
    if (auto* v = std::get_if<Date>(&value_)) return *v;
    return std::nullopt;
}

const PropertyList* PropertyList::find(std::string_view key) const {
    const Dictionary* d = dictionary();
    if (!d) return nullptr;
    const auto it = d->find(key);
    return it == d->end() ? nullptr : &it->second;
}

PropertyList PropertyList::fromXML(const Data& data) {
    XMLParser parser(data);
    Reader reader;
    parser.setDelegate(&reader);
    const bool ok = parser.parse();
    if (!reader.error.empty()) fail(propertyListReadCorruptError, "Not a property list: " + reader.error);
    if (!ok) fail(propertyListReadCorruptError, "Not a property list: " + std::string(parser.parserError()->what()));
    if (!reader.root) fail(propertyListReadCorruptError, "Not a property list: no value");
    return std::move(*reader.root);
}

PropertyList PropertyList::fromFile(const URL& fileURL) {
    return fromXML(ResourceFile::read(fileURL.path(), "a property list", largestFile));
}

std::string PropertyList::toXML() const {
    std::string out =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" \"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
        "<plist version=\"1.0\">\n";
    write(out, *this, 0);
    out += "</plist>\n";
    return out;
}

}  // namespace Foundation
