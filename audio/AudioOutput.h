// The game's audio layer: one output, samples loaded whole and streams decoded
// while they play. Every handle is a 32-bit value; 0 means failure, and 0 may
// be passed anywhere: the call then does nothing and returns false.
#pragma once

#include <cstdint>

// Opens the default output at the given rate (Hz), trying each of the
// system's sound drivers in turn, or only the one SDL_AUDIODRIVER names.
// False when no driver has a device: every later call then fails harmlessly.
bool openAudioOutput(int frequency);

// Loads a sound sample from a file, whole; 0 when the output is not open or
// the file cannot be read or decoded.
uint32_t loadAudioSample(const char* path);

// Opens a file as a stream that plays once, or with loop set repeats without
// end; it does not start. 0 when the output is not open or the file is bad.
uint32_t createAudioStream(const char* path, bool loop);

// Silences a playing stream; it keeps its place. False when it was not
// playing.
bool pauseAudioChannel(uint32_t channel);

// Plays a stream from where it stands: from its start when new or when a
// one-shot stream has ended, from its place when paused; a playing stream
// goes on undisturbed. One stream sounds at a time, so playing another one
// first pauses the one that sounds.
bool playAudioChannel(uint32_t channel);
