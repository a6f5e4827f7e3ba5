#include "Pellicot/SimpleSparklerChecker.hpp"

#include "Foundation/Strings.hpp"
#include "Pellicot/VersionWeight.hpp"

namespace Pellicot {

std::optional<std::string> SimpleSparklerChecker::latestVersion() const {
    if (versions_.empty()) return std::nullopt;
    const std::string* best = &versions_.front();
    std::int64_t bestWeight = convertVersionToWeight(*best);
    for (const auto& version : versions_) {
        const std::int64_t weight = convertVersionToWeight(version);
        if (weight > bestWeight) {
            best = &version;
            bestWeight = weight;
        }
    }
    return *best;
}

void SimpleSparklerChecker::parse(const Foundation::Data& data) {
    Foundation::XMLParser parser(data);
    parser.setDelegate(this);
    (void)parser.parse();
}

void SimpleSparklerChecker::parserDidStartElement(Foundation::XMLParser&, const std::string& elementName,
                                                  const std::optional<std::string>&,
                                                  const std::optional<std::string>& qualifiedName,
                                                  const std::map<std::string, std::string>&) {
    currentElement_ = qualifiedName.value_or(elementName);
    currentValue_.clear();
}

void SimpleSparklerChecker::parserFoundCharacters(Foundation::XMLParser&, const std::string& string) {
    currentValue_ += string;
}

void SimpleSparklerChecker::parserDidEndElement(Foundation::XMLParser&, const std::string&,
                                                const std::optional<std::string>&,
                                                const std::optional<std::string>&) {
    if (currentElement_ == "sparkle:shortVersionString")
        versions_.push_back(Foundation::trimmingWhitespaceAndNewlines(currentValue_));
}

}  // namespace Pellicot
