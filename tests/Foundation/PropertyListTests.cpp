#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "Foundation/NSError.hpp"
#include "Foundation/PropertyList.hpp"
#include "Foundation/URL.hpp"
#include "TestSupport/Mutator.hpp"

using namespace Foundation;
using Dict = PropertyList::Dictionary;
using Array = PropertyList::Array;

namespace {

PropertyList read(std::string_view xml) { return PropertyList::fromXML(dataFromString(xml)); }

std::string plist(std::string_view body) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
           "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n<plist version=\"1.0\">" +
           std::string(body) + "</plist>";
}

}  // namespace

TEST(PropertyList, ReadsAnInfoDictionaryWithTypedValues) {
    const PropertyList info = read(plist(R"(
<dict>
    <key>CFBundleShortVersionString</key><string>1.4</string>
    <key>CFBundleVersion</key><integer>57</integer>
    <key>Scale</key><real>0.5</real>
    <key>LSUIElement</key><true/>
    <key>Empty</key><string/>
    <key>Built</key><date>2024-02-29T12:34:56Z</date>
    <key>Blob</key><data>
        AAEC/w==
    </data>
    <key>CFBundleURLTypes</key>
    <array><dict><key>CFBundleURLSchemes</key><array><string>vantrelzellow</string></array></dict></array>
</dict>)"));
    ASSERT_NE(info.dictionary(), nullptr);
    EXPECT_EQ(*info.find("CFBundleShortVersionString")->string(), "1.4");
    EXPECT_EQ(info.find("CFBundleVersion")->integer(), 57);
    EXPECT_EQ(info.find("CFBundleVersion")->string(), nullptr);  // a number is not text
    EXPECT_EQ(info.find("Scale")->real(), 0.5);
    EXPECT_EQ(info.find("Scale")->integer(), std::nullopt);
    EXPECT_EQ(info.find("LSUIElement")->boolean(), true);
    EXPECT_EQ(*info.find("Empty")->string(), "");
    EXPECT_EQ(info.find("Built")->date()->secondsSince1970, 1709210096.0);
    EXPECT_EQ(*info.find("Blob")->data(), (Data{0, 1, 2, 255}));
    const auto& schemes = *info.find("CFBundleURLTypes")->array()->at(0).find("CFBundleURLSchemes")->array();
    EXPECT_EQ(*schemes.at(0).string(), "vantrelzellow");
    EXPECT_EQ(info.find("Missing"), nullptr);
    EXPECT_EQ(info.find("Scale")->find("x"), nullptr);
}

TEST(PropertyList, RoundTripsEveryKind) {
    const PropertyList value(Dict{
        {"text", "a < b & c > d\r\n\ttab \u00e9"},
        {"int", std::int64_t(-9223372036854775807 - 1)},
        {"real", 0.1},
        {"huge", 1e300},
        {"infinite", -INFINITY},
        {"yes", true},
        {"no", false},
        {"when", PropertyList::Date{86400.0 * 365}},
        {"bytes", Data{0, 1, 2, 3, 250}},
        {"empty data", Data{}},
        {"list", Array{1, "two", Array{}, Dict{}}},
        {"nested", Dict{{"k<&>", Dict{{"deeper", Array{PropertyList(2.5)}}}}}},
    });
    const std::string xml = value.toXML();
    EXPECT_EQ(read(xml), value) << xml;
    EXPECT_NE(xml.find("<key>k&lt;&amp;&gt;</key>"), std::string::npos);

    const PropertyList nan = read(PropertyList(std::nan("")).toXML());
    ASSERT_TRUE(nan.real().has_value());
    EXPECT_TRUE(std::isnan(*nan.real()));
}

TEST(PropertyList, ControlCharactersCannotBeWrittenSilently) {
    try {
        (void)PropertyList(Dict{{"k", "bell\x07"}}).toXML();
        FAIL() << "expected an error";
    } catch (const NSError& error) {
        EXPECT_EQ(error.domain(), NSCocoaErrorDomain);
        EXPECT_EQ(error.code(), 3851);
    }
}

TEST(PropertyList, DocumentsThatAreNotPropertyListsThrow) {
    const char* const bad[] = {
        "",
        "<plist><dict><key>a</key></dict></plist>",                  // key without value
        "<plist><dict><string>x</string></dict></plist>",            // value without key
        "<plist><dict><key>a</key><key>b</key></dict></plist>",
        "<plist><integer>12x</integer></plist>",
        "<plist><integer>99999999999999999999</integer></plist>",
        "<plist><real>1,5</real></plist>",
        "<plist><true>yes</true></plist>",
        "<plist><date>2024-13-01T00:00:00Z</date></plist>",
        "<plist><data>!!!!</data></plist>",
        "<plist><data>AA==AA</data></plist>",
        "<plist><string>a</string><string>b</string></plist>",
        "<plist><frob/></plist>",
        "<plist><string>a<b/></string></plist>",
        "<plist>loose text<string>a</string></plist>",
        "<plist><dict><key>a</key><string>x</string>",              // truncated
        "<plist></plist>",
    };
    for (const char* xml : bad) {
        try {
            (void)read(xml);
            ADD_FAILURE() << "accepted: " << xml;
        } catch (const NSError& error) {
            EXPECT_EQ(error.code(), 3840) << xml;
            EXPECT_FALSE(std::string(error.what()).empty());
        }
    }
    EXPECT_EQ(read("<string> bare </string>"), PropertyList(" bare "));  // no <plist> wrapper is fine
    EXPECT_EQ(read("<plist><integer> +7 </integer></plist>"), PropertyList(7));
}

TEST(PropertyList, NestingHasALimitInsteadOfExhaustingTheStack) {
    auto nested = [](std::size_t levels) {
        std::string xml = "<plist>";
        for (std::size_t i = 0; i < levels; ++i) xml += i % 2 ? "<dict><key>k</key>" : "<array>";
        xml += "<string>x</string>";
        for (std::size_t i = levels; i-- > 0;) xml += i % 2 ? "</dict>" : "</array>";
        return xml + "</plist>";
    };
    const PropertyList deep = read(nested(512));
    EXPECT_EQ(deep.kind(), PropertyList::Kind::array);
    for (std::size_t levels : {std::size_t(513), std::size_t(200000)}) {
        try {
            (void)read(nested(levels));
            ADD_FAILURE() << levels << " levels were accepted";
        } catch (const NSError& error) {
            EXPECT_EQ(error.code(), 3840);
            EXPECT_NE(std::string(error.what()).find("nested deeper than 512 levels"), std::string::npos) << error.what();
        }
    }
}

TEST(PropertyList, ReadsFilesAndReportsMissingOnes) {
    const std::filesystem::path path = std::filesystem::path(testing::TempDir()) / "plist-test.plist";
    std::ofstream(path) << PropertyList(Dict{{"a", 1}}).toXML();
    EXPECT_EQ(PropertyList::fromFile(URL::fileURLWithPath(path.string())), PropertyList(Dict{{"a", 1}}));
    std::filesystem::remove(path);
    try {
        (void)PropertyList::fromFile(URL::fileURLWithPath(path.string()));
        FAIL() << "expected an error";
    } catch (const NSError& error) {
        EXPECT_EQ(error.code(), 260);
    }
}

// A file larger than a property list can be is refused before it is read (a sparse file of
// 3 GiB here, which would take as much memory); one at the limit, or a FIFO, is not waited on.
TEST(PropertyList, FilesTooLargeOrNotRegularAreNotRead) {
    const std::filesystem::path dir = std::filesystem::path(testing::TempDir()) / ("plist-files-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string document = PropertyList(Dict{{"a", 1}}).toXML();
    struct Case {
        const char* name;
        std::uintmax_t size;  // 0: the document alone
        long code;            // 0: reads
    } cases[] = {{"fits.plist", 0, 0},
                 {"at-limit.plist", PropertyList::largestFile, 0},
                 {"past-limit.plist", PropertyList::largestFile + 1, 263},
                 {"sparse.plist", std::uintmax_t(3) << 30, 263}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto path = dir / c.name;
        // Padded with spaces the parser skips, or past the limit with a hole.
        const std::uintmax_t fill = c.size && c.size <= PropertyList::largestFile ? c.size - document.size() : 0;
        std::ofstream(path, std::ios::trunc) << document << std::string(fill, ' ');
        if (c.size > PropertyList::largestFile) std::filesystem::resize_file(path, c.size);
        try {
            EXPECT_EQ(PropertyList::fromFile(URL::fileURLWithPath(path.string())), PropertyList(Dict{{"a", 1}}));
            EXPECT_EQ(c.code, 0) << "read";
        } catch (const NSError& error) {
            EXPECT_EQ(error.code(), c.code) << error.what();
            EXPECT_NE(std::string(error.what()).find("too large to be a property list (" + std::to_string(c.size) + " bytes"),
                      std::string::npos)
                << error.what();
        }
    }
    const auto fifo = dir / "fifo.plist";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    try {
        (void)PropertyList::fromFile(URL::fileURLWithPath(fifo.string()));
        ADD_FAILURE() << "a FIFO was read";
    } catch (const NSError& error) {
        EXPECT_EQ(error.code(), 260);
    }
    std::filesystem::remove_all(dir);
}

// Fuzzing: damaged documents are read or refused with NSError; what is read writes out as a
// document that reads back to the same text.
TEST(PropertyList, DamagedDocumentsAreReadOrRefused) {
    const std::vector<std::string> seeds = {
        plist("<dict><key>CFBundleExecutable</key><string>x.so</string><key>NSExtension</key><dict>"
              "<key>NSExtensionPrincipalClass</key><string>AudioUnitViewController</string><key>AudioComponents</key>"
              "<array><dict><key>type</key><string>aumi</string><key>version</key><integer>65536</integer></dict></array>"
              "</dict></dict>"),
        plist("<array><real>1.5</real><true/><false/><date>2024-01-02T03:04:05Z</date><data>AAEC</data><string>a &amp; b</string></array>")};
    TestSupport::Mutator mutator(seeds, {"<dict>", "</dict>", "<array>", "</array>", "<key>", "</key>", "<string>", "<integer>",
                                         "<real>", "<true/>", "<data>", "<date>", "&amp;", "&#0;", "<![CDATA[", "<!DOCTYPE x>", "nan"});
    int refused = 0;
    for (int input = 0; input < 3000; ++input) {
        const std::string xml = mutator.next();
        PropertyList value;
        try {
            value = read(xml);
        } catch (const NSError& error) {
            ++refused;
            EXPECT_EQ(error.code(), 3840);
            continue;
        }
        std::string written;
        try {
            written = value.toXML();
        } catch (const NSError& error) {
            EXPECT_EQ(error.code(), 3851) << xml;  // a control character no document can carry
            continue;
        }
        EXPECT_EQ(read(written).toXML(), written) << xml;
    }
    EXPECT_GT(refused, 300);
}
