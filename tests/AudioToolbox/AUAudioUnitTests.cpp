#include <gtest/gtest.h>

#include "AudioToolbox/AUAudioUnitBusArray.hpp"
#include "TestUnit.hpp"
#include "TestSupport/RealtimeCheck.hpp"

using namespace AudioToolbox;
using AudioToolboxTests::TestUnit;
using AudioToolboxTests::testDescription;

namespace {

long statusOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const Foundation::NSError& error) {
        EXPECT_EQ(error.domain(), Foundation::NSOSStatusErrorDomain);
        return error.code();
    }
    return noErr;
}

OSStatus render(const AURenderBlock& block, AUAudioFrameCount frames) {
    AudioUnitRenderActionFlags flags = 0;
    AudioTimeStamp timestamp;
    return block(&flags, &timestamp, frames, 0, nullptr, nullptr, nullptr);
}

}  // namespace

TEST(AUAudioUnit, BaseDefaults) {
    auto unit = Runtime::make<AUAudioUnit>(testDescription);
    EXPECT_EQ(unit->componentDescription(), testDescription);
    EXPECT_EQ(unit->maximumFramesToRender(), 512u);
    EXPECT_FALSE(unit->shouldBypassEffect());
    EXPECT_EQ(unit->latency(), 0);
    EXPECT_TRUE(unit->channelCapabilities().empty());
    EXPECT_FALSE(unit->isMusicDeviceOrEffect());
    EXPECT_FALSE(unit->renderResourcesAllocated());
    EXPECT_FALSE(unit->parameterTree());
    EXPECT_EQ(unit->inputBusses()->count(), 0u);
    EXPECT_EQ(unit->inputBusses(), unit->inputBusses());
    EXPECT_EQ(unit->outputBusses()->busType(), AUAudioUnitBusType::output);
    EXPECT_EQ(unit->outputBusses()->ownerAudioUnit(), unit.get());
}

TEST(AUAudioUnit, InitialiserThrowsTheChosenErrorOnce) {
    AUAudioUnit::failNextInitialisation(Foundation::NSError("TestDomain", 42, "no unit today"));
    try {
        Runtime::make<TestUnit>(testDescription);
        FAIL() << "the initialiser did not throw";
    } catch (const Foundation::NSError& error) {
        EXPECT_EQ(error.domain(), "TestDomain");
        EXPECT_EQ(error.code(), 42);
        EXPECT_STREQ(error.what(), "no unit today");
    }
    EXPECT_NO_THROW(Runtime::make<TestUnit>(testDescription));
}

TEST(AUAudioUnit, BussesKnowTheirUnitAndPlace) {
    auto unit = Runtime::make<TestUnit>(testDescription);
    auto inputs = unit->inputBusses();
    auto outputs = unit->outputBusses();
    ASSERT_EQ(inputs->count(), 1u);
    ASSERT_EQ(outputs->count(), 1u);
    EXPECT_EQ(inputs->busType(), AUAudioUnitBusType::input);
    EXPECT_EQ((*inputs)[0]->busType(), AUAudioUnitBusType::input);
    EXPECT_EQ((*outputs)[0]->index(), 0);
    EXPECT_EQ((*outputs)[0]->ownerAudioUnit(), unit.get());
    EXPECT_EQ((*outputs)[1], nullptr);
    EXPECT_FALSE(outputs->isCountChangeable());
    EXPECT_NO_THROW(outputs->setBusCount(1));
    EXPECT_EQ(statusOf([&] { outputs->setBusCount(2); }), kAudioUnitErr_PropertyNotWritable);

    // The busses refer to their unit unretained: once it is gone they belong to nobody.
    auto bus = (*outputs)[0];
    unit.reset();
    EXPECT_EQ(bus->ownerAudioUnit(), nullptr);
    EXPECT_EQ(outputs->ownerAudioUnit(), nullptr);
}

TEST(AUAudioUnitBus, FormatsItCannotTakeAreRefused) {
    EXPECT_EQ(statusOf([] { AUAudioUnitBus::make(nullptr); }), kAudioUnitErr_FormatNotSupported);

    auto unit = Runtime::make<TestUnit>(testDescription);
    auto output = (*unit->outputBusses())[0];
    auto input = (*unit->inputBusses())[0];
    EXPECT_EQ(output->maximumChannelCount(), 2u);
    EXPECT_EQ(statusOf([&] { output->setFormat(AVAudioFormat::standardFormat(44100, 3)); }), kAudioUnitErr_FormatNotSupported);
    EXPECT_EQ(statusOf([&] { output->setFormat(nullptr); }), kAudioUnitErr_FormatNotSupported);
    EXPECT_EQ(output->format()->channelCount(), 2u);
    EXPECT_EQ(statusOf([&] { input->setFormat(AVAudioFormat::standardFormat(96000, 8)); }), noErr);
    EXPECT_EQ(input->format()->sampleRate(), 96000);

    input->setFormat(AVAudioFormat::standardFormat(44100, 2));
    unit->allocateRenderResources();
    EXPECT_EQ(statusOf([&] { output->setFormat(AVAudioFormat::standardFormat(48000, 2)); }), kAudioUnitErr_Initialized);
    unit->deallocateRenderResources();
    EXPECT_EQ(statusOf([&] { output->setFormat(AVAudioFormat::standardFormat(48000, 2)); }), noErr);
}

