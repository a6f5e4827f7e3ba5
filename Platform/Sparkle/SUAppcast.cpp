#include "Sparkle/SUAppcast.hpp"

#include "Foundation/Strings.hpp"
#include "Foundation/XMLParser.hpp"
#include "Sparkle/SUErrors.hpp"
#include "Sparkle/SUStandardVersionComparator.hpp"

namespace Sparkle {

namespace {

// Collects the items: the text of each element directly inside an <item>.
class ItemReader : public Foundation::XMLParserDelegate {
public:
    std::vector<SUAppcastItem> items;

    void parserDidStartElement(Foundation::XMLParser&, const std::string& name, const std::optional<std::string>&,
                               const std::optional<std::string>&, const std::map<std::string, std::string>&) override {
        ++depth_;
        if (name == "item" && !inItem_) {
            inItem_ = true;
            itemDepth_ = depth_;
            current_ = {};
            link_.clear();
            notesLink_.clear();
        }
        text_.clear();
    }
    void parserFoundCharacters(Foundation::XMLParser&, const std::string& s) override { text_ += s; }
    void parserDidEndElement(Foundation::XMLParser&, const std::string& name, const std::optional<std::string>&,
                             const std::optional<std::string>&) override {
        if (inItem_ && depth_ == itemDepth_ + 1) {
            const std::string value = Foundation::trimmingWhitespaceAndNewlines(text_);
            if (name == "title") current_.title = value;
            else if (name == "sparkle:shortVersionString") current_.displayVersionString = value;
            else if (name == "sparkle:version") current_.versionString = value;
            else if (name == "sparkle:releaseNotesLink") notesLink_ = value;
            else if (name == "link") link_ = value;
        }
        if (inItem_ && depth_ == itemDepth_ && name == "item") {
            inItem_ = false;
            current_.releaseNotesURL = Foundation::URL::fromString(notesLink_.empty() ? link_ : notesLink_);
            if (current_.releaseNotesURL && !current_.releaseNotesURL->scheme()) current_.releaseNotesURL.reset();
            if (!current_.displayVersionString.empty()) items.push_back(current_);
        }
        text_.clear();
        --depth_;
    }

private:
    int depth_ = 0, itemDepth_ = 0;
    bool inItem_ = false;
    SUAppcastItem current_;
    std::string text_, link_, notesLink_;
};

}  // namespace

SUAppcast SUAppcast::parse(const Foundation::Data& data) {
    ItemReader reader;
    Foundation::XMLParser parser(data);
    parser.setDelegate(&reader);
    if (!parser.parse()) {
        const auto& error = parser.parserError();
        throw Foundation::NSError(SUSparkleErrorDomain, SUAppcastParseError,
                                  "The update feed is not a well-formed document" +
                                      (error ? std::string(" (") + error->what() + ")" : std::string()) + ".");
    }
    SUAppcast appcast;
    appcast.items_ = std::move(reader.items);
    return appcast;
}

std::optional<SUAppcastItem> SUAppcast::bestItem() const {
    if (items_.empty()) return std::nullopt;
    const SUAppcastItem* best = &items_.front();
    for (const auto& item : items_)
        if (SUStandardVersionComparator::compareVersions(item.displayVersionString, best->displayVersionString) > 0) best = &item;
    return *best;
}

}  // namespace Sparkle
