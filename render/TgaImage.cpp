// Decodes TGA files of types 2, 3 and 10 at 8, 24 and 32 bits per pixel.
#include "render/TgaImage.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

namespace {

constexpr size_t kBufferSize = 64 * 1024;  // bytes

// The bytes of an open file, read through a buffer of our own. Every byte
// past the end of the file, or after a read error, reads as 255, so a short
// file decodes to white where its data is missing.
class FileBytes {
  public:
    explicit FileBytes(FILE* file) : file(file) {}

    uint8_t get() {
        if (pos == length && !refill()) {
            return 255;
        }
        return buffer[pos++];
    }

    void read(uint8_t* out, size_t count) {
        while (count > 0) {
            if (pos == length) {
                // A large request skips the copy through the buffer.
                if (count >= kBufferSize && !ended) {
                    const size_t got = fread(out, 1, count, file);
                    ended = got < count;
                    out += got;
                    count -= got;
                    continue;
                }
                if (!refill()) {
                    memset(out, 255, count);
                    return;
                }
            }
            const size_t n = std::min(count, length - pos);
            memcpy(out, buffer + pos, n);
            pos += n;
            out += n;
            count -= n;
        }
    }

    void skip(size_t count) {
        while (count > 0) {
            if (pos == length && !refill()) {
                return;
            }
            const size_t n = std::min(count, length - pos);
            pos += n;
            count -= n;
        }
    }

  private:
    bool refill() {
        if (ended) {
            return false;
        }
        length = fread(buffer, 1, kBufferSize, file);
        pos = 0;
        ended = length == 0;
        return !ended;
    }

    FILE* file;
    uint8_t buffer[kBufferSize];
    size_t pos = 0;
    size_t length = 0;
    bool ended = false;
};

uint16_t get16(FileBytes& bytes) {
    const uint16_t low = bytes.get();
    return static_cast<uint16_t>(low | bytes.get() << 8);
}

// Hands out the rows of the pixel buffer in file order, bottom-up or top-down.
class RowCursor {
  public:
    RowCursor(unsigned char* pixels, int width, int height, int bytesPerPixel, bool reversed)
        : pixels(pixels),
          rowBytes(static_cast<size_t>(width) * bytesPerPixel),
          height(height),
          reversed(reversed) {}

    unsigned char* row(int fileRow) const {
        const int y = reversed ? height - 1 - fileRow : fileRow;
        return pixels + rowBytes * y;
    }

  private:
    unsigned char* pixels;
    size_t rowBytes;
    int height;
    bool reversed;
};

// File order B, G, R (, A) to R, G, B, A; 24-bit pixels become opaque.
void toRgba(const uint8_t* in, unsigned char* out, size_t count, int bytesPerPixel) {
    if (bytesPerPixel == 4) {
        for (size_t i = 0; i < count; ++i, in += 4, out += 4) {
            out[0] = in[2];
            out[1] = in[1];
            out[2] = in[0];
            out[3] = in[3];
        }
    } else {
        for (size_t i = 0; i < count; ++i, in += 3, out += 4) {
            out[0] = in[2];
            out[1] = in[1];
            out[2] = in[0];
            out[3] = 255;
        }
    }
}

void decodeUncompressed(FileBytes& bytes, const RowCursor& rows, int width, int height,
                        int fileBytesPerPixel) {
    const size_t w = static_cast<size_t>(width);
    if (fileBytesPerPixel == 1) {
        for (int r = 0; r < height; ++r) {
            bytes.read(rows.row(r), w);
        }
        return;
    }
    std::vector<uint8_t> fileRow(w * fileBytesPerPixel);
    for (int r = 0; r < height; ++r) {
        bytes.read(fileRow.data(), fileRow.size());
        toRgba(fileRow.data(), rows.row(r), w, fileBytesPerPixel);
    }
}

// Packets run across row boundaries; one that runs past the last pixel is cut
// short there.
void decodeRunLength(FileBytes& bytes, const RowCursor& rows, int width, int height,
                     int fileBytesPerPixel) {
    const size_t w = static_cast<size_t>(width);
    size_t remaining = w * static_cast<size_t>(height);
    int r = 0;
    size_t x = 0;
    unsigned char* row = rows.row(0);
    uint8_t filePixels[128 * 4];
    unsigned char rgba[128 * 4];

    while (remaining > 0) {
        const uint8_t packet = bytes.get();
        const size_t count = std::min<size_t>((packet & 0x7F) + 1, remaining);
        const bool isRun = (packet & 0x80) != 0;
        if (isRun) {
            bytes.read(filePixels, fileBytesPerPixel);
            toRgba(filePixels, rgba, 1, fileBytesPerPixel);
        } else {
            bytes.read(filePixels, count * fileBytesPerPixel);
            toRgba(filePixels, rgba, count, fileBytesPerPixel);
        }
        remaining -= count;

        size_t done = 0;
        while (done < count) {
            const size_t n = std::min(count - done, w - x);
            unsigned char* out = row + x * 4;
            if (isRun) {
                for (size_t i = 0; i < n; ++i, out += 4) {
                    memcpy(out, rgba, 4);
                }
            } else {
                memcpy(out, rgba + done * 4, n * 4);
            }
            done += n;
            x += n;
            if (x == w) {
                x = 0;
                if (++r < height) {
                    row = rows.row(r);
                }
            }
        }
    }
}

}  // namespace

