#pragma once
#include <optional>
#include <string>
#include <vector>

#include "Foundation/Data.hpp"
#include "Foundation/XMLParser.hpp"
#include "Runtime/NSObject.hpp"

namespace Pellicot {

// Reads an update feed (the appcast form) and picks the newest version it lists: the text of
// every "sparkle:shortVersionString" element is collected, in document order, and weighed with
// convertVersionToWeight. One reader is used on one thread.
class SimpleSparklerChecker : public Runtime::NSObject, public Foundation::XMLParserDelegate {
    VZ_OBJECT(SimpleSparklerChecker, Runtime::NSObject)

public:
    SimpleSparklerChecker() = default;

    // The entry of the greatest weight; of equal weights the earliest. Absent when nothing was
    // collected.
    std::optional<std::string> latestVersion() const;

    // Parses the whole document; versions accumulate over calls. A malformed or truncated
    // document keeps what was collected before the error, which is not reported.
    void parse(const Foundation::Data& data);

    const std::vector<std::string>& versions() const { return versions_; }

    void parserDidStartElement(Foundation::XMLParser& parser, const std::string& elementName,
                               const std::optional<std::string>& namespaceURI,
                               const std::optional<std::string>& qualifiedName,
                               const std::map<std::string, std::string>& attributes) override;
    void parserFoundCharacters(Foundation::XMLParser& parser, const std::string& string) override;
    // Collects when the last STARTED element is a version element, so an end tag that follows a
    // version's end tag collects again (duplicates weigh the same and change nothing).
    void parserDidEndElement(Foundation::XMLParser& parser, const std::string& elementName,
                             const std::optional<std::string>& namespaceURI,
                             const std::optional<std::string>& qualifiedName) override;

private:
    std::vector<std::string> versions_;
    std::string currentElement_;
    std::string currentValue_;
};

}  // namespace Pellicot
