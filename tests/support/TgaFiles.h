// Small TGA files built byte by byte in the tests, kept in a private folder
// that goes away with the fixture.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

struct TgaHeader {
    uint8_t idLength = 0;
    uint8_t colorMapType = 0;
    uint8_t imageType = 2;
    uint16_t colorMapFirstEntry = 0;
    uint16_t colorMapLength = 0;
    uint8_t colorMapEntrySize = 0;
    uint16_t xOrigin = 0;
    uint16_t yOrigin = 0;
    int16_t width = 1;
    int16_t height = 1;
    uint8_t pixelDepth = 24;
    uint8_t imageDescriptor = 0;
};

// The 18 header bytes (16-bit fields low byte first) followed by the body.
inline std::vector<uint8_t> tgaFile(const TgaHeader& h, const std::vector<uint8_t>& body) {
    auto low = [](int v) { return static_cast<uint8_t>(v & 0xFF); };
    auto high = [](int v) { return static_cast<uint8_t>((v >> 8) & 0xFF); };
    std::vector<uint8_t> bytes = {h.idLength,
                                  h.colorMapType,
                                  h.imageType,
                                  low(h.colorMapFirstEntry),
                                  high(h.colorMapFirstEntry),
                                  low(h.colorMapLength),
                                  high(h.colorMapLength),
                                  h.colorMapEntrySize,
                                  low(h.xOrigin),
                                  high(h.xOrigin),
                                  low(h.yOrigin),
                                  high(h.yOrigin),
                                  low(h.width),
                                  high(h.width),
                                  low(h.height),
                                  high(h.height),
                                  h.pixelDepth,
                                  h.imageDescriptor};
    bytes.insert(bytes.end(), body.begin(), body.end());
    return bytes;
}

class ScratchFolder {
  public:
    ScratchFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "vizidev-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr) {
            folder = pattern;
        }
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // Writes the bytes to a file of that name in the folder and returns its path.
    std::string write(const std::string& name, const std::vector<uint8_t>& bytes) const {
        const std::string path = (folder / name).string();
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        EXPECT_TRUE(out.good()) << "cannot write " << path;
        return path;
    }

    std::string path(const std::string& name) const { return (folder / name).string(); }

  private:
    std::filesystem::path folder;
};