TEST(AUAudioUnit, AllocationChecksChannelsAndFrameLimit) {
    auto unit = Runtime::make<TestUnit>(testDescription);
    (*unit->outputBusses())[0]->setFormat(AVAudioFormat::standardFormat(44100, 1));
    EXPECT_EQ(statusOf([&] { unit->allocateRenderResources(); }), kAudioUnitErr_FormatNotSupported);
    EXPECT_FALSE(unit->renderResourcesAllocated());

    (*unit->outputBusses())[0]->setFormat(AVAudioFormat::standardFormat(44100, 2));
    unit->setMaximumFramesToRender(0);
    EXPECT_EQ(statusOf([&] { unit->allocateRenderResources(); }), kAudioUnitErr_InvalidPropertyValue);

    unit->setMaximumFramesToRender(256);
    EXPECT_EQ(statusOf([&] { unit->allocateRenderResources(); }), noErr);
    EXPECT_TRUE(unit->renderResourcesAllocated());
    EXPECT_EQ(statusOf([&] { unit->setMaximumFramesToRender(1024); }), kAudioUnitErr_Initialized);
    EXPECT_EQ(unit->maximumFramesToRender(), 256u);
}

TEST(AUAudioUnit, RenderBlockGuardsTheInternalBlock) {
    auto unit = Runtime::make<TestUnit>(testDescription);
    unit->setMaximumFramesToRender(128);
    const AURenderBlock block = unit->renderBlock();
    const auto log = unit->log();

    EXPECT_EQ(render(block, 64), kAudioUnitErr_Uninitialized);
    unit->allocateRenderResources();
    {
        TestSupport::RealtimeCheck check;
        EXPECT_EQ(render(block, 128), noErr);
        EXPECT_EQ(render(block, 129), kAudioUnitErr_TooManyFramesToProcess);
        EXPECT_EQ(render(block, 1), noErr);
    }
    EXPECT_EQ(log->calls, 2);
    EXPECT_EQ(log->lastFrames, 1u);

    unit->deallocateRenderResources();
    EXPECT_EQ(render(block, 64), kAudioUnitErr_Uninitialized);
    EXPECT_EQ(log->calls, 2);

    // A new limit takes effect at the next allocation; the internal block is asked for once.
    unit->setMaximumFramesToRender(512);
    unit->allocateRenderResources();
    EXPECT_EQ(render(unit->renderBlock(), 512), noErr);
    EXPECT_EQ(unit->internalBlockRequests, 1);
}

TEST(AUAudioUnit, RenderBlockDoesNotKeepTheUnitAlive) {
    auto unit = Runtime::make<TestUnit>(testDescription);
    unit->allocateRenderResources();
    const AURenderBlock block = unit->renderBlock();
    const std::weak_ptr<TestUnit> weak = unit;
    unit.reset();
    EXPECT_TRUE(weak.expired());
    EXPECT_EQ(render(block, 64), kAudioUnitErr_Uninitialized);
}

TEST(AUAudioUnit, HostBlocksAreStoredAsSet) {
    auto unit = Runtime::make<AUAudioUnit>(testDescription);
    EXPECT_FALSE(unit->musicalContextBlock());
    EXPECT_FALSE(unit->MIDIOutputEventBlock());
    int sent = 0;
    unit->setMIDIOutputEventBlock([&](AUEventSampleTime, std::uint8_t, long, const std::uint8_t*) { return ++sent, noErr; });
    unit->setMusicalContextBlock([](double* tempo, double*, long*, double*, long*, double*) { return *tempo = 99, true; });
    unit->setTransportStateBlock([](AUHostTransportStateFlags* f, double*, double*, double*) { return *f = 2, true; });
    unit->MIDIOutputEventBlock()(0, 0, 3, nullptr);
    double tempo = 0;
    EXPECT_TRUE(unit->musicalContextBlock()(&tempo, nullptr, nullptr, nullptr, nullptr, nullptr));
    AUHostTransportStateFlags flags = 0;
    EXPECT_TRUE(unit->transportStateBlock()(&flags, nullptr, nullptr, nullptr));
    EXPECT_EQ(sent, 1);
    EXPECT_EQ(tempo, 99);
    EXPECT_EQ(flags, 2u);
}
