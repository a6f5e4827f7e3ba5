#pragma once
#include <string>

namespace Foundation {

// A language and region, named by identifier ("en_US", "tr_TR"). Only what text case mapping
// needs; the current locale is what the user chose, and tests set it.
class Locale {
public:
    explicit Locale(std::string identifier) : identifier_(std::move(identifier)) {}

    const std::string& identifier() const { return identifier_; }
    // The language part of the identifier ("tr" of "tr_TR"); empty for the root locale.
    std::string languageCode() const;

    // The user's locale: set by setCurrent, else taken from the environment (LC_ALL,
    // LC_CTYPE, LANG) once, without touching the process's C locale.
    static Locale current();
    static void setCurrent(Locale locale);
    // Back to the environment's locale.
    static void resetCurrent();

    bool operator==(const Locale& other) const { return identifier_ == other.identifier_; }

private:
    std::string identifier_;
};

}  // namespace Foundation
