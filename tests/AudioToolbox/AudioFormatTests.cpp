#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "AudioToolbox/AVAudioFormat.hpp"
#include "AudioToolbox/AVAudioPCMBuffer.hpp"

using namespace AudioToolbox;

TEST(AVAudioFormat, StandardFormatIsDeinterleavedFloat) {
    auto format = AVAudioFormat::standardFormat(48000, 2);
    ASSERT_TRUE(format);
    EXPECT_EQ(format->sampleRate(), 48000);
    EXPECT_EQ(format->channelCount(), 2u);
    EXPECT_EQ(format->commonFormat(), AVAudioCommonFormat::pcmFormatFloat32);
    EXPECT_FALSE(format->isInterleaved());
    EXPECT_TRUE(format->isStandard());
    EXPECT_TRUE(format->isEqual(*AVAudioFormat::standardFormat(48000, 2)));
    EXPECT_FALSE(format->isEqual(*AVAudioFormat::standardFormat(44100, 2)));
}

TEST(AVAudioFormat, RefusesWhatNoBufferCanHold) {
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
    struct Case { double rate; AVAudioChannelCount channels; } cases[] = {
        {0, 2}, {-44100, 2}, {nan, 2}, {inf, 2}, {44100, 0}, {44100, AVAudioFormat::maximumChannelCount + 1}};
    for (auto c : cases) EXPECT_FALSE(AVAudioFormat::standardFormat(c.rate, c.channels)) << c.rate << " Hz, " << c.channels;
    EXPECT_TRUE(AVAudioFormat::standardFormat(44100, AVAudioFormat::maximumChannelCount));
}

TEST(AVAudioPCMBuffer, ListsDescribeOneBufferPerChannel) {
    auto buffer = AVAudioPCMBuffer::make(AVAudioFormat::standardFormat(44100, 3), 256);
    ASSERT_TRUE(buffer);
    EXPECT_EQ(buffer->frameCapacity(), 256u);
    EXPECT_EQ(buffer->frameLength(), 0u);
    const AudioBufferList* list = buffer->audioBufferList();
    ASSERT_EQ(list->mNumberBuffers, 3u);
    for (std::uint32_t c = 0; c < 3; ++c) {
        EXPECT_EQ(list->mBuffers[c].mNumberChannels, 1u);
        EXPECT_EQ(list->mBuffers[c].mData, buffer->floatChannelData()[c]);
        EXPECT_EQ(list->mBuffers[c].mDataByteSize, 0u);
    }
    // Channels do not overlap, and the memory starts silent and is writable to the capacity.
    EXPECT_EQ(buffer->floatChannelData()[1] - buffer->floatChannelData()[0], 256);
    for (std::uint32_t c = 0; c < 3; ++c) {
        EXPECT_EQ(buffer->floatChannelData()[c][255], 0.0f);
        buffer->floatChannelData()[c][255] = 1.0f;
    }

    buffer->setFrameLength(100);
    EXPECT_EQ(list->mBuffers[2].mDataByteSize, 400u);
    EXPECT_EQ(buffer->mutableAudioBufferList()->mBuffers[2].mDataByteSize, 400u);
    EXPECT_THROW(buffer->setFrameLength(257), std::invalid_argument);
    EXPECT_EQ(buffer->frameLength(), 100u);

    // A host may repoint the mutable list; the buffer's own list keeps its memory.
    float elsewhere[4];
    buffer->mutableAudioBufferList()->mBuffers[0].mData = elsewhere;
    EXPECT_EQ(list->mBuffers[0].mData, buffer->floatChannelData()[0]);
}

TEST(AVAudioPCMBuffer, NeedsAFormatButNotFrames) {
    EXPECT_FALSE(AVAudioPCMBuffer::make(nullptr, 16));
    auto empty = AVAudioPCMBuffer::make(AVAudioFormat::standardFormat(44100, 2), 0);
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->audioBufferList()->mNumberBuffers, 2u);
    EXPECT_EQ(empty->floatChannelData()[0], nullptr);
}
