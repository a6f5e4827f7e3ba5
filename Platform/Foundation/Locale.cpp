#include "Foundation/Locale.hpp"

#include <cstdlib>
#include <mutex>
#include <optional>

namespace Foundation {
namespace {

std::mutex& currentMutex() {
    static std::mutex mutex;
    return mutex;
}

std::optional<Locale>& override() {
    static std::optional<Locale> locale;
    return locale;
}

// "de_DE.UTF-8@euro" -> "de_DE"; "C" and "POSIX" are the root locale.
std::string identifierFromEnvironment() {
    for (const char* name : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const char* value = std::getenv(name);
        if (!value || !*value) continue;
        std::string id(value);
        id = id.substr(0, id.find_first_of(".@"));
        if (id == "C" || id == "POSIX") return "en_US_POSIX";
        return id;
    }
    return "en_US_POSIX";
}

}  // namespace

std::string Locale::languageCode() const {
    const std::string language = identifier_.substr(0, identifier_.find_first_of("_-"));
    return language == "root" ? std::string() : language;
}

Locale Locale::current() {
    std::lock_guard lock(currentMutex());
    if (override()) return *override();
    static const Locale fromEnvironment(identifierFromEnvironment());
    return fromEnvironment;
}

void Locale::setCurrent(Locale locale) {
    std::lock_guard lock(currentMutex());
    override() = std::move(locale);
}

void Locale::resetCurrent() {
    std::lock_guard lock(currentMutex());
    override().reset();
}

}  // namespace Foundation
