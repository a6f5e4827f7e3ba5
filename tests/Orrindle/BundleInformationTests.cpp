#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "Foundation/Locale.hpp"
#include "Orrindle/Resources/BundleInformation.hpp"

namespace {

namespace fs = std::filesystem;
namespace Info = Orrindle::BundleInformation;
using Foundation::Bundle;

// Application bundles written to a scratch directory, one per test.
class BundleInformation : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = fs::path(testing::TempDir()) /
                ("orrindle-info-" + std::to_string(getpid()) + "-" + testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root_);
    }
    void TearDown() override {
        Foundation::Locale::resetCurrent();
        fs::remove_all(root_);
    }
    std::shared_ptr<Bundle> app(const std::string& name, const std::string& entries) {
        const fs::path contents = root_ / (name + ".app") / "Contents";
        fs::create_directories(contents / "Resources");
        if (!entries.empty())
            std::ofstream(contents / "Info.plist") << "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict>" << entries << "</dict></plist>";
        return Bundle::withPath((root_ / (name + ".app")).string());
    }
    fs::path root_;
};

TEST_F(BundleInformation, ReadsStringEntries) {
    auto b = app("Full", "<key>CFBundleShortVersionString</key><string>2.0</string><key>CFBundleVersion</key><string>310</string>"
                         "<key>CFBundleName</key><string>Zellow</string><key>CFBundleDisplayName</key><string>Vantrel Zellow</string>"
                         "<key>TeamIdentifierPrefix</key><string>AB12CD34EF.</string>");
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(Info::shortVersion(*b), "2.0");
    EXPECT_EQ(Info::version(*b), "310");
    EXPECT_EQ(Info::name(*b), "Zellow");
    EXPECT_EQ(Info::displayName(*b), "Vantrel Zellow");
    EXPECT_EQ(Info::teamIdentifierPrefix(*b), "AB12CD34EF.");
}

TEST_F(BundleInformation, AnEntryOfAnotherKindOrMissingIsNone) {
    auto numeric = app("Numeric", "<key>CFBundleVersion</key><integer>310</integer><key>CFBundleShortVersionString</key><real>2.5</real>"
                                  "<key>TeamIdentifierPrefix</key><true/>");
    EXPECT_EQ(Info::version(*numeric), std::nullopt) << "a number is not its text";
    EXPECT_EQ(Info::shortVersion(*numeric), std::nullopt);
    EXPECT_EQ(Info::teamIdentifierPrefix(*numeric), std::nullopt);
    EXPECT_EQ(Info::name(*numeric), std::nullopt);

    auto empty = app("Bare", "");
    for (auto read : {Info::teamIdentifierPrefix, Info::displayName, Info::name, Info::shortVersion, Info::version})
        EXPECT_EQ(read(*empty), std::nullopt);
}

TEST_F(BundleInformation, LocalizationReachesOnlyTheTeamPrefix) {
    auto b = app("Localized", "<key>CFBundleDisplayName</key><string>Zellow</string>"
                              "<key>TeamIdentifierPrefix</key><string>RAW.</string>");
    const fs::path lproj = root_ / "Localized.app/Contents/Resources/de.lproj";
    fs::create_directories(lproj);
    std::ofstream(lproj / "InfoPlist.strings") << "\"CFBundleDisplayName\" = \"Zellow DE\";\n\"TeamIdentifierPrefix\" = \"DE.\";";
    Foundation::Locale::setCurrent(Foundation::Locale("de_DE"));
    EXPECT_EQ(Info::displayName(*b), "Zellow") << "the raw dictionary";
    EXPECT_EQ(Info::teamIdentifierPrefix(*b), "DE.") << "the localized lookup";
}

}  // namespace
