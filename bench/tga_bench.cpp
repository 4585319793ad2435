// Decoding time of TgaImage::read next to stb_image on the same 2048 by 2048
// 24-bit files, uncompressed and run-length, written to a temp folder at start.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "render/TgaImage.h"

namespace {

constexpr int kSize = 2048;  // px, both ways

// Flat 16-pixel blocks with patches of noise, so that the run-length file
// holds both run and raw packets, as painted textures do.
std::vector<uint8_t> pictureBgr() {
    std::vector<uint8_t> bgr;
    bgr.reserve(static_cast<size_t>(kSize) * kSize * 3);
    uint32_t noise = 12345;
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            if ((x / 64 + y / 64) % 3 == 0) {
                noise = noise * 1664525u + 1013904223u;
                bgr.insert(bgr.end(),
                           {static_cast<uint8_t>(noise >> 8), static_cast<uint8_t>(noise >> 16),
                            static_cast<uint8_t>(noise >> 24)});
            } else {
                bgr.insert(bgr.end(), {static_cast<uint8_t>((x >> 4) * 37),
                                       static_cast<uint8_t>((y >> 4) * 11),
                                       static_cast<uint8_t>((x >> 4) ^ (y >> 4))});
            }
        }
    }
    return bgr;
}

std::vector<uint8_t> header(uint8_t type) {
    return {0,          0,  type, 0, 0, 0, 0, 0, 0, 0, 0, 0, kSize & 0xFF, kSize >> 8, kSize & 0xFF,
            kSize >> 8, 24, 0};
}

bool samePixel(const uint8_t* a, const uint8_t* b) {
    return a[0] == b[0] && a[1] == b[1] && a[2] == b[2];
}

// Greedy: two or more equal pixels make a run packet, anything else raw ones.
std::vector<uint8_t> runLength(const std::vector<uint8_t>& bgr) {
    std::vector<uint8_t> out;
    const size_t count = bgr.size() / 3;
    size_t i = 0;
    while (i < count) {
        size_t run = 1;
        while (i + run < count && run < 128 && samePixel(&bgr[3 * i], &bgr[3 * (i + run)])) {
            ++run;
        }
        if (run >= 2) {
            out.push_back(static_cast<uint8_t>(0x80 | (run - 1)));
            out.insert(out.end(), &bgr[3 * i], &bgr[3 * i] + 3);
            i += run;
            continue;
        }
        size_t raw = 1;
        while (i + raw < count && raw < 128 &&
               !(i + raw + 1 < count && samePixel(&bgr[3 * (i + raw)], &bgr[3 * (i + raw + 1)]))) {
            ++raw;
        }
        out.push_back(static_cast<uint8_t>(raw - 1));
        out.insert(out.end(), &bgr[3 * i], &bgr[3 * (i + raw)]);
        i += raw;
    }
    return out;
}

void writeFile(const std::string& path, const std::vector<uint8_t>& head,
               const std::vector<uint8_t>& body) {
    FILE* file = fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return;
    }
    fwrite(head.data(), 1, head.size(), file);
    fwrite(body.data(), 1, body.size(), file);
    fclose(file);
}

class BenchFiles {
  public:
    BenchFiles() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "tga-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            return;
        }
        folder = pattern;
        const std::vector<uint8_t> bgr = pictureBgr();
        raw = (folder / "raw24.tga").string();
        rle = (folder / "rle24.tga").string();
        writeFile(raw, header(2), bgr);
        writeFile(rle, header(10), runLength(bgr));
    }
    ~BenchFiles() {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }

    std::filesystem::path folder;
    std::string raw;
    std::string rle;
};

const BenchFiles& files() {
    static const BenchFiles instance;
    return instance;
}

const std::string& pathOf(bool runLengthFile) {
    return runLengthFile ? files().rle : files().raw;
}

void setCounters(benchmark::State& state, bool runLengthFile) {
    state.SetBytesProcessed(
        static_cast<int64_t>(state.iterations()) *
        static_cast<int64_t>(std::filesystem::file_size(pathOf(runLengthFile))));
    state.counters["pixels/s"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * kSize * kSize, benchmark::Counter::kIsRate);
}

// Both decoders must give the same RGBA bytes, or the times compare nothing.
bool decodersAgree(const std::string& path) {
    TgaImage image;
    int width = 0;
    int height = 0;
    int channels = 0;
    stbi_uc* reference = stbi_load(path.c_str(), &width, &height, &channels, 4);
    const bool agree =
        image.read(path.c_str(), false) && reference != nullptr && width == image.imageWidth &&
        height == image.imageHeight &&
        std::equal(reference, reference + static_cast<size_t>(width) * height * 4, image.pixels);
    stbi_image_free(reference);
    return agree;
}

void tgaImageRead(benchmark::State& state, bool runLengthFile) {
    const std::string& path = pathOf(runLengthFile);
    if (!decodersAgree(path)) {
        state.SkipWithError("TgaImage and stb_image decode differently");
        return;
    }
    for (auto _ : state) {
        TgaImage image;
        if (!image.read(path.c_str(), false)) {
            state.SkipWithError("TgaImage::read failed");
            break;
        }
        benchmark::DoNotOptimize(image.pixels);
    }
    setCounters(state, runLengthFile);
}

void stbiLoad(benchmark::State& state, bool runLengthFile) {
    const std::string& path = pathOf(runLengthFile);
    for (auto _ : state) {
        int width = 0;
        int height = 0;
        int channels = 0;
        stbi_uc* pixels = stbi_load(path.c_str(), &width, &height, &channels, 4);
        if (pixels == nullptr) {
            state.SkipWithError("stbi_load failed");
            break;
        }
        benchmark::DoNotOptimize(pixels);
        stbi_image_free(pixels);
    }
    setCounters(state, runLengthFile);
}

}  // namespace

BENCHMARK_CAPTURE(tgaImageRead, raw24, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(stbiLoad, raw24, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(tgaImageRead, rle24, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(stbiLoad, rle24, true)->Unit(benchmark::kMillisecond);
