#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "AppKit/NSApplication.hpp"
#include "Dispatch/DispatchQueue.hpp"
#include "Dispatch/RunLoop.hpp"
#include "Foundation/Bundle.hpp"
#include "Sparkle/SPUUpdater.hpp"
#include "Sparkle/SPUUserDriver.hpp"
#include "TestSupport/ScratchDirectory.hpp"

namespace SparkleTest {

// What the updater told the user, one line per outcome: "found 1.3", "not found 1.2",
// "error <code>: <text>".
struct RecordingDriver : Sparkle::SPUUserDriver {
    std::vector<std::string> told;
    std::optional<Sparkle::SUAppcastItem> lastItem;
    void showUpdateFound(const Sparkle::SUAppcastItem& item) override {
        told.push_back("found " + item.displayVersionString);
        lastItem = item;
    }
    void showUpdateNotFound(const Sparkle::SUAppcastItem& latest) override {
        told.push_back("not found " + latest.displayVersionString);
        lastItem = latest;
    }
    void showUpdaterError(const Foundation::NSError& error) override {
        told.push_back("error " + std::to_string(error.code()) + ": " + error.what());
    }
};

inline std::string feed(const std::string& items) {
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
           "<rss version=\"2.0\" xmlns:sparkle=\"http://www.andymatuschak.org/xml-namespaces/sparkle\"><channel>"
           "<title>Vantrel Zellow</title>" + items + "</channel></rss>";
}
inline std::string item(const std::string& version, const std::string& extra = {}) {
    return "<item><title>Version " + version + "</title><sparkle:version>" + version + "</sparkle:version>"
           "<sparkle:shortVersionString> " + version + " </sparkle:shortVersionString>" + extra +
           "<enclosure url=\"https://example.com/x.zip\" length=\"1\" type=\"application/octet-stream\"/></item>";
}

// A host bundle of its own (CFBundleShortVersionString, optional SUFeedURL) in a scratch folder.
class UpdaterTest : public TestSupport::ScratchDirectoryTest {
protected:
    void TearDown() override {
        Sparkle::SPUUpdater::setFeedRedirect(std::nullopt);
        Sparkle::SPUUpdater::setEventObserver(nullptr);
        AppKit::NSApplication::shared().resetForTesting();
        // The loads on the pool are over before the process ends.
        Dispatch::DispatchQueue::waitForGlobalQueues();
        Dispatch::RunLoop::main().runUntilIdle();
        TestSupport::ScratchDirectoryTest::TearDown();
    }
    std::shared_ptr<Foundation::Bundle> hostBundle(const std::string& version, const std::string& feedURL = {}) {
        const std::string dir = path("Host" + std::to_string(++bundles_) + ".app");
        std::filesystem::create_directories(dir + "/Contents");
        std::ofstream(dir + "/Contents/Info.plist")
            << "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict>"
               "<key>CFBundleName</key><string>Vantrel Zellow</string>"
               "<key>CFBundleShortVersionString</key><string>" << version << "</string>"
            << (feedURL.empty() ? "" : "<key>SUFeedURL</key><string>" + feedURL + "</string>") << "</dict></plist>";
        return Foundation::Bundle::withPath(dir);
    }
    // Runs the main loop until the driver was told something (or ten seconds passed).
    static bool waitForOutcome(const RecordingDriver& driver, std::size_t count = 1) {
        return Dispatch::RunLoop::main().runUntil([&] { return driver.told.size() >= count; }, 10);
    }

private:
    int bundles_ = 0;
};

}  // namespace SparkleTest
