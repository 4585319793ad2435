#include "audio/SoundSystem.h"

SoundSystem& SoundSystem::instance() {
    static SoundSystem system;
    return system;
}

void SoundSystem::load() {}

int SoundSystem::playTrack(int, bool) {
    return 0;
}
