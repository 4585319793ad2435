// The audio output, one effect sample and the looping music.
#pragma once

#include <cstdint>
#include <vector>

class SoundSystem {
  public:
    static SoundSystem& instance();

    // Opens the output and loads the effect sample; prints its progress line
    // and "done." whatever the outcome.
    void load();

    // Pauses the newest stream and plays a new one of the given track; returns
    // whether it plays. A track outside the table changes nothing.
    int playTrack(int track, bool loop);

    static constexpr int kTrackCount = 1;
    static constexpr int kPathSize = 260;  // characters, the terminating NUL included

    std::vector<uint32_t> streams;  // every stream playTrack made, oldest first, 0 for a failed one
    uint32_t effectSample = 0;      // loaded, never played
    char trackPaths[kTrackCount][kPathSize] = {};
};
