#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "Foundation/XMLParser.hpp"

using namespace Foundation;

namespace {

// Writes every callback as one line of text, so a test compares whole event sequences.
class Recorder : public XMLParserDelegate {
public:
    std::vector<std::string> events;
    std::optional<long> errorCode;
    std::string abortOnStartOf;

    void parserDidStartElement(XMLParser& parser, const std::string& name, const std::optional<std::string>& uri,
                               const std::optional<std::string>& qname,
                               const std::map<std::string, std::string>& attributes) override {
        std::string line = "start " + name + " " + uri.value_or("-") + " " + qname.value_or("-");
        for (const auto& [key, value] : attributes) line += " " + key + "=" + value;
        events.push_back(line);
        if (name == abortOnStartOf) parser.abortParsing();
    }
    void parserFoundCharacters(XMLParser&, const std::string& string) override {
        if (!events.empty() && events.back().rfind("chars ", 0) == 0) events.back() += string;  // join pieces
        else events.push_back("chars " + string);
    }
    void parserDidEndElement(XMLParser&, const std::string& name, const std::optional<std::string>& uri,
                             const std::optional<std::string>& qname) override {
        events.push_back("end " + name + " " + uri.value_or("-") + " " + qname.value_or("-"));
    }
    void parseErrorOccurred(XMLParser&, const NSError& error) override {
        EXPECT_FALSE(errorCode) << "one error per parse";
        errorCode = error.code();
        EXPECT_EQ(error.domain(), XMLParserErrorDomain);
    }
};

struct Outcome {
    bool ok;
    std::vector<std::string> events;
    std::optional<long> errorCode;
};

Outcome parse(std::string_view xml, bool namespaces = false, std::string abortOn = {}) {
    XMLParser parser(dataFromString(xml));
    Recorder recorder;
    recorder.abortOnStartOf = std::move(abortOn);
    parser.setDelegate(&recorder);
    parser.setShouldProcessNamespaces(namespaces);
    const bool ok = parser.parse();
    EXPECT_EQ(ok, !parser.parserError().has_value());
    return {ok, recorder.events, recorder.errorCode};
}

const char* const feed =
    R"(<?xml version="1.0"?><rss xmlns:sparkle="http://www.andymatuschak.org/xml-namespaces/sparkle">)"
    R"(<item><sparkle:shortVersionString>1.2</sparkle:shortVersionString>)"
    R"(<enclosure sparkle:version="9" url="a&amp;b"/></item></rss>)";

}  // namespace

TEST(XMLParser, WithoutNamespacesNamesKeepTheirPrefix) {
    const Outcome o = parse(feed);
    EXPECT_TRUE(o.ok);
    EXPECT_EQ(o.events, (std::vector<std::string>{
        "start rss - - xmlns:sparkle=http://www.andymatuschak.org/xml-namespaces/sparkle",
        "start item - -",
        "start sparkle:shortVersionString - -",
        "chars 1.2",
        "end sparkle:shortVersionString - -",
        "start enclosure - - sparkle:version=9 url=a&b",
        "end enclosure - -",
        "end item - -",
        "end rss - -",
    }));
}

TEST(XMLParser, WithNamespacesNamesAreSplit) {
    const Outcome o = parse(feed, true);
    EXPECT_TRUE(o.ok);
    const std::string sparkle = "http://www.andymatuschak.org/xml-namespaces/sparkle";
    ASSERT_EQ(o.events.size(), 9u);
    EXPECT_EQ(o.events[0], "start rss - rss");
    EXPECT_EQ(o.events[2], "start shortVersionString " + sparkle + " sparkle:shortVersionString");
    EXPECT_EQ(o.events[4], "end shortVersionString " + sparkle + " sparkle:shortVersionString");
    EXPECT_EQ(o.events[5], "start enclosure - enclosure sparkle:version=9 url=a&b");
}

TEST(XMLParser, TextEntitiesAndCDataArriveAsCharacters) {
    const Outcome o = parse("<a> x &lt;&#233; <![CDATA[<b>]]>\n</a>");
    EXPECT_TRUE(o.ok);
    EXPECT_EQ(o.events, (std::vector<std::string>{"start a - -", "chars  x <\u00e9 <b>\n", "end a - -"}));
}

TEST(XMLParser, MalformedDocumentsStopWithAnErrorAfterTheEventsBeforeIt) {
    struct Case { const char* xml; std::vector<std::string> events; long code; };
    const Case cases[] = {
        {"<rss><v>1.0</v><v>1.", {"start rss - -", "start v - -", "chars 1.0", "end v - -", "start v - -", "chars 1."}, 5},
        {"<rss><v>1.0</v", {"start rss - -", "start v - -", "chars 1.0"}, 5},
        {"<a><b></a>", {"start a - -", "start b - -"}, 76},
        {"<a>&nope;</a>", {"start a - -"}, 26},
        {"", {}, 4},
        {"  \n", {}, 4},
        {"<a>\x01</a>", {"start a - -"}, 9},
    };
    for (const auto& c : cases) {
        const Outcome o = parse(c.xml);
        EXPECT_FALSE(o.ok) << c.xml;
        EXPECT_EQ(o.events, c.events) << c.xml;
        EXPECT_EQ(o.errorCode, c.code) << c.xml;
    }
}

TEST(XMLParser, DelegateCanAbortAndNothingFollows) {
    const Outcome o = parse("<a><b/><c>text</c></a>", false, "b");
    EXPECT_FALSE(o.ok);
    EXPECT_EQ(o.events, (std::vector<std::string>{"start a - -", "start b - -"}));
    EXPECT_EQ(o.errorCode, 512);
}

TEST(XMLParser, ExternalEntitiesAreNeverLoaded) {
    const std::string secretPath = testing::TempDir() + "xml-secret.txt";
    std::ofstream(secretPath) << "SECRET";
    const std::string xml = "<!DOCTYPE a [<!ENTITY x SYSTEM \"file://" + secretPath + "\">]><a>[&x;]</a>";
    const Outcome o = parse(xml);
    for (const auto& e : o.events) EXPECT_EQ(e.find("SECRET"), std::string::npos) << e;
    std::remove(secretPath.c_str());
}

TEST(XMLParser, ParsesOnceAndWorksWithoutADelegate) {
    XMLParser parser(dataFromString("<a/>"));
    EXPECT_TRUE(parser.parse());
    Recorder late;
    parser.setDelegate(&late);
    EXPECT_TRUE(parser.parse());
    EXPECT_TRUE(late.events.empty());

    XMLParser broken(dataFromString("<a>"));
    EXPECT_FALSE(broken.parse());
    ASSERT_TRUE(broken.parserError().has_value());
    EXPECT_EQ(broken.parserError()->code(), 5);
}

TEST(XMLParser, AnExceptionFromTheDelegateStopsTheParseAndReachesTheCaller) {
    struct Throwing : XMLParserDelegate {
        int starts = 0;
        void parserDidStartElement(XMLParser&, const std::string& name, const std::optional<std::string>&,
                                   const std::optional<std::string>&, const std::map<std::string, std::string>&) override {
            ++starts;
            if (name == "b") throw std::runtime_error("delegate failed");
        }
    } delegate;
    XMLParser parser(dataFromString("<a><b/><c/><d/></a>"));
    parser.setDelegate(&delegate);
    EXPECT_THROW(parser.parse(), std::runtime_error);
    EXPECT_EQ(delegate.starts, 2);
    EXPECT_FALSE(parser.parse());
}
