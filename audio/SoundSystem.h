// The audio output, one effect sample and the looping music.
#pragma once

class SoundSystem {
public:
    static SoundSystem& instance();

    void load();
    int playTrack(int track, bool loop);
};
