// Decoding TGA files built in the test: row order, run-length packets,
// skipped fields, refused and damaged files, and the record's ownership.
#include "render/TgaImage.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "support/TgaFiles.h"

namespace {

struct Rgba {
    uint8_t r, g, b, a;
};

// One pixel as the file stores it: grey byte, or B, G, R (, A).
void appendFilePixel(std::vector<uint8_t>& out, const Rgba& p, int depth) {
    if (depth == 8) {
        out.push_back(p.r);
        return;
    }
    out.insert(out.end(), {p.b, p.g, p.r});
    if (depth == 32) {
        out.push_back(p.a);
    }
}

// One pixel as the decoded buffer holds it: grey byte, or R, G, B, A with a
// 24-bit pixel made opaque.
void appendDecodedPixel(std::vector<uint8_t>& out, const Rgba& p, int depth) {
    if (depth == 8) {
        out.push_back(p.r);
        return;
    }
    out.insert(out.end(), {p.r, p.g, p.b, depth == 32 ? p.a : uint8_t{255}});
}

std::vector<uint8_t> decodedBytes(const TgaImage& image) {
    const size_t size = static_cast<size_t>(image.imageWidth) * image.imageHeight *
                        (image.bitsPerPixel == 8 ? 1 : 4);
    return std::vector<uint8_t>(image.pixels, image.pixels + size);
}

class TgaImageTest : public ::testing::Test {
  protected:
    ScratchFolder folder;
};

TEST_F(TgaImageTest, RowsFollowFlipAndDescriptorBit5InEveryFormat) {
    // A 3 by 2 picture, top row first; every byte differs.
    const int width = 3;
    const int height = 2;
    const Rgba picture[2][3] = {{{11, 12, 13, 14}, {21, 22, 23, 24}, {31, 32, 33, 34}},
                                {{41, 42, 43, 44}, {51, 52, 53, 54}, {61, 62, 63, 64}}};
    struct Format {
        const char* name;
        uint8_t type;
        uint8_t depth;
        int decodedBits;
    };
    const Format formats[] = {{"24-bit", 2, 24, 32},
                              {"32-bit", 2, 32, 32},
                              {"8-bit grey", 3, 8, 8},
                              {"8-bit true-colour", 2, 8, 8},
                              {"run-length 24-bit", 10, 24, 32},
                              {"run-length 32-bit", 10, 32, 32}};
    struct Orientation {
        uint8_t descriptor;
        bool flip;
    };
    const Orientation orientations[] = {{0x00, false}, {0x20, false}, {0x00, true}, {0x20, true}};

    for (const Format& format : formats) {
        for (const Orientation& o : orientations) {
            const bool topStoredFirst = (o.descriptor & 0x20) != 0;
            std::vector<uint8_t> body;
            if (format.type == 10) {
                body.push_back(width * height - 1);  // one raw packet for the whole picture
            }
            std::vector<uint8_t> expected;
            for (int i = 0; i < height; ++i) {
                const int fileRow = topStoredFirst ? i : height - 1 - i;
                const int bufferRow = o.flip ? height - 1 - i : i;
                for (int x = 0; x < width; ++x) {
                    appendFilePixel(body, picture[fileRow][x], format.depth);
                    appendDecodedPixel(expected, picture[bufferRow][x], format.depth);
                }
            }
            TgaHeader header;
            header.imageType = format.type;
            header.pixelDepth = format.depth;
            header.width = width;
            header.height = height;
            header.imageDescriptor = o.descriptor;
            const std::string path = folder.write("image.tga", tgaFile(header, body));

            const std::string label = std::string(format.name) + ", descriptor " +
                                      std::to_string(o.descriptor) +
                                      (o.flip ? ", flip" : ", no flip");
            TgaImage image;
            ASSERT_TRUE(image.read(path.c_str(), o.flip)) << label;
            EXPECT_EQ(image.imageWidth, width) << label;
            EXPECT_EQ(image.imageHeight, height) << label;
            EXPECT_EQ(image.bitsPerPixel, format.decodedBits) << label;
            EXPECT_EQ(decodedBytes(image), expected) << label;
        }
    }
}

TEST_F(TgaImageTest, RunLengthPacketsFillPixelsInOrderAcrossRowsAndStopAtTheLast) {
    const Rgba p{1, 2, 3, 4}, q{5, 6, 7, 8}, r{9, 10, 11, 12}, s{13, 14, 15, 16};
    const Rgba white{255, 255, 255, 255};
    struct Packet {
        uint8_t code;
        std::vector<Rgba> pixels;
    };
    struct Case {
        const char* name;
        int16_t width, height;
        uint8_t depth;
        std::vector<Packet> packets;
        std::vector<Rgba> expected;  // in file order
        size_t cutBytes;             // dropped from the end of the file
    };
    const Case cases[] = {
        {"run 0x83", 4, 1, 24, {{0x83, {p}}}, {p, p, p, p}, 0},
        {"raw 0x02", 3, 1, 24, {{0x02, {p, q, r}}}, {p, q, r}, 0},
        {"run across a row boundary",
         3,
         2,
         24,
         {{0x01, {p, q}}, {0x83, {r}}},
         {p, q, r, r, r, r},
         0},
        {"run keeps alpha", 2, 1, 32, {{0x81, {s}}}, {s, s}, 0},
        {"run past the last pixel", 2, 2, 24, {{0x01, {p, q}}, {0xFF, {r}}}, {p, q, r, r}, 0},
        {"raw past the last pixel", 2, 1, 32, {{0x04, {p, q, r, s, p}}}, {p, q}, 0},
        {"data ends inside a raw packet",
         2,
         2,
         32,
         {{0x03, {p, q, r, s}}},
         {p, {255, 255, 7, 255}, white, white},
         11},
        {"data ends before a packet", 3, 1, 24, {{0x00, {p}}}, {p, white, white}, 0},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> body;
        for (const Packet& packet : c.packets) {
            body.push_back(packet.code);
            for (const Rgba& pixel : packet.pixels) {
                appendFilePixel(body, pixel, c.depth);
            }
        }
        body.resize(body.size() - c.cutBytes);
        std::vector<uint8_t> expected;
        for (const Rgba& pixel : c.expected) {
            appendDecodedPixel(expected, pixel, c.depth);
        }
        TgaHeader header;
        header.imageType = 10;
        header.pixelDepth = c.depth;
        header.width = c.width;
        header.height = c.height;
        header.imageDescriptor = 0x20;  // top row first, so the buffer is in file order
        const std::string path = folder.write("packets.tga", tgaFile(header, body));

        TgaImage image;
        ASSERT_TRUE(image.read(path.c_str(), false)) << c.name;
        EXPECT_EQ(decodedBytes(image), expected) << c.name;
    }
}

TEST_F(TgaImageTest, ImageIdAndColourMapAreSteppedOver) {
    const std::vector<uint8_t> pixels = {1, 2, 3, 4, 5, 6};  // two 24-bit pixels
    TgaHeader plain;
    plain.width = 2;
    const std::string plainPath = folder.write("plain.tga", tgaFile(plain, pixels));
    TgaImage reference;
    ASSERT_TRUE(reference.read(plainPath.c_str(), false));
    const std::vector<uint8_t> expected = decodedBytes(reference);
    ASSERT_EQ(expected, (std::vector<uint8_t>{3, 2, 1, 255, 6, 5, 4, 255}));

    struct Case {
        const char* name;
        uint8_t idLength;
        uint8_t colorMapType;
        uint16_t colorMapLength;
        uint8_t colorMapEntrySize;
        size_t skippedBytes;
    };
    const Case cases[] = {
        {"5-byte image ID", 5, 0, 0, 0, 5},
        {"colour map of 3 24-bit entries", 0, 1, 3, 24, 9},
        {"colour map of 4 15-bit entries", 0, 1, 4, 15, 8},
        {"image ID and colour map", 5, 1, 2, 32, 13},
        {"map length without a colour map", 0, 0, 3, 24, 0},
    };
    for (const Case& c : cases) {
        TgaHeader header = plain;
        header.idLength = c.idLength;
        header.colorMapType = c.colorMapType;
        header.colorMapLength = c.colorMapLength;
        header.colorMapEntrySize = c.colorMapEntrySize;
        std::vector<uint8_t> body(c.skippedBytes, 0xAB);
        body.insert(body.end(), pixels.begin(), pixels.end());
        const std::string path = folder.write("skip.tga", tgaFile(header, body));

        TgaImage image;
        ASSERT_TRUE(image.read(path.c_str(), false)) << c.name;
        EXPECT_EQ(decodedBytes(image), expected) << c.name;
    }
}

TEST_F(TgaImageTest, UnsupportedOrSizelessFilesAreRefusedKeepingTheHeader) {
    struct Case {
        const char* name;
        uint8_t type;
        uint8_t depth;
        int16_t width, height;
    };
    const Case cases[] = {
        {"colour-mapped", 1, 8, 2, 2},
        {"run-length colour-mapped", 9, 8, 2, 2},
        {"run-length grey", 11, 8, 2, 2},
        {"no image data", 0, 24, 2, 2},
        {"15 bits", 2, 15, 2, 2},
        {"16 bits", 2, 16, 2, 2},
        {"run-length 16 bits", 10, 16, 2, 2},
        {"run-length 8 bits", 10, 8, 2, 2},
        {"zero width", 2, 24, 0, 2},
        {"zero height", 2, 24, 2, 0},
        {"negative width", 2, 24, -1, 2},
        {"height of -32768", 3, 8, 2, -32768},
    };
    for (const Case& c : cases) {
        TgaHeader header;
        header.imageType = c.type;
        header.pixelDepth = c.depth;
        header.width = c.width;
        header.height = c.height;
        header.xOrigin = 0x1234;
        const std::string path =
            folder.write("refused.tga", tgaFile(header, std::vector<uint8_t>(64, 7)));

        TgaImage image;
        EXPECT_FALSE(image.read(path.c_str(), false)) << c.name;
        EXPECT_EQ(image.pixels, nullptr) << c.name;
        EXPECT_EQ(image.imageType, c.type) << c.name;
        EXPECT_EQ(image.pixelDepth, c.depth) << c.name;
        EXPECT_EQ(image.headerWidth, c.width) << c.name;
        EXPECT_EQ(image.headerHeight, c.height) << c.name;
        EXPECT_EQ(image.xOrigin, 0x1234) << c.name;
        EXPECT_EQ(image.imageWidth, 0) << c.name;
        EXPECT_EQ(image.bitsPerPixel, 0) << c.name;
    }
}

TEST_F(TgaImageTest, BytesPastTheEndOfTheFileReadAsWhite) {
    // Ends before the depth byte: the depth reads as 255 and is refused.
    std::vector<uint8_t> shortHeader = tgaFile(TgaHeader{}, {});
    shortHeader.resize(16);
    TgaImage cut;
    EXPECT_FALSE(cut.read(folder.write("short.tga", shortHeader).c_str(), false));
    EXPECT_EQ(cut.pixelDepth, 255);
    EXPECT_EQ(cut.imageDescriptor, 255);
    EXPECT_EQ(cut.pixels, nullptr);

    // Pixel data that stops one byte into the second pixel.
    TgaHeader header;
    header.width = 2;
    header.height = 2;
    header.imageDescriptor = 0x20;
    TgaImage image;
    ASSERT_TRUE(
        image.read(folder.write("truncated.tga", tgaFile(header, {1, 2, 3, 4})).c_str(), false));
    EXPECT_EQ(decodedBytes(image), (std::vector<uint8_t>{3, 2, 1, 255, 255, 255, 4, 255,  //
                                                         255, 255, 255, 255, 255, 255, 255, 255}));
}

TEST_F(TgaImageTest, MissingFileLeavesTheRecordUntouched) {
    TgaImage image;
    EXPECT_FALSE(image.read(folder.path("absent.tga").c_str(), false));
    EXPECT_EQ(image.pixels, nullptr);
    EXPECT_EQ(image.imageType, 0);
    EXPECT_EQ(image.imageWidth, 0);
    EXPECT_EQ(image.bitsPerPixel, 0);
    EXPECT_FALSE(image.freePixels());
}

TEST_F(TgaImageTest, RecordHoldingPixelsIgnoresFurtherReadsUntilFreed) {
    TgaHeader first;
    first.width = 1;
    const std::string firstPath = folder.write("first.tga", tgaFile(first, {1, 2, 3}));
    TgaHeader second;
    second.imageType = 3;
    second.pixelDepth = 8;
    second.width = 2;
    second.imageDescriptor = 0x20;
    const std::string secondPath = folder.write("second.tga", tgaFile(second, {9, 8}));

    TgaImage image;
    ASSERT_TRUE(image.read(firstPath.c_str(), false));
    unsigned char* const held = image.pixels;
    for (const std::string& other : {secondPath, folder.path("absent.tga")}) {
        EXPECT_TRUE(image.read(other.c_str(), true)) << other;
        EXPECT_EQ(image.pixels, held);
        EXPECT_EQ(image.imageType, 2);
        EXPECT_EQ(image.imageDescriptor, 0);
        EXPECT_EQ(image.imageWidth, 1);
        EXPECT_EQ(image.bitsPerPixel, 32);
        EXPECT_EQ(decodedBytes(image), (std::vector<uint8_t>{3, 2, 1, 255}));
    }

    EXPECT_TRUE(image.freePixels());
    EXPECT_EQ(image.pixels, nullptr);
    EXPECT_EQ(image.imageWidth, 1);  // size and depth outlive the pixels
    EXPECT_EQ(image.bitsPerPixel, 32);
    EXPECT_FALSE(image.freePixels());

    ASSERT_TRUE(image.read(secondPath.c_str(), false));
    EXPECT_EQ(image.imageWidth, 2);
    EXPECT_EQ(image.bitsPerPixel, 8);
    EXPECT_EQ(decodedBytes(image), (std::vector<uint8_t>{9, 8}));
}

}  // namespace