TgaImage::~TgaImage() {
    freePixels();
}

bool TgaImage::read(const char* path, bool flip) {
    if (pixels != nullptr) {
        return true;
    }
    FILE* file = fopen(path, "rb");
    if (file == nullptr) {
        return false;
    }
    // Our own buffer does the buffering; a second one in stdio only copies.
    setvbuf(file, nullptr, _IONBF, 0);
    FileBytes bytes(file);

    idLength = bytes.get();
    colorMapType = bytes.get();
    imageType = bytes.get();
    colorMapFirstEntry = get16(bytes);
    colorMapLength = get16(bytes);
    colorMapEntrySize = bytes.get();
    xOrigin = get16(bytes);
    yOrigin = get16(bytes);
    headerWidth = static_cast<int16_t>(get16(bytes));
    headerHeight = static_cast<int16_t>(get16(bytes));
    pixelDepth = bytes.get();
    imageDescriptor = bytes.get();

    const bool knownType = imageType == 2 || imageType == 3 || imageType == 10;
    const bool knownDepth = pixelDepth == 8 || pixelDepth == 24 || pixelDepth == 32;
    // Run-length decoding writes four bytes a pixel, too many for a grey buffer.
    const bool greyRunLength = imageType == 10 && pixelDepth == 8;
    const bool hasArea = headerWidth > 0 && headerHeight > 0;
    if (!knownType || !knownDepth || greyRunLength || !hasArea) {
        fclose(file);
        return false;
    }

    bytes.skip(idLength);
    if (colorMapType == 1) {
        bytes.skip(static_cast<size_t>(colorMapLength) * ((colorMapEntrySize + 7) / 8));
    }

    const int width = headerWidth;
    const int height = headerHeight;
    const int fileBytesPerPixel = pixelDepth / 8;
    const int bytesPerPixel = pixelDepth == 8 ? 1 : 4;
    // At most 32767 x 32767 x 4 bytes; only a 32-bit size_t can overflow.
    const size_t pixelCount = static_cast<size_t>(width) * static_cast<size_t>(height);
    if (pixelCount > SIZE_MAX / 4) {
        fclose(file);
        return false;
    }
    unsigned char* decoded = new (std::nothrow) unsigned char[pixelCount * bytesPerPixel];
    if (decoded == nullptr) {
        fclose(file);
        return false;
    }

    // The file stores the top row first when bit 5 is set; flip asks for the
    // bottom row first. Rows go straight to their final place.
    const bool topFirstInFile = (imageDescriptor & 0x20) != 0;
    const RowCursor rows(decoded, width, height, bytesPerPixel, flip == topFirstInFile);
    if (imageType == 10) {
        decodeRunLength(bytes, rows, width, height, fileBytesPerPixel);
    } else {
        decodeUncompressed(bytes, rows, width, height, fileBytesPerPixel);
    }
    fclose(file);

    pixels = decoded;
    imageWidth = width;
    imageHeight = height;
    bitsPerPixel = pixelDepth == 8 ? 8 : 32;
    return true;
}

bool TgaImage::freePixels() {
    if (pixels == nullptr) {
        return false;
    }
    delete[] pixels;
    pixels = nullptr;
    return true;
}
