#include "RecordingAudioOutput.h"

#include "audio/AudioOutput.h"

std::vector<std::string> gAudioCalls;
uint32_t gNextStreamHandle = 101;

bool openAudioOutput(int frequency) {
    gAudioCalls.push_back("open " + std::to_string(frequency));
    return true;
}

uint32_t loadAudioSample(const char* path) {
    gAudioCalls.push_back(std::string("sample ") + path);
    return 7;
}

uint32_t createAudioStream(const char* path, bool loop) {
    gAudioCalls.push_back(std::string("stream ") + path + (loop ? " loop" : " once"));
    const uint32_t handle = gNextStreamHandle;
    if (handle != 0) {
        ++gNextStreamHandle;
    }
    return handle;
}

bool pauseAudioChannel(uint32_t channel) {
    gAudioCalls.push_back("pause " + std::to_string(channel));
    return channel != 0;
}

bool playAudioChannel(uint32_t channel) {
    gAudioCalls.push_back("play " + std::to_string(channel));
    return channel != 0;
}
