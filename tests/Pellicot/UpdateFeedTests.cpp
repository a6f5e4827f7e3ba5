#include <gtest/gtest.h>

#include <cstdint>

#include "Pellicot/SimpleSparklerChecker.hpp"
#include "Pellicot/UpdateAvailableDetails.hpp"
#include "Pellicot/VersionWeight.hpp"

namespace {

using Pellicot::convertVersionToWeight;
using Pellicot::SimpleSparklerChecker;

constexpr std::int64_t max64 = INT64_MAX, min64 = INT64_MIN;

TEST(VersionWeight, WeighsDottedParts) {
    struct Case {
        const char* version;
        std::int64_t weight;
    } cases[] = {
        {"1.2.3", 10203}, {"2.0", 20000},   {"1.10", 11000}, {"1.9", 10900},     {"1.2.3.4", 10207},
        {"2.0b1", 20000}, {"", 0},          {"1..2", 10200}, {".1.", 10000},     {"1.2", 10200},
        {"1.2.0", 10200}, {"0.99.0", 9900}, {"1.0", 10000},  {"1.0.100", 10100}, {"1.1", 10100},
        {"+1.-2", 9800},  {" 1", 0},        {"1 ", 0},       {"0b1", 0},         {"...", 0},
        {"1.+", 10000},   {"-", 0},         {"1.2.3.4.5", 10212},
    };
    for (const auto& c : cases) EXPECT_EQ(convertVersionToWeight(c.version), c.weight) << '"' << c.version << '"';
}

TEST(VersionWeight, PartsAndSumsBeyondSixtyFourBitsSaturate) {
    struct Case {
        const char* version;
        std::int64_t weight;
    } cases[] = {
        {"99999999999999999999", 0},          // the part itself is out of range: counts 0
        {"99999999999999999999.1", 100},
        {"9223372036854775807", max64},       // part x 10000 overflows
        {"922337203685478.1", max64},
        {"-922337203685478", min64},
        {"922337203685477", 9223372036854770000},
        {"0.92233720368547759", max64},       // part x 100
        {"0.0.9223372036854775807.1", max64}, // running sum
        {"0.0.-9223372036854775808.-1", min64},
        {"9223372036854775807.-9223372036854775808", -1},  // each term saturates, their sum fits
    };
    for (const auto& c : cases) EXPECT_EQ(convertVersionToWeight(c.version), c.weight) << c.version;
}

std::string feed(const std::string& items) {
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
           "<rss version=\"2.0\" xmlns:sparkle=\"http://www.andymatuschak.org/xml-namespaces/sparkle\">"
           "<channel><title>Feed</title>" +
           items + "</channel></rss>";
}
std::string item(const std::string& version) {
    return "<item><title>v</title><sparkle:shortVersionString>" + version + "</sparkle:shortVersionString>"
           "<enclosure url=\"https://example.com/x.zip\"/></item>";
}

std::optional<std::string> latest(const std::string& document) {
    SimpleSparklerChecker checker;
    checker.parse(Foundation::dataFromString(document));
    return checker.latestVersion();
}

TEST(SimpleSparklerChecker, PicksTheHeaviestVersionAndTheFirstOfEqualWeights) {
    EXPECT_EQ(latest(feed(item("1.0") + item("1.2") + item("1.1"))), "1.2");
    EXPECT_EQ(latest(feed(item("2.0") + item("2.0.0"))), "2.0");
    EXPECT_EQ(latest(feed(item("2.0.0") + item("2.0"))), "2.0.0");
    EXPECT_EQ(latest(feed(item("1.9") + item("1.10"))), "1.10");
    EXPECT_EQ(latest(feed(item("beta"))), "beta");
    EXPECT_EQ(latest(feed("<item><title>no version</title></item>")), std::nullopt);
    EXPECT_EQ(latest(""), std::nullopt);
}

TEST(SimpleSparklerChecker, CollectsTrimmedElementTextOnlyInDocumentOrder) {
    SimpleSparklerChecker checker;
    checker.parse(Foundation::dataFromString(feed(
        "<item><sparkle:shortVersionString>\n   1.3\t\n</sparkle:shortVersionString></item>"
        "<item><enclosure sparkle:shortVersionString=\"9.0\"/></item>"
        "<item><sparkle:shortVersionString>\xC2\xA0" "1.4\xE2\x80\x83</sparkle:shortVersionString></item>")));
    // Every end tag that follows a version's end tag with no start tag in between collects the
    // version again (here those of item, and of channel and rss after the last one).
    EXPECT_EQ(checker.versions(), (std::vector<std::string>{"1.3", "1.3", "1.4", "1.4", "1.4", "1.4"}));
    EXPECT_EQ(checker.latestVersion(), "1.4");
}

TEST(SimpleSparklerChecker, AMalformedOrTruncatedDocumentKeepsWhatCameBefore) {
    std::string good = feed(item("1.1") + item("1.5"));
    SimpleSparklerChecker truncated;
    truncated.parse(Foundation::dataFromString(good.substr(0, good.find("1.5") + 2)));
    EXPECT_EQ(truncated.versions(), (std::vector<std::string>{"1.1"}));

    EXPECT_EQ(latest("<rss><sparkle:shortVersionString>1.7</sparkle:shortVersionString><a></b></rss>"), "1.7");
    EXPECT_EQ(latest("\x01\x02 not xml"), std::nullopt);
}

TEST(SimpleSparklerChecker, VersionsAccumulateOverParses) {
    SimpleSparklerChecker checker;
    checker.parse(Foundation::dataFromString(feed(item("1.0"))));
    checker.parse(Foundation::dataFromString(feed(item("3.0"))));
    EXPECT_EQ(checker.latestVersion(), "3.0");
    EXPECT_EQ(checker.versions().front(), "1.0");
}

TEST(SimpleSparklerChecker, HostileVersionsNeitherStopNorCrashTheReader) {
    EXPECT_EQ(latest(feed(item("99999999999999999999999.1") + item("9223372036854775807.9") + item("1.0"))),
              "9223372036854775807.9");
    EXPECT_EQ(latest(feed(item("-9223372036854775808.-9223372036854775808") + item("0.0.1"))), "0.0.1");
}

TEST(UpdateAvailableDetails, CarriesTheNewVersionByValue) {
    Pellicot::UpdateAvailableDetails details{"1.4"};
    auto copy = details;
    details.newVersion = "9";
    EXPECT_EQ(copy.newVersion, "1.4");
}

}  // namespace
