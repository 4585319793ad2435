#include "audio/SoundSystem.h"

#include <cstdio>

#include "audio/AudioOutput.h"

namespace {
const char* const kEffectPath = "./res/audio/batsqueak01.mp3";
const char* const kMusicPath = "./res/audio/msc_Didudevuvozivedez_VodE_Aquarium.mp3";
}  // namespace

SoundSystem& SoundSystem::instance() {
    static SoundSystem system;
    return system;
}

void SoundSystem::load() {
    std::printf("\nLoading sounds...");
    std::fflush(stdout);  // opening the output may take a moment
    openAudioOutput(44100);
    effectSample = loadAudioSample(kEffectPath);
    std::snprintf(trackPaths[0], kPathSize, "%s", kMusicPath);
    std::printf("done.");
    std::fflush(stdout);
}

int SoundSystem::playTrack(int track, bool loop) {
    if (track < 0 || track >= kTrackCount) {
        return 0;
    }
    const uint32_t previous = streams.empty() ? 0 : streams.back();
    const uint32_t stream = createAudioStream(trackPaths[track], loop);
    streams.push_back(stream);
    pauseAudioChannel(previous);
    return playAudioChannel(stream) ? 1 : 0;
}
