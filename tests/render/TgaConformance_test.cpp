// TGA files written by other programs (GIMP and others), each decoded to match
// its reference picture or refused, as the folder's README lists them.
#include <gtest/gtest.h>

#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "render/TgaImage.h"

namespace {

const std::string kFolder = std::string(VIZIDEV_SOURCE_DIR) + "/tests/render/tga-conformance/";

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> bytes;
};

// Decoded by stb_image, top row first, with the given bytes per pixel.
Picture referencePicture(const std::string& file, int channels) {
    Picture picture;
    int fileChannels = 0;
    stbi_uc* data = stbi_load((kFolder + file).c_str(), &picture.width, &picture.height,
                              &fileChannels, channels);
    if (data != nullptr) {
        picture.bytes.assign(data,
                             data + static_cast<size_t>(picture.width) * picture.height * channels);
        stbi_image_free(data);
    }
    return picture;
}

std::vector<uint8_t> rowsReversed(const Picture& picture, int channels) {
    const size_t rowBytes = static_cast<size_t>(picture.width) * channels;
    std::vector<uint8_t> out;
    for (int y = picture.height - 1; y >= 0; --y) {
        const auto row = picture.bytes.begin() + static_cast<std::ptrdiff_t>(rowBytes * y);
        out.insert(out.end(), row, row + static_cast<std::ptrdiff_t>(rowBytes));
    }
    return out;
}

struct Case {
    const char* file;
    const char* reference;  // null: the reader refuses the file
    int bitsPerPixel;
    bool upsideDown = false;  // the reference picture's rows in reverse order
};

// Files without a PNG of their own are compared with stb_image's reading of
// a TGA. The top-right file holds the bytes of rgb32rle.tga under descriptor
// 0x30: bit 5 turns its rows over, bit 4 mirrors nothing.
const Case kCases[] = {
    {"200x32_rgb_bl_raw.tga", "200x32_rgb.png", 32},
    {"200x32_rgb_bl_rle.tga", "200x32_rgb.png", 32},
    {"200x32_rgb_tl_raw.tga", "200x32_rgb.png", 32},
    {"200x32_rgb_tl_rle.tga", "200x32_rgb.png", 32},
    {"200x32_rgba_bl_raw.tga", "200x32_rgba.png", 32},
    {"200x32_rgba_bl_rle.tga", "200x32_rgba.png", 32},
    {"200x32_rgba_tl_raw.tga", "200x32_rgba.png", 32},
    {"200x32_rgba_tl_rle.tga", "200x32_rgba.png", 32},
    {"tga_id_field.tga", "tga_id_field.tga", 32},
    {"rgb32rle.tga", "rgb32rle.tga", 32},
    {"rgb32rle_top_right.tga", "rgb32rle.tga", 32, true},
    {"1x1_l_bl_raw.tga", "1x1_l.png", 8},
    {"1x1_l_tl_raw.tga", "1x1_l.png", 8},
    {"200x32_l_bl_raw.tga", "200x32_l.png", 8},
    {"200x32_l_tl_raw.tga", "200x32_l.png", 8},
    {"1x1_l_bl_rle.tga", nullptr, 0},
    {"1x1_l_tl_rle.tga", nullptr, 0},
    {"200x32_l_bl_rle.tga", nullptr, 0},
    {"200x32_l_tl_rle.tga", nullptr, 0},
    {"cross_scan_line.tga", nullptr, 0},
    {"la.tga", nullptr, 0},
    {"200x32_la_bl_raw.tga", nullptr, 0},
    {"200x32_la_tl_raw.tga", nullptr, 0},
    {"200x32_la_bl_rle.tga", nullptr, 0},
    {"200x32_la_tl_rle.tga", nullptr, 0},
    {"200x32_p_bl_raw.tga", nullptr, 0},
    {"200x32_p_bl_rle.tga", nullptr, 0},
    {"200x32_p_tl_raw.tga", nullptr, 0},
    {"200x32_p_tl_rle.tga", nullptr, 0},
    {"p_16.tga", nullptr, 0},
    {"cross_scan_line_truncated.tga", nullptr, 0},
    {"rgba16.tga", nullptr, 0},
};

TEST(TgaConformance, EveryFileIsDecodedLikeItsReferenceOrRefused) {
    std::set<std::string> listed;
    for (const Case& c : kCases) {
        listed.insert(c.file);
    }
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(kFolder, error)) {
        if (entry.path().extension() == ".tga") {
            EXPECT_EQ(listed.count(entry.path().filename().string()), 1u)
                << entry.path() << " has no case";
        }
    }
    ASSERT_FALSE(error) << "cannot list " << kFolder << ": " << error.message();

    for (const Case& c : kCases) {
        const std::string path = kFolder + c.file;
        for (const bool flip : {false, true}) {
            SCOPED_TRACE(std::string(c.file) + (flip ? ", flip" : ", no flip"));
            TgaImage image;
            if (c.reference == nullptr) {
                EXPECT_FALSE(image.read(path.c_str(), flip));
                EXPECT_EQ(image.pixels, nullptr);
                continue;
            }
            ASSERT_TRUE(image.read(path.c_str(), flip));
            const int channels = c.bitsPerPixel / 8;
            const Picture reference = referencePicture(c.reference, channels);
            ASSERT_FALSE(reference.bytes.empty()) << "stb_image cannot read " << c.reference;
            EXPECT_EQ(image.bitsPerPixel, c.bitsPerPixel);
            ASSERT_EQ(image.imageWidth, reference.width);
            ASSERT_EQ(image.imageHeight, reference.height);
            const std::vector<uint8_t> decoded(image.pixels, image.pixels + reference.bytes.size());
            const std::vector<uint8_t> expected =
                flip != c.upsideDown ? rowsReversed(reference, channels) : reference.bytes;
            // Not EXPECT_EQ on the vectors: a mismatch would print kilobytes.
            const auto mismatch = std::mismatch(decoded.begin(), decoded.end(), expected.begin());
            EXPECT_TRUE(mismatch.first == decoded.end())
                << "first differing byte at " << (mismatch.first - decoded.begin());
        }
    }
}

}  // namespace
