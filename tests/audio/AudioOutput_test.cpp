// The real audio layer, heard through SDL's disk driver, which writes the mixed
// output to a file as it plays: 16-bit stereo at 44100 Hz, in about real time.
// The tracks are made at build time (tests/CMakeLists.txt): a one-second
// loud tone rising from 300 to 1500 Hz, so its pitch tells where in the track
// it is, and a one-second quiet 2000 Hz tone.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "audio/AudioOutput.h"

namespace {

const std::string kRising = VIZIDEV_TEST_TRACK_DIR "/rising_tone.mp3";
const std::string kQuiet = VIZIDEV_TEST_TRACK_DIR "/quiet_tone.mp3";
const int kRate = 44100;            // frames per second
const size_t kBlock = kRate / 200;  // 5 ms: the loudness of a stretch is its peak over blocks

enum Level { Silent, Quiet, Loud };

struct Stretch {
    Level level;
    size_t begin;  // frames
    size_t end;

    double seconds() const { return static_cast<double>(end - begin) / kRate; }
};

void sleepSeconds(double seconds) {
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

Level levelOf(int peak) {
    if (peak < 64) {
        return Silent;
    }
    return peak < 6000 ? Quiet : Loud;
}

// The pitch of a stretch of a pure tone, from how often it crosses zero (Hz).
double pitch(const std::vector<int16_t>& left, size_t begin, size_t end) {
    int crossings = 0;
    for (size_t i = begin + 1; i < end && i < left.size(); ++i) {
        if ((left[i - 1] < 0) != (left[i] < 0)) {
            ++crossings;
        }
    }
    return crossings / 2.0 / (static_cast<double>(end - begin) / kRate);
}

class AudioOnDisk : public ::testing::Test {
  protected:
    void SetUp() override {
        outputPath = testing::TempDir() + "vizidev_audio_" + std::to_string(getpid()) + ".raw";
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", outputPath.c_str(), 1);
        ASSERT_TRUE(openAudioOutput(kRate));
        sleepSeconds(0.1);  // the output stretches silent before anything plays
    }

    void TearDown() override { std::remove(outputPath.c_str()); }

    size_t framesWritten() const {
        std::ifstream file(outputPath, std::ios::binary | std::ios::ate);
        return file ? static_cast<size_t>(file.tellg()) / 4 : 0;
    }

    std::vector<int16_t> leftChannel() const {
        std::ifstream file(outputPath, std::ios::binary);
        const std::vector<char> bytes((std::istreambuf_iterator<char>(file)),
                                      std::istreambuf_iterator<char>());
        std::vector<int16_t> left(bytes.size() / 4);
        for (size_t i = 0; i < left.size(); ++i) {
            const unsigned lo = static_cast<unsigned char>(bytes[4 * i]);
            const unsigned hi = static_cast<unsigned char>(bytes[4 * i + 1]);
            left[i] = static_cast<int16_t>(lo | (hi << 8));
        }
        return left;
    }

    // The output as stretches of one loudness each, first to last.
    static std::vector<Stretch> stretchesOf(const std::vector<int16_t>& left) {
        std::vector<Stretch> stretches;
        for (size_t begin = 0; begin + kBlock <= left.size(); begin += kBlock) {
            int peak = 0;
            for (size_t i = begin; i < begin + kBlock; ++i) {
                peak = std::max(peak, std::abs(static_cast<int>(left[i])));
            }
            const Level level = levelOf(peak);
            if (stretches.empty() || stretches.back().level != level) {
                stretches.push_back({level, begin, begin});
            }
            stretches.back().end = begin + kBlock;
        }
        return stretches;
    }

    static std::vector<Level> levels(const std::vector<Stretch>& stretches) {
        std::vector<Level> result;
        for (const Stretch& stretch : stretches) {
            result.push_back(stretch.level);
        }
        return result;
    }

    std::string outputPath;
};

const size_t k50ms = kRate / 20;

TEST_F(AudioOnDisk, LoopingStreamSoundsWithoutAGapPastItsEnd) {
    const uint32_t stream = createAudioStream(kRising.c_str(), true);
    ASSERT_NE(stream, 0u);
    ASSERT_TRUE(playAudioChannel(stream));
    sleepSeconds(2.6);  // more than two turns of the one-second track

    const std::vector<int16_t> left = leftChannel();
    const std::vector<Stretch> stretches = stretchesOf(left);
    ASSERT_EQ(levels(stretches), std::vector<Level>({Silent, Loud}));
    EXPECT_GT(stretches[1].seconds(), 2.3);
    // The pitch falls back each turn: the track started over, it did not stick.
    EXPECT_GT(pitch(left, stretches[1].begin + kRate - k50ms, stretches[1].begin + kRate), 1200);
    EXPECT_LT(pitch(left, stretches[1].begin + kRate, stretches[1].begin + kRate + k50ms), 600);
}

TEST_F(AudioOnDisk, PausedStreamFallsSilentAndResumesWhereItWas) {
    const uint32_t stream = createAudioStream(kRising.c_str(), true);
    ASSERT_TRUE(playAudioChannel(stream));
    sleepSeconds(1.5);  // half way through the second turn
    EXPECT_TRUE(pauseAudioChannel(stream));
    const size_t pausedAt = framesWritten();
    sleepSeconds(0.6);
    EXPECT_FALSE(pauseAudioChannel(stream));  // not playing
    EXPECT_TRUE(playAudioChannel(stream));
    sleepSeconds(0.4);

    const std::vector<int16_t> left = leftChannel();
    const std::vector<Stretch> stretches = stretchesOf(left);
    ASSERT_EQ(levels(stretches), std::vector<Level>({Silent, Loud, Silent, Loud}));
    EXPECT_NEAR(static_cast<double>(stretches[1].end), static_cast<double>(pausedAt), 0.1 * kRate);
    EXPECT_GT(stretches[2].seconds(), 0.45);

    const double before = pitch(left, stretches[1].end - k50ms, stretches[1].end);
    const double after = pitch(left, stretches[3].begin, stretches[3].begin + k50ms);
    ASSERT_GT(before, 500) << "paused too near the start of a turn to tell a resume from a restart";
    EXPECT_NEAR(after, before, 150);
}

TEST_F(AudioOnDisk, PlayingAnotherStreamPausesTheOneThatSoundsKeepingItsPlace) {
    const uint32_t rising = createAudioStream(kRising.c_str(), true);
    const uint32_t quiet = createAudioStream(kQuiet.c_str(), true);
    ASSERT_NE(rising, 0u);
    ASSERT_NE(quiet, 0u);
    ASSERT_NE(rising, quiet);

    ASSERT_TRUE(playAudioChannel(rising));
    sleepSeconds(0.6);
    EXPECT_TRUE(pauseAudioChannel(rising));
    EXPECT_TRUE(playAudioChannel(quiet));
    sleepSeconds(0.5);
    EXPECT_TRUE(pauseAudioChannel(quiet));
    EXPECT_TRUE(playAudioChannel(rising));
    sleepSeconds(0.3);

    const std::vector<int16_t> left = leftChannel();
    const std::vector<Stretch> stretches = stretchesOf(left);
    ASSERT_EQ(levels(stretches), std::vector<Level>({Silent, Loud, Quiet, Loud}));
    EXPECT_NEAR(pitch(left, stretches[2].begin + k50ms, stretches[2].end - k50ms), 2000, 100);

    const double before = pitch(left, stretches[1].end - k50ms, stretches[1].end);
    const double after = pitch(left, stretches[3].begin, stretches[3].begin + k50ms);
    ASSERT_GT(before, 500)
        << "switched too near the start of a turn to tell a resume from a restart";
    EXPECT_NEAR(after, before, 150);
}

TEST_F(AudioOnDisk, OneShotStreamEndsThenPlaysAgainFromItsStart) {
    const uint32_t stream = createAudioStream(kRising.c_str(), false);
    ASSERT_TRUE(playAudioChannel(stream));
    sleepSeconds(1.5);
    EXPECT_TRUE(playAudioChannel(stream));
    sleepSeconds(0.3);

    const std::vector<int16_t> left = leftChannel();
    const std::vector<Stretch> stretches = stretchesOf(left);
    ASSERT_EQ(levels(stretches), std::vector<Level>({Silent, Loud, Silent, Loud}));
    EXPECT_NEAR(stretches[1].seconds(), 1.0, 0.02);
    EXPECT_LT(pitch(left, stretches[3].begin, stretches[3].begin + k50ms), 450);
}

TEST_F(AudioOnDisk, ZeroMissingFilesAndSampleHandlesChangeNothing) {
    EXPECT_EQ(createAudioStream("./no/such/track.mp3", true), 0u);
    EXPECT_EQ(loadAudioSample("./no/such/sample.mp3"), 0u);
    const uint32_t sample = loadAudioSample(kQuiet.c_str());
    EXPECT_NE(sample, 0u);

    for (uint32_t handle : {0u, sample, 12345u}) {
        EXPECT_FALSE(pauseAudioChannel(handle)) << handle;
        EXPECT_FALSE(playAudioChannel(handle)) << handle;
    }
    sleepSeconds(0.2);
    EXPECT_EQ(levels(stretchesOf(leftChannel())), std::vector<Level>({Silent}));
}

TEST(AudioWithoutOutput, EveryCallFailsHarmlessly) {
    // No output was opened in this process.
    EXPECT_EQ(createAudioStream(kRising.c_str(), true), 0u);
    EXPECT_EQ(loadAudioSample(kQuiet.c_str()), 0u);
    EXPECT_FALSE(pauseAudioChannel(0));
    EXPECT_FALSE(playAudioChannel(0));
}

}  // namespace
