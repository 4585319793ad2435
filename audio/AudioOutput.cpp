// The audio layer on SDL2_mixer. Samples are Mix_Chunks, decoded whole. Streams
// are Mix_Music, decoded as they play; the mixer has a single music slot, so
// the stream that holds it is the one that sounds, and a stream that gives it
// up keeps its position to resume from.
#include "audio/AudioOutput.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

// Handles carry their kind in the top byte, so a sample handle is never taken
// for a stream; the rest is the table index plus one.
const uint32_t kKindMask = 0xff000000u;
const uint32_t kSampleKind = 0x01000000u;
const uint32_t kStreamKind = 0x02000000u;
const size_t kMaxPerKind = 0x00ffffffu;

struct AudioStream {
    Mix_Music* music;
    bool loop;
    double resumeAt;  // seconds into the file, where the next play starts
};

bool gOutputOpen = false;
std::vector<Mix_Chunk*> gSamples;
std::vector<AudioStream> gStreams;
uint32_t gSounding = 0;  // the stream that holds the music slot, or 0

uint32_t makeHandle(uint32_t kind, size_t index) {
    return kind | static_cast<uint32_t>(index + 1);
}

AudioStream* findStream(uint32_t channel) {
    if ((channel & kKindMask) != kStreamKind) {
        return nullptr;
    }
    const uint32_t number = channel & ~kKindMask;
    if (number == 0 || number > gStreams.size()) {
        return nullptr;
    }
    return &gStreams[number - 1];
}

// Without a sound card ALSA alone prints a dozen lines while SDL tries it; the
// game runs on in silence then, and none of it helps a player. Points stderr
// at /dev/null and returns the descriptor to restore it from, or -1.
int muteStderr() {
    std::fflush(stderr);
    const int saved = dup(STDERR_FILENO);
    const int null = open("/dev/null", O_WRONLY);
    if (saved < 0 || null < 0) {
        if (saved >= 0) {
            close(saved);
        }
        if (null >= 0) {
            close(null);
        }
        return -1;
    }
    dup2(null, STDERR_FILENO);
    close(null);
    return saved;
}

void restoreStderr(int saved) {
    if (saved < 0) {
        return;
    }
    std::fflush(stderr);
    dup2(saved, STDERR_FILENO);
    close(saved);
}

// Opens the mixer on whichever driver SDL's audio hint names (SDL_AUDIODRIVER
// in the environment overrides the hint).
bool openOnCurrentDriver(int frequency) {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        return false;
    }
    if (Mix_OpenAudio(frequency, MIX_DEFAULT_FORMAT, 2, 2048) == 0) {
        return true;
    }
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
}

// SDL settles on the first driver that starts, even when it then has no
// device to open; so each one is tried through to an open device. The file
// and silent drivers are left out: they only serve when asked for by name.
bool openOnFirstWorkingDriver(int frequency) {
    const int saved = muteStderr();
    bool opened = false;
    const int count = SDL_GetNumAudioDrivers();
    for (int i = 0; i < count && !opened; ++i) {
        const char* driver = SDL_GetAudioDriver(i);
        if (std::strcmp(driver, "disk") == 0 || std::strcmp(driver, "dummy") == 0) {
            continue;
        }
        SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, driver, SDL_HINT_OVERRIDE);
        opened = openOnCurrentDriver(frequency);
    }
    restoreStderr(saved);
    return opened;
}

}  // namespace

bool openAudioOutput(int frequency) {
    if (gOutputOpen) {
        return true;
    }
    // SDL's audio starts its event queue, which would catch SIGINT and SIGTERM
    // for a queue the game never reads: the game could no longer be stopped.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    const char* chosen = std::getenv("SDL_AUDIODRIVER");
    if (chosen != nullptr && chosen[0] != '\0') {
        gOutputOpen = openOnCurrentDriver(frequency);
    } else {
        gOutputOpen = openOnFirstWorkingDriver(frequency);
    }
    return gOutputOpen;
}

uint32_t loadAudioSample(const char* path) {
    if (!gOutputOpen || path == nullptr || gSamples.size() == kMaxPerKind) {
        return 0;
    }
    Mix_Chunk* chunk = Mix_LoadWAV(path);
    if (chunk == nullptr) {
        return 0;
    }
    gSamples.push_back(chunk);
    return makeHandle(kSampleKind, gSamples.size() - 1);
}

uint32_t createAudioStream(const char* path, bool loop) {
    if (!gOutputOpen || path == nullptr || gStreams.size() == kMaxPerKind) {
        return 0;
    }
    Mix_Music* music = Mix_LoadMUS(path);
    if (music == nullptr) {
        return 0;
    }
    gStreams.push_back({music, loop, 0.0});
    return makeHandle(kStreamKind, gStreams.size() - 1);
}

bool pauseAudioChannel(uint32_t channel) {
    if (findStream(channel) == nullptr || channel != gSounding) {
        return false;
    }
    if (!Mix_PlayingMusic() || Mix_PausedMusic()) {
        return false;
    }
    Mix_PauseMusic();
    return true;
}

bool playAudioChannel(uint32_t channel) {
    AudioStream* stream = findStream(channel);
    if (stream == nullptr) {
        return false;
    }
    // A stream that still holds the slot goes on from where the mixer has it.
    if (channel == gSounding && Mix_PlayingMusic()) {
        if (Mix_PausedMusic()) {
            Mix_ResumeMusic();
        }
        return true;
    }
    if (channel == gSounding) {
        stream->resumeAt = 0.0;  // a one-shot stream that ran to its end
    } else if (AudioStream* previous = findStream(gSounding)) {
        // Only one stream sounds at a time: the one in the slot gives it up
        // and keeps its place.
        const double position = Mix_PlayingMusic() ? Mix_GetMusicPosition(previous->music) : 0.0;
        previous->resumeAt = position > 0.0 ? position : 0.0;
        Mix_HaltMusic();
    }
    gSounding = 0;
    const int loops = stream->loop ? -1 : 1;
    if (Mix_FadeInMusicPos(stream->music, loops, 0, stream->resumeAt) != 0) {
        return false;
    }
    gSounding = channel;
    return true;
}
