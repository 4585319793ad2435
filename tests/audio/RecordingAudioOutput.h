// A stand-in for the audio layer, linked in place of the real one: it records
// every call with its arguments and hands out handles without touching a
// sound device.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Calls in order, e.g. "open 44100", "stream ./a.mp3 loop", "pause 0".
extern std::vector<std::string> gAudioCalls;

// The handle the next createAudioStream returns; 0 plays a file that is
// missing. Each successful call moves it on by one.
extern uint32_t gNextStreamHandle;
