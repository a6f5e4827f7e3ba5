#include "Foundation/Formatter.hpp"

#include <cstdint>

namespace Foundation {

std::optional<std::string> Formatter::string(const std::any&) const { return std::nullopt; }

bool Formatter::getObjectValue(std::any*, const std::string&, std::string* errorDescription) const {
    if (errorDescription) *errorDescription = "The formatter cannot read values.";
    return false;
}

bool Formatter::isPartialStringValid(const std::string& partial, std::string* newEditingString, std::string*) const {
    if (newEditingString) *newEditingString = partial;
    return true;
}

std::optional<double> numberValue(const std::any& o) {
    if (auto* v = std::any_cast<double>(&o)) return *v;
    if (auto* v = std::any_cast<float>(&o)) return *v;
    if (auto* v = std::any_cast<int>(&o)) return *v;
    if (auto* v = std::any_cast<long>(&o)) return double(*v);
    if (auto* v = std::any_cast<long long>(&o)) return double(*v);
    if (auto* v = std::any_cast<unsigned>(&o)) return *v;
    if (auto* v = std::any_cast<unsigned long>(&o)) return double(*v);
    if (auto* v = std::any_cast<std::int16_t>(&o)) return *v;
    if (auto* v = std::any_cast<bool>(&o)) return *v ? 1.0 : 0.0;
    return std::nullopt;
}

}  // namespace Foundation
