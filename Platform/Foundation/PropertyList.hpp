#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "Foundation/Data.hpp"
#include "Foundation/ResourceFile.hpp"

namespace Foundation {

class URL;

// A property-list value: string, integer, real, boolean, date, data, array or dictionary,
// as Info.plist files hold them. Integer and real stay apart (a version given as <integer>
// is not a string, and 1 is not 1.0).
class PropertyList {
public:
    using Array = std::vector<PropertyList>;
    using Dictionary = std::map<std::string, PropertyList, std::less<>>;
    // Seconds since 1970-01-01T00:00:00Z; written and read as whole UTC seconds.
    struct Date {
        double secondsSince1970 = 0;
        bool operator==(const Date&) const = default;
    };
    enum class Kind { string, integer, real, boolean, date, data, array, dictionary };

    PropertyList() : value_(std::string()) {}
    PropertyList(std::string value) : value_(std::move(value)) {}
    PropertyList(const char* value) : value_(std::string(value)) {}
    PropertyList(std::int64_t value) : value_(value) {}
    PropertyList(int value) : value_(std::int64_t(value)) {}
    PropertyList(double value) : value_(value) {}
    PropertyList(bool value) : value_(value) {}
    PropertyList(Date value) : value_(value) {}
    PropertyList(Data value) : value_(std::move(value)) {}
    PropertyList(Array value) : value_(std::move(value)) {}
    PropertyList(Dictionary value) : value_(std::move(value)) {}

    Kind kind() const { return static_cast<Kind>(value_.index()); }

    // Each gives the value when it is of that kind, else nothing (no conversion between kinds).
    const std::string* string() const { return std::get_if<std::string>(&value_); }
    std::optional<std::int64_t> integer() const;
    std::optional<double> real() const;
    std::optional<bool> boolean() const;
    std::optional<Date> date() const;
    const Data* data() const { return std::get_if<Data>(&value_); }
    const Array* array() const { return std::get_if<Array>(&value_); }
    const Dictionary* dictionary() const { return std::get_if<Dictionary>(&value_); }

    // The entry under `key` of a dictionary; nullptr when absent or not a dictionary.
    const PropertyList* find(std::string_view key) const;

    bool operator==(const PropertyList& other) const { return value_ == other.value_; }

    // Reads an XML property list. Throws Foundation::NSError (NSCocoaErrorDomain, 3840) with
    // a description of what is wrong for a document that is not one, or whose arrays and
    // dictionaries nest more than 512 levels deep.
    static PropertyList fromXML(const Data& data);
    // The largest file fromFile reads: property lists are settings, not data.
    static constexpr std::size_t largestFile = ResourceFile::largestFile;
    // Reads the file at a file URL; throws as fromXML, or as ResourceFile::read refuses a file
    // (263 for one larger than largestFile, 260 when it is no regular file or cannot be read).
    static PropertyList fromFile(const URL& fileURL);
    // The XML form, dictionary keys sorted, indented with tabs.
    std::string toXML() const;

private:
    std::variant<std::string, std::int64_t, double, bool, Date, Data, Array, Dictionary> value_;
};

}  // namespace Foundation
