#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <thread>
#include <utility>

#include "AudioToolbox/AUParameterTree.hpp"
#include "Dispatch/DispatchQueue.hpp"
#include "Engine/RenderHarness.hpp"
#include "Foundation/Bundle.hpp"
#include "Foundation/URLSession.hpp"
#include "TestSupport/MainLoop.hpp"
#include "Vantrel_Zellow_Extension/Engine/MidiZellowAudioUnit.hpp"
#include "Vantrel_Zellow_Extension/Engine/Settings.hpp"

namespace EngineTests {
namespace {

using Pellicot::ParameterEditor;
using Pellicot::ParameterEditorState;
using Vantrel_Zellow_Extension::MidiZellowAudioUnit;
using Vantrel_Zellow_Extension::Settings;

const AudioComponentDescription description{kAudioUnitType_MIDIProcessor, fourCC("vzlw"), fourCC("Vtrl"), 0, 0};

// Settings configured with a unit the way the editor's factory does it, on virtual time; the
// update check reads a local file unless a test points it elsewhere.
class SettingsTest : public TestSupport::VirtualTimeTest {
protected:
    void SetUp() override {
        VirtualTimeTest::SetUp();
        dir = std::filesystem::temp_directory_path() /
              ("vz-settings-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        std::filesystem::create_directories(dir);
    }
    void TearDown() override {
        settings.reset();
        unit.reset();
        Dispatch::DispatchQueue::waitForGlobalQueues();
        Foundation::Bundle::setMain(nullptr);
        VirtualTimeTest::TearDown();
        std::filesystem::remove_all(dir);
    }

    std::string write(const std::string& name, const std::string& text) {
        std::ofstream(dir / name) << text;
        return (dir / name).string();
    }
    void useVersion(const std::string& version) {
        const auto bundle = dir / ("Plugin" + version + ".bundle");
        std::filesystem::create_directories(bundle);
        std::ofstream(bundle / "Info.plist")
            << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>"
               "<key>CFBundleShortVersionString</key><string>"
            << version << "</string></dict></plist>\n";
        Foundation::Bundle::setMain(Foundation::Bundle::withPath(bundle.string()));
    }
    std::string feedListing(std::initializer_list<const char*> versions) {
        std::string xml =
            "<?xml version=\"1.0\"?>\n<rss xmlns:sparkle=\"http://www.andymatuschak.org/xml-namespaces/sparkle\"><channel>";
        for (const char* v : versions) xml += std::string("<item><sparkle:shortVersionString>") + v + "</sparkle:shortVersionString></item>";
        return write("feed.xml", xml + "</channel></rss>\n");
    }

    void configure(std::optional<std::string> feedPath = std::nullopt,
                   std::shared_ptr<MidiZellowAudioUnit> made = nullptr) {
        settings = Settings::make();
        unit = made ? made : Runtime::make<MidiZellowAudioUnit>(description);
        settings->setUpdateFeedURL(feedPath ? std::optional(Foundation::URL::fileURLWithPath(*feedPath))
                                            : std::optional(Foundation::URL::fileURLWithPath((dir / "none.xml").string())));
        settings->configureAudioUnit(unit);
        settings->setupParameterTreeListeners();
    }
    void finishUpdateCheck() {
        Dispatch::DispatchQueue::waitForGlobalQueues();
        drain();
    }
    void poll() { loop().advance(1.0 / 60.0 + 1e-6); }

    // A host render of one cycle through the unit's render block.
    OSStatus render(EventList& events, double beat = 0) {
        AudioTimeStamp stamp;
        AudioUnitRenderActionFlags flags = 0;
        const AURenderEvent* head = events.head();
        hostBeat = beat;
        TestSupport::RealtimeCheck check;
        return renderBlock(&flags, &stamp, 512, 0, nullptr, head, nullptr);
    }
    void allocate() {
        unit->setMusicalContextBlock([this](double* tempo, double*, long*, double* beat, long*, double* downbeat) {
            *tempo = 120;
            *beat = hostBeat;
            *downbeat = 0;
            return true;
        });
        unit->setMIDIOutputEventBlock([](AUEventSampleTime, std::uint8_t, long, const std::uint8_t*) { return OSStatus(0); });
        unit->allocateRenderResources();
        renderBlock = unit->renderBlock();
    }

    static inline int counter = 0;
    std::filesystem::path dir;
    std::shared_ptr<Settings> settings;
    std::shared_ptr<MidiZellowAudioUnit> unit;
    AURenderBlock renderBlock;
    double hostBeat = 0;
};

TEST_F(SettingsTest, ThirtyNineParametersInAddressOrder) {
    auto s = Settings::make();
    struct Row {
        AUParameterAddress address;
        const char* identifier;
        const char* name;
        AudioUnitParameterUnit units;
        float lower, upper, defaultValue;
    };
    using U = AudioUnitParameterUnit;
    const Row rows[] = {
        {0, "delay", "Delay", U::milliseconds, 0, 50, 0},
        {1, "random", "Random", U::milliseconds, 0, 50, 0},
        {2, "seed", "Seed", U::indexed, 0, 999, 0},
        {3, "swingOneFour", "1/4 Swing", U::percent, 50, 75, 50},
        {4, "swingOneEight", "1/8 Swing", U::percent, 50, 75, 50},
        {5, "swingOneSixteen", "1/16 Swing", U::percent, 50, 75, 50},
        {6, "step1", "Step 1", U::milliseconds, 0, 50, 0},
        {21, "step16", "Step 16", U::milliseconds, 0, 50, 0},
        {22, "step1Velocity", "Step 1 Velocity", U::percent, 0, 100, 100},
        {37, "step16Velocity", "Step 16 Velocity", U::percent, 0, 100, 100},
        {38, "stepCount", "Steps", U::indexed, 1, 16, 16},
    };
    const std::array<Settings::Parameter, 39> all = [&] {
        std::array<Settings::Parameter, 39> a;
        a[0] = s->delay, a[1] = s->randomness, a[2] = s->seed;
        a[3] = s->swingOneFour, a[4] = s->swingOneEight, a[5] = s->swingOneSixteen;
        for (int i = 0; i < 16; ++i) a[std::size_t(6 + i)] = s->steps[std::size_t(i)], a[std::size_t(22 + i)] = s->stepVelocities[std::size_t(i)];
        a[38] = s->stepCount;
        return a;
    }();
    for (std::size_t i = 0; i < all.size(); ++i) {
        EXPECT_EQ(all[i]->address(), i);
        EXPECT_EQ(all[i]->value(), all[i]->defaultValue());
        EXPECT_FALSE(all[i]->valueStrings().has_value());
        EXPECT_EQ(all[i]->valueIncrement(), Pellicot::AudioParameter::ValueIncrement::linear());
    }
    for (const Row& r : rows) {
        const auto& p = all[r.address];
        EXPECT_EQ(p->identifier(), r.identifier);
        EXPECT_EQ(p->name(), r.name);
        EXPECT_EQ(p->units(), r.units) << r.identifier;
        EXPECT_EQ(p->valueRange().lowerBound, r.lower) << r.identifier;
        EXPECT_EQ(p->valueRange().upperBound, r.upper) << r.identifier;
        EXPECT_EQ(p->defaultValue(), r.defaultValue) << r.identifier;
    }
    EXPECT_EQ(s->currentStepIndex(), -1);
    EXPECT_FALSE(s->updateDetails().has_value());
    EXPECT_EQ(s->zellowAU(), nullptr);
    EXPECT_EQ(s->pollTimer(), nullptr);
}

TEST_F(SettingsTest, ConfigurationPushesEveryDefaultAndBuildsTheTree) {
    configure();
    const auto& p = unit->midiProcessor();
    EXPECT_EQ(p.seed.load(), 0.0f);
    EXPECT_EQ(p.swingOneFour.load(), 0.5f);
    EXPECT_EQ(p.swingOneSixteen.load(), 0.5f);
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(p.stepVelocities[std::size_t(i)].load(), 1.0f);
        EXPECT_EQ(p.stepDelays[std::size_t(i)].load(), 0.0f);
    }
    EXPECT_EQ(p.stepCount.load(), 16);
    EXPECT_EQ(p.dirtyMask.load(), 0u);
    auto tree = unit->parameterTree();
    ASSERT_NE(tree, nullptr);
    ASSERT_EQ(tree->allParameters().size(), 39u);
    for (std::size_t i = 0; i < 39; ++i) EXPECT_EQ(tree->allParameters()[i]->address(), i);
    EXPECT_EQ(settings->zellowAU(), unit);
    ASSERT_NE(settings->pollTimer(), nullptr);
    EXPECT_DOUBLE_EQ(settings->pollTimer()->timeInterval(), 1.0 / 60.0);
}

TEST_F(SettingsTest, HostReadsComeFromTheProcessorThenFromTheParameter) {
    configure();
    auto stepCount = unit->parameterTree()->parameter(Address::stepCount);
    ASSERT_NE(stepCount, nullptr);
    EXPECT_EQ(stepCount->value(), 16.0f) << "pushed at configuration, kept in the mirror";
    unit->setParameter(Address::stepCount, 40);  // refused by the processor, mirrored raw
    EXPECT_EQ(stepCount->value(), 40.0f);
    auto tree = unit->parameterTree();
    unit.reset();
    EXPECT_EQ(stepCount->value(), 16.0f) << "the unit is gone: the parameter's own value";
}

TEST_F(SettingsTest, HostAutomationReachesTheEditorWithinOnePoll) {
    configure();
    allocate();
    EventList events;
    events.parameter(0, Address::delay, 20).parameter(1, Address::stepCount, 40);
    ASSERT_EQ(render(events, 0.5), noErr);
    EXPECT_EQ(settings->delay->value(), 0.0f);
    poll();
    EXPECT_EQ(settings->delay->value(), 20.0f);
    EXPECT_EQ(settings->stepCount->value(), 16.0f) << "the refused value is clamped by the editor's parameter";
    EXPECT_EQ(unit->midiProcessor().delay.load(), 0.02f);
    EXPECT_EQ(unit->midiProcessor().dirtyMask.load(), 0u) << "the poll takes the mask once";
    EXPECT_EQ(settings->currentStepIndex(), 2);
}

TEST_F(SettingsTest, TheEditorsChangeReachesTheProcessorWithoutComingBack) {
    configure();
    settings->steps[3]->setValue(30, ParameterEditor::ui, ParameterEditorState::change);
    drain();
    EXPECT_EQ(unit->midiProcessor().stepDelays[3].load(), 0.03f);
    EXPECT_EQ(unit->midiProcessor().dirtyMask.load(), 0u);
    EXPECT_EQ(settings->steps[3]->value(), 30.0f);
}

// A unit whose host sends a value the moment the main thread stores one.
class HostInTheWay : public MidiZellowAudioUnit {
public:
    using MidiZellowAudioUnit::MidiZellowAudioUnit;
    void setParameter(AUParameterAddress address, AUValue value) override {
        ++stores;
        if (auto send = std::exchange(hostSends, nullptr)) send();
        MidiZellowAudioUnit::setParameter(address, value);
    }
    std::function<void()> hostSends;
    int stores = 0;
};

TEST_F(SettingsTest, ThePollNeverReplacesAHostValueWithAnOlderOne) {
    auto racing = Runtime::make<HostInTheWay>(description);
    configure(std::nullopt, racing);
    allocate();
    EventList first, second;
    first.parameter(0, Address::delay, 20);
    second.parameter(0, Address::delay, 30);
    render(first);
    racing->stores = 0;
    racing->hostSends = [&] { render(second); };
    poll();  // reads 20; the host's 30 arrives at whatever the poll stores into the unit
    EXPECT_EQ(racing->stores, 0) << "the poll stores nothing back into the processor";
    if (auto send = std::exchange(racing->hostSends, nullptr)) send();
    EXPECT_EQ(unit->midiProcessor().delay.load(), 0.03f);
    EXPECT_EQ(unit->midiProcessor().parameterMirror[Address::delay].load(), 30.0f);
    EXPECT_EQ(settings->delay->value(), 20.0f);
    poll();
    EXPECT_EQ(settings->delay->value(), 30.0f);
    EXPECT_EQ(unit->midiProcessor().delay.load(), 0.03f);
}

TEST_F(SettingsTest, ADraggedParameterIgnoresAutomationUntilReleased) {
    configure();
    allocate();
    settings->delay->setIsBeingInteractivelyEdited(true);
    EventList events;
    events.parameter(0, Address::delay, 44);
    render(events);
    poll();
    EXPECT_EQ(settings->delay->value(), 0.0f);
    EXPECT_EQ(unit->midiProcessor().delay.load(), 0.044f) << "the host's value still plays";
}

TEST_F(SettingsTest, WithoutAUnitNothingIsPolled) {
    settings = Settings::make();
    loop().advance(1);
    EXPECT_EQ(settings->currentStepIndex(), -1);
    configure();
    unit.reset();
    poll();
    EXPECT_EQ(settings->currentStepIndex(), -1);
}

TEST_F(SettingsTest, ThePollStopsWithTheSettings) {
    configure();
    std::weak_ptr<Dispatch::Timer> timer = settings->pollTimer();
    settings.reset();
    const auto t = timer.lock();
    EXPECT_TRUE(!t || !t->isValid());
    poll();
}

TEST_F(SettingsTest, UpdateCheckAnnouncesOnlyANewerVersion) {
    struct Case {
        const char* running;
        std::initializer_list<const char*> listed;
        std::optional<std::string> announced;
    };
    const Case cases[] = {
        {"1.2.0", {"1.0.0", "1.2.0"}, std::nullopt},
        {"1.2.0", {"1.0.0", "1.3", "1.2.9"}, "1.3"},
        {"1.2.0", {}, std::nullopt},
        // A newest version that cannot be read is no announcement (the application's check
        // would answer that it cannot read it), whatever the weights make of it.
        {"1.0", {"2.0b1"}, std::nullopt},
        {"1.0", {"1.5", "2.0.0-beta"}, std::nullopt},
        {"1.0", {"+2"}, std::nullopt},
        {"1.0", {"2..0"}, std::nullopt},
        {"1.0", {"1.5", "1.2-beta"}, "1.5"},
    };
    for (const Case& c : cases) {
        useVersion(c.running);
        configure(feedListing(c.listed));
        finishUpdateCheck();
        ASSERT_EQ(settings->updateDetails().has_value(), c.announced.has_value()) << c.running;
        if (c.announced) {
            EXPECT_EQ(settings->updateDetails()->newVersion, *c.announced);
        }
    }
}

TEST_F(SettingsTest, TheFeedIsTheProductsOwnUnlessTurnedOff) {
    const auto feed = Foundation::URL::fromString(Settings::defaultUpdateFeedURL);
    ASSERT_TRUE(feed.has_value());
    EXPECT_EQ(feed->scheme(), "https");
    EXPECT_EQ(feed->path(), "/vantrel_zellow/vantrelzellow.xml");

    useVersion("1.0");
    Settings::setDefaultUpdateFeedURL(Foundation::URL::fileURLWithPath(feedListing({"2.0"})));
    auto fromDefault = Settings::make();
    Settings::setDefaultUpdateFeedURL(std::nullopt);
    auto off = Settings::make();
    Settings::setDefaultUpdateFeedURL(feed);
    for (const auto& s : {fromDefault, off}) s->configureAudioUnit(Runtime::make<MidiZellowAudioUnit>(description));
    finishUpdateCheck();
    ASSERT_TRUE(fromDefault->updateDetails().has_value());
    EXPECT_EQ(fromDefault->updateDetails()->newVersion, "2.0");
    EXPECT_FALSE(off->updateDetails().has_value());
}

TEST_F(SettingsTest, AnUnreachableOrBrokenFeedIsSilent) {
    useVersion("1.0");
    configure((dir / "missing.xml").string());
    finishUpdateCheck();
    EXPECT_FALSE(settings->updateDetails().has_value());
    configure(write("broken.xml", "<rss><channel><item><sparkle:shortVersionString>9.0"));
    finishUpdateCheck();
    EXPECT_FALSE(settings->updateDetails().has_value()) << "nothing complete was listed";
    const std::string listing = "<rss><channel><item><sparkle:shortVersionString>9.0</sparkle:shortVersionString></item>";
    configure(write("huge.xml", listing + std::string(Settings::maximumFeedSize, ' ') + "</channel></rss>"));
    finishUpdateCheck();
    EXPECT_FALSE(settings->updateDetails().has_value()) << "a feed past the size limit is not read";
}

TEST_F(SettingsTest, AnOfflineProcessChecksNothing) {
    useVersion("1.0");
    Foundation::URLSession::setOffline(true);
    configure(feedListing({"2.0"}));
    Foundation::URLSession::setOffline(false);
    finishUpdateCheck();
    EXPECT_FALSE(settings->updateDetails().has_value());
}

TEST_F(SettingsTest, RenderingWhileTheMainThreadEditsAndPolls) {
    configure();
    allocate();
    std::atomic<bool> done{false};
    std::thread host([&] {
        EventList events;
        for (int cycle = 0; cycle < 5000; ++cycle) {
            events.clear();
            events.parameter(0, Address::stepDelay(cycle % 16), float(cycle % 50)).noteOn(10, 60, 100).noteOff(20, 60);
            AudioTimeStamp stamp;
            stamp.mSampleTime = cycle * 512.0;
            AudioUnitRenderActionFlags flags = 0;
            const AURenderEvent* head = events.head();
            TestSupport::RealtimeCheck check;
            renderBlock(&flags, &stamp, 512, 0, nullptr, head, nullptr);
        }
        done = true;
    });
    int i = 0;
    while (!done) {
        settings->delay->setValue(float(i % 50), ParameterEditor::ui, ParameterEditorState::change);
        unit->setShouldBypassEffect(i % 100 == 0);
        settings->pollTick();
        (void)unit->parameterTree()->parameter(Address::stepCount)->value();
        drain();
        ++i;
    }
    host.join();
    unit->setShouldBypassEffect(false);
    settings->pollTick();
    drain();
    EXPECT_EQ(unit->midiProcessor().dirtyMask.load(), 0u);
}

}  // namespace
}  // namespace EngineTests
