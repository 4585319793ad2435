// One TGA image decoded into bytes that OpenGL takes as they are: RGBA for
// true-colour files, one grey byte per pixel for 8-bit files.
#pragma once

#include <cstdint>

class TgaImage {
  public:
    TgaImage() = default;
    ~TgaImage();
    TgaImage(const TgaImage&) = delete;
    TgaImage& operator=(const TgaImage&) = delete;

    // True when the record holds an image afterwards, also when it already
    // held one (the file is then not opened). flip false puts the image's top
    // row first in pixels, flip true its bottom row.
    bool read(const char* path, bool flip);

    // True if there was a buffer to release. Size and depth stay as they were.
    bool freePixels();

    // The 18-byte file header, in file order (16-bit fields low byte first).
    uint8_t idLength = 0;
    uint8_t colorMapType = 0;  // 1: a colour map follows the image ID
    uint8_t imageType = 0;     // 2 true-colour, 3 grey, 10 run-length true-colour
    uint16_t colorMapFirstEntry = 0;
    uint16_t colorMapLength = 0;    // entries
    uint8_t colorMapEntrySize = 0;  // bits per entry
    uint16_t xOrigin = 0;
    uint16_t yOrigin = 0;
    int16_t headerWidth = 0;      // px
    int16_t headerHeight = 0;     // px
    uint8_t pixelDepth = 0;       // bits per pixel in the file: 8, 24 or 32
    uint8_t imageDescriptor = 0;  // bit 5 set: the file stores the top row first

    int imageWidth = 0;               // px
    int imageHeight = 0;              // px
    int bitsPerPixel = 0;             // 8, or 32 for 24-bit and 32-bit files
    unsigned char* pixels = nullptr;  // rows packed, no padding; null while empty
};
