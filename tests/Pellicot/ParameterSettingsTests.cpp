#include <gtest/gtest.h>

#include <unistd.h>

#include <atomic>
#include <clocale>
#include <filesystem>
#include <fstream>
#include <cmath>
#include <limits>
#include <mutex>
#include <thread>

#include "AudioToolbox/AUAudioUnit.hpp"
#include "AudioToolbox/AUParameterTree.hpp"
#include "Foundation/Bundle.hpp"
#include "Pellicot/ParameterSettings.hpp"
#include "TestSupport/FatalErrorCapture.hpp"
#include "TestSupport/KeptParameterWriteLogs.hpp"
#include "TestSupport/MainLoop.hpp"

namespace {

using namespace Pellicot;
using AudioToolbox::AUParameterAddress;
using AudioToolbox::AudioUnitParameterUnit;
using Unit = AudioUnitParameterUnit;
using Call = std::pair<AUParameterAddress, float>;

constexpr float inf = std::numeric_limits<float>::infinity();
constexpr float nan = std::numeric_limits<float>::quiet_NaN();

// An effect that records what reaches it. Called from host threads too.
class RecordingUnit : public AudioToolbox::AUAudioUnit, public PelliAudioUnit {
    VZ_OBJECT(RecordingUnit, AudioToolbox::AUAudioUnit)
public:
    RecordingUnit() : AUAudioUnit(AudioToolbox::AudioComponentDescription{}) {}
    void setParameter(AUParameterAddress address, float value) override {
        std::lock_guard lock(mutex_);
        calls_.emplace_back(address, value);
    }
    std::vector<Call> calls() const {
        std::lock_guard lock(mutex_);
        return calls_;
    }
    void clear() {
        std::lock_guard lock(mutex_);
        calls_.clear();
    }

private:
    mutable std::mutex mutex_;
    std::vector<Call> calls_;
};

// Adopts the protocol without being an Audio Unit: it has no tree to take.
struct BareUnit : PelliAudioUnit {
    std::vector<Call> calls;
    void setParameter(AUParameterAddress address, float value) override { calls.emplace_back(address, value); }
};

class TestSettings : public ParameterSettings {
public:
    std::vector<Call> dependentUpdates;
    int additionalHashes = 0;
    void updateDependentValues(AUParameterAddress address, float value) override {
        dependentUpdates.emplace_back(address, value);
    }
    void hashAdditionalValues(Hasher&) const override { ++const_cast<TestSettings*>(this)->additionalHashes; }
};

std::shared_ptr<AudioParameter> parameter(AUParameterAddress address, float defaultValue,
                                          std::optional<std::vector<std::string>> names = std::nullopt,
                                          std::optional<std::vector<std::uint64_t>> dependents = std::nullopt) {
    return AudioParameter::make(address, "p" + std::to_string(address), "P", Unit::milliseconds, {0, 50},
                                defaultValue, AudioParameter::ValueIncrement::linear(), std::move(names),
                                std::move(dependents));
}

class ParameterSettingsTest : public TestSupport::VirtualTimeTest {
protected:
    // Three parameters whose list order differs from their address order.
    void SetUp() override {
        VirtualTimeTest::SetUp();
        a = parameter(2, 5);
        b = parameter(0, 7, std::vector<std::string>{"Off", "Low", "High"});
        c = parameter(1, 9, std::nullopt, std::vector<std::uint64_t>{2});
        settings->setupParameters({a, b, c});
    }
    void configure() {
        settings->configureAudioUnit(unit);
        settings->setupParameterTreeListeners();
        unit->clear();
    }
    std::string text(const std::shared_ptr<AudioParameter>& p, const float* v) { return p->auParameter()->string(v); }
    float number(const std::shared_ptr<AudioParameter>& p, const char* s) { return p->auParameter()->value(std::string(s)); }

