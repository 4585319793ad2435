// The calls SoundSystem makes into the audio layer, recorded by a stand-in
// linked in place of the real layer (see tests/CMakeLists.txt).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RecordingAudioOutput.h"
#include "audio/SoundSystem.h"

namespace {

const std::string kMusic = "./res/audio/msc_Didudevuvozivedez_VodE_Aquarium.mp3";

using Calls = std::vector<std::string>;

class SoundSystemCalls : public ::testing::Test {
  protected:
    void SetUp() override {
        gAudioCalls.clear();
        gNextStreamHandle = 101;
    }

    // Runs load with stdout captured and returns what it printed.
    static std::string loadPrinting(SoundSystem& sound) {
        testing::internal::CaptureStdout();
        sound.load();
        return testing::internal::GetCapturedStdout();
    }
};

TEST_F(SoundSystemCalls, StartUpOpensLoadsAndPlaysTheLoopingMusic) {
    SoundSystem sound;
    EXPECT_EQ(loadPrinting(sound), "\nLoading sounds...done.");
    EXPECT_EQ(sound.effectSample, 7u);
    EXPECT_EQ(std::string(sound.trackPaths[0]), kMusic);
    EXPECT_EQ(std::string(sound.trackPaths[0]).size() + 1, 52u);

    EXPECT_EQ(sound.playTrack(0, true), 1);
    const Calls expected = {
        "open 44100", "sample ./res/audio/batsqueak01.mp3", "stream " + kMusic + " loop",
        "pause 0",  // no stream before this one
        "play 101",
    };
    EXPECT_EQ(gAudioCalls, expected);
    EXPECT_EQ(sound.streams, std::vector<uint32_t>({101}));
}

TEST_F(SoundSystemCalls, SecondTrackPausesTheFirstAndPlaysTheNew) {
    SoundSystem sound;
    loadPrinting(sound);
    sound.playTrack(0, true);
    gAudioCalls.clear();

    EXPECT_EQ(sound.playTrack(0, false), 1);
    const Calls expected = {"stream " + kMusic + " once", "pause 101", "play 102"};
    EXPECT_EQ(gAudioCalls, expected);
    EXPECT_EQ(sound.streams, std::vector<uint32_t>({101, 102}));
}

TEST_F(SoundSystemCalls, MissingMusicKeepsHandleZeroAndGoesOnQuietly) {
    gNextStreamHandle = 0;  // the file cannot be opened
    SoundSystem sound;
    EXPECT_EQ(loadPrinting(sound), "\nLoading sounds...done.");
    EXPECT_EQ(sound.playTrack(0, true), 0);
    EXPECT_EQ(sound.playTrack(0, true), 0);

    const Calls tail(gAudioCalls.end() - 6, gAudioCalls.end());
    const Calls expected = {
        "stream " + kMusic + " loop", "pause 0", "play 0",
        "stream " + kMusic + " loop", "pause 0", "play 0",
    };
    EXPECT_EQ(tail, expected);
    EXPECT_EQ(sound.streams, std::vector<uint32_t>({0, 0}));
}

TEST_F(SoundSystemCalls, TrackOutsideTheTableChangesNothing) {
    SoundSystem sound;
    loadPrinting(sound);
    sound.playTrack(0, true);
    gAudioCalls.clear();

    for (int track : {-1, 1, 1000}) {
        EXPECT_EQ(sound.playTrack(track, true), 0) << track;
    }
    EXPECT_EQ(gAudioCalls, Calls{});
    EXPECT_EQ(sound.streams, std::vector<uint32_t>({101}));
}

}  // namespace