    std::shared_ptr<TestSettings> settings = std::make_shared<TestSettings>();
    std::shared_ptr<RecordingUnit> unit = Runtime::make<RecordingUnit>();
    std::shared_ptr<AudioParameter> a, b, c;
};

TEST_F(ParameterSettingsTest, ConfiguringBuildsAFlatTreeAndPushesEveryValueBeforeAnyCallback) {
    settings->configureAudioUnit(unit);
    EXPECT_EQ(settings->audioUnit(), unit);
    auto tree = unit->parameterTree();
    ASSERT_NE(tree, nullptr);
    ASSERT_EQ(tree->allParameters().size(), 3u);
    EXPECT_EQ(tree->allParameters()[0], a->auParameter());
    EXPECT_EQ(tree->allParameters()[2], c->auParameter());
    EXPECT_EQ(a->auParameter()->tree(), tree);
    EXPECT_EQ(unit->calls(), (std::vector<Call>{{2, 5}, {0, 7}, {1, 9}}));
    EXPECT_FALSE(bool(tree->implementorValueObserver()));
    EXPECT_FALSE(bool(tree->implementorStringFromValueCallback()));
    EXPECT_FALSE(bool(tree->implementorValueFromStringCallback()));

    settings->setupParameterTreeListeners();
    EXPECT_TRUE(bool(tree->implementorValueObserver()));
    EXPECT_TRUE(bool(tree->implementorStringFromValueCallback()));
    EXPECT_TRUE(bool(tree->implementorValueFromStringCallback()));
    EXPECT_FALSE(bool(tree->implementorValueProvider()));
}

TEST_F(ParameterSettingsTest, AnEmptyListGivesAnEmptyTreeAndPushesNothing) {
    auto empty = std::make_shared<ParameterSettings>();
    empty->configureAudioUnit(unit);
    ASSERT_NE(unit->parameterTree(), nullptr);
    EXPECT_TRUE(unit->parameterTree()->allParameters().empty());
    EXPECT_TRUE(unit->calls().empty());
}

TEST_F(ParameterSettingsTest, AUnitThatIsNoAudioUnitGetsValuesButNoTreeOrCallbacks) {
    auto bare = std::make_shared<BareUnit>();
    settings->configureAudioUnit(bare);
    settings->setupParameterTreeListeners();
    EXPECT_EQ(bare->calls, (std::vector<Call>{{2, 5}, {0, 7}, {1, 9}}));
    EXPECT_EQ(a->auParameter()->tree(), nullptr);  // the tree was dropped with nobody to keep it
}

TEST_F(ParameterSettingsTest, CallbacksAreNotInstalledWithoutUnitOrTree) {
    settings->setupParameterTreeListeners();  // no unit yet: nothing to do, no crash
    settings->configureAudioUnit(unit);
    auto tree = unit->parameterTree();
    unit->setParameterTree(nullptr);
    settings->setupParameterTreeListeners();
    EXPECT_FALSE(bool(tree->implementorValueObserver()));
}

TEST_F(ParameterSettingsTest, AValueReachesTheParameterLaterAndTheUnitUnchangedAtOnce) {
    configure();
    settings->setValue(80, 2, ParameterEditor::parameterObserver);
    EXPECT_EQ(unit->calls(), (std::vector<Call>{{2, 80}}));
    EXPECT_EQ(a->value(), 5);
    drain();
    EXPECT_EQ(a->value(), 50);  // only the observed parameter clamps

    settings->setValue(3, 77, ParameterEditor::parameterObserver);  // no such parameter
    EXPECT_EQ(unit->calls().back(), (Call{77, 3}));
}

TEST_F(ParameterSettingsTest, OnlyTheFirstParameterWithTheAddressChanges) {
    auto twin = parameter(2, 5);
    auto settings = std::make_shared<ParameterSettings>();
    settings->setupParameters({a, twin});
    settings->setValue(20, 2, ParameterEditor::parameterObserver);
    drain();
    EXPECT_EQ(a->value(), 20);
    EXPECT_EQ(twin->value(), 5);
}

TEST_F(ParameterSettingsTest, DependentsAreUpdatedOnlyForParametersThatHaveThem) {
    configure();
    settings->setValue(4, 0, ParameterEditor::parameterObserver);
    settings->setValue(6, 1, ParameterEditor::parameterObserver);
    settings->setValue(8, 9, ParameterEditor::parameterObserver);
    EXPECT_EQ(settings->dependentUpdates, (std::vector<Call>{{1, 6}}));
}

TEST_F(ParameterSettingsTest, AControlChangeTravelsThroughTheTreeToTheEffect) {
    configure();
    a->setValue(30, ParameterEditor::ui, ParameterEditorState::change);
    EXPECT_EQ(unit->calls(), (std::vector<Call>{{2, 30}}));
    drain();
    EXPECT_EQ(a->value(), 30);
    // One write: the value observer's road writes nothing back.
    EXPECT_EQ(a->auParameter()->writeLog().size(), 2u);  // creation and the control's write
}

TEST_F(ParameterSettingsTest, AHostWriteReachesTheEffectAndTheEditor) {
    configure();
    a->auParameter()->clearWriteLog();
    b->auParameter()->setValue(2);
    EXPECT_EQ(unit->calls(), (std::vector<Call>{{0, 2}}));
    drain();
    EXPECT_EQ(b->value(), 2);
    EXPECT_EQ(b->auParameter()->writeLog().size(), 2u);  // creation and the host's
}

TEST_F(ParameterSettingsTest, TheUnitIsHeldWeakly) {
    configure();
    auto tree = unit->parameterTree();
    unit.reset();
    EXPECT_EQ(settings->audioUnit(), nullptr);
    settings->setValue(12, 2, ParameterEditor::parameterObserver);
    drain();
    EXPECT_EQ(a->value(), 12);
}

TEST_F(ParameterSettingsTest, TheValueObserverDoesNothingOnceTheSettingsAreGone) {
    configure();
    settings.reset();
    a->auParameter()->setValue(40);
    drain();
    EXPECT_TRUE(unit->calls().empty());
    EXPECT_EQ(a->value(), 5);
}

TEST_F(ParameterSettingsTest, ValuesReadAsTheirNamesOrAsWholeNumbers) {
    configure();
    struct Case {
        std::shared_ptr<AudioParameter> parameter;
        float value;
        const char* text;
    } cases[] = {
        {b, 1.9f, "Low"},  {b, -0.5f, "Off"},  {b, 0.99f, "Off"},  {b, 2.7f, "High"},
        {b, 3, "3"},       {b, -1, "-1"},      {b, nan, "-"},      {b, inf, "inf"},
        {b, -inf, "-inf"}, {b, 1e20f, "100000002004087734272"},    {b, 3.5f, "4"},
        {a, 1.9f, "2"},    {a, 12.5f, "12"},   {a, 13.5f, "14"},   {a, -0.4f, "-0"},
        {a, 0, "0"},       {a, nan, "-"},
    };
    for (const auto& c : cases) EXPECT_EQ(text(c.parameter, &c.value), c.text) << c.value;
    EXPECT_EQ(text(a, nullptr), "-");
    EXPECT_EQ(text(b, nullptr), "-");
}

TEST_F(ParameterSettingsTest, TextReadsAsAWholeNumberInTheCLocaleOrZero) {
    configure();
    struct Case {
        const char* text;
        float value;
    } cases[] = {
        {"12.5", 12.5f}, {"1e2", 100},   {"-3", -3},  {"+4", 4},   {"0x10", 16}, {"inf", inf}, {"-INF", -inf},
        {"", 0},         {" 5", 0},      {"\t5", 0},  {"\n5", 0},  {"\v5", 0},   {"\f5", 0},   {"\r5", 0},
        {"5 ", 0},       {"5ms", 0},     {"5%", 0},   {"1,5", 0},  {"nan", 0},   {"-nan", 0},  {"Low", 0},
        {"abc", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(number(b, c.text), c.value) << '"' << c.text << '"';
}

// A host may run under a comma locale; the texts it reads back still use the point.
TEST_F(ParameterSettingsTest, HostTextIgnoresTheProcessLocale) {
    configure();
    const char* comma = nullptr;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8"})
        if (std::setlocale(LC_ALL, name)) {
            comma = name;
            break;
        }
    if (!comma) GTEST_SKIP() << "no comma locale installed";
    const float value = 1234.5f;
    const std::string shown = text(a, &value);
    const float readPoint = number(a, "1.5"), readComma = number(a, "1,5");
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(shown, "1234");
    EXPECT_EQ(readPoint, 1.5f);
    EXPECT_EQ(readComma, 0);
}

TEST_F(ParameterSettingsTest, TheHashFollowsTheValuesAndTheSubclassesAdditions) {
    const auto first = settings->paramsHash();
    EXPECT_EQ(settings->additionalHashes, 1);
    EXPECT_EQ(settings->paramsHash(), first);
    settings->setValue(6, 2, ParameterEditor::parameterObserver);
    drain();
    EXPECT_NE(settings->paramsHash(), first);

    auto zero = std::make_shared<ParameterSettings>(), negativeZero = std::make_shared<ParameterSettings>();
    auto pz = AudioParameter::make(0, "z", "Z", Unit::generic, {-1, 1}, 0.0f, AudioParameter::ValueIncrement::linear());
    auto nz = AudioParameter::make(0, "z", "Z", Unit::generic, {-1, 1}, -0.0f, AudioParameter::ValueIncrement::linear());
    zero->setupParameters({pz});
    negativeZero->setupParameters({nz});
    EXPECT_EQ(zero->paramsHash(), negativeZero->paramsHash());
}

TEST_F(ParameterSettingsTest, ListenersNeedSettingsOwnedBySharedPointers) {
    TestSupport::CaptureFatalErrors capture;
    ParameterSettings onTheStack;
    EXPECT_THROW(onTheStack.setupParameterTreeListeners(), TestSupport::FatalErrorThrown);
}

// The host writes on its own thread while the main thread drains the stores.
TEST_F(ParameterSettingsTest, HostThreadWritesWhileTheMainThreadDrains) {
    configure();
    std::atomic<bool> done{false};
    std::thread host([&] {
        for (int i = 0; i <= 300; ++i) {
            a->auParameter()->setValue(float(i % 40));
            (void)a->auParameter()->string(nullptr);
            (void)a->value();
        }
        done = true;
    });
    while (!done) {
        loop().runUntilIdle();
        a->setValue(45, ParameterEditor::ui, ParameterEditorState::change);
    }
    host.join();
    a->auParameter()->setValue(33);
    drain();
    EXPECT_EQ(a->value(), 33);
    EXPECT_EQ(unit->calls().back(), (Call{2, 33}));
}

}  // namespace

namespace {

// Each case gets a bundle directory of its own: bundles read their Info.plist once.
class PluginVersionTest : public ::testing::Test {
protected:
    void TearDown() override {
        Foundation::Bundle::setMain(nullptr);
        std::filesystem::remove_all(root_);
    }
    void useMainBundleWithInfo(const std::string& entries) {
        auto dir = root_ / std::to_string(count_++);
        std::filesystem::create_directories(dir);
        std::ofstream(dir / "Info.plist")
            << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>" << entries << "</dict></plist>\n";
        auto bundle = Foundation::Bundle::withPath(dir.string());
        ASSERT_NE(bundle, nullptr);
        Foundation::Bundle::setMain(bundle);
    }
    std::filesystem::path root_ = std::filesystem::temp_directory_path() /
                                  ("vz-plugin-version-" + std::to_string(::getpid()));
    int count_ = 0;
};

TEST_F(PluginVersionTest, IsTheMainBundlesShortVersionStringOrUnknown) {
    auto settings = std::make_shared<Pellicot::ParameterSettings>();
    useMainBundleWithInfo("<key>CFBundleShortVersionString</key><string>1.4.2</string>");
    EXPECT_EQ(settings->pluginVersion(), "1.4.2");
    useMainBundleWithInfo("<key>CFBundleVersion</key><string>7</string>");
    EXPECT_EQ(settings->pluginVersion(), "Unknown");
    useMainBundleWithInfo("<key>CFBundleShortVersionString</key><integer>2</integer>");
    EXPECT_EQ(settings->pluginVersion(), "Unknown");
}

}  // namespace
