// The texture cache, and loadTexture in a real GL context: its console lines,
// the upload's parameters and pixels, and what it caches.
#include "render/TextureCache.h"

#include <GL/gl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "support/GlTestContext.h"
#include "support/TgaFiles.h"

namespace {

TEST(TextureCache, FindsTheOldestEntryWhosePathMatchesByteForByte) {
    TextureCache cache;
    EXPECT_EQ(cache.find("res/images/a.tga"), -1);

    char path[] = "res/images/a.tga";
    cache.add(path, 3);
    path[11] = 'A';  // the entry keeps its own copy
    cache.add(path, 5);
    cache.add("res/images/a.tga", 7);
    cache.add("failed.tga", 0);

    struct Case {
        const char* path;
        int id;
    };
    const Case cases[] = {{"res/images/a.tga", 3}, {"res/images/A.tga", 5},
                          {"res/images/a.tg", -1}, {"res/images/a.tga ", -1},
                          {"images/a.tga", -1},    {"./res/images/a.tga", -1},
                          {"failed.tga", 0},       {"", -1}};
    for (const Case& c : cases) {
        EXPECT_EQ(cache.find(c.path), c.id) << '"' << c.path << '"';
    }
    ASSERT_EQ(cache.entries.size(), 4u);
    EXPECT_EQ(cache.entries[1].path, "res/images/A.tga");
}

struct Load {
    int id;
    std::string output;
};

// Calls loadTexture with standard output sent to a file, and reads back what
// reached the file without flushing: text left in stdio's buffer is missing.
Load loadCapturing(const std::string& path, bool repeat = false) {
    fflush(stdout);
    const int saved = dup(STDOUT_FILENO);
    FILE* file = tmpfile();
    dup2(fileno(file), STDOUT_FILENO);

    Load load;
    load.id = loadTexture(path.c_str(), false, repeat);

    struct stat info = {};
    fstat(fileno(file), &info);
    load.output.resize(static_cast<size_t>(info.st_size));
    const ssize_t got = pread(fileno(file), load.output.data(), load.output.size(), 0);
    load.output.resize(got > 0 ? static_cast<size_t>(got) : 0);

    fflush(stdout);
    dup2(saved, STDOUT_FILENO);
    close(saved);
    fclose(file);
    return load;
}

GLint texParameter(GLenum name) {
    GLint value = -1;
    glGetTexParameteriv(GL_TEXTURE_2D, name, &value);
    return value;
}

GLint glInteger(GLenum name) {
    GLint value = -1;
    glGetIntegerv(name, &value);
    return value;
}

class LoadTextureTest : public ::testing::Test {
  protected:
    void SetUp() override {
        REQUIRE_GL_CONTEXT();
        gTextureCache.entries.clear();
        while (glGetError() != GL_NO_ERROR) {
        }
    }

    // A 2 by 3 picture, stored bottom row first; decoded top row first.
    std::string writeTrueColour(const std::string& name, uint8_t type, uint8_t depth) const {
        TgaHeader header;
        header.imageType = type;
        header.pixelDepth = depth;
        header.width = 2;
        header.height = 3;
        std::vector<uint8_t> body;
        if (type == 10) {
            body.push_back(0x05);
        }
        for (int y = 2; y >= 0; --y) {
            for (int x = 0; x < 2; ++x) {
                const uint8_t v = static_cast<uint8_t>(10 * y + x);
                body.insert(body.end(), {static_cast<uint8_t>(v + 2), static_cast<uint8_t>(v + 1),
                                         static_cast<uint8_t>(v + 0)});
                if (depth == 32) {
                    body.push_back(static_cast<uint8_t>(v + 3));
                }
            }
        }
        return folder.write(name, tgaFile(header, body));
    }

    static std::vector<uint8_t> expectedTexels(uint8_t depth) {
        std::vector<uint8_t> texels;
        for (int y = 0; y < 3; ++y) {
            for (int x = 0; x < 2; ++x) {
                const uint8_t v = static_cast<uint8_t>(10 * y + x);
                texels.insert(texels.end(),
                              {v, static_cast<uint8_t>(v + 1), static_cast<uint8_t>(v + 2),
                               depth == 32 ? static_cast<uint8_t>(v + 3) : uint8_t{255}});
            }
        }
        return texels;
    }

    std::string writeGrey(const std::string& name) const {
        TgaHeader header;
        header.imageType = 3;
        header.pixelDepth = 8;
        header.width = 2;
        header.height = 2;
        return folder.write(name, tgaFile(header, {1, 2, 3, 4}));
    }

    ScratchFolder folder;
};

TEST_F(LoadTextureTest, UploadsThePixelsWithClampOrRepeatAndLinearFilters) {
    struct Case {
        const char* name;
        uint8_t type;
        uint8_t depth;
        bool repeat;
        GLint wrap;
    };
    const Case cases[] = {{"rgb.tga", 2, 24, false, GL_CLAMP},
                          {"rgba.tga", 2, 32, true, GL_REPEAT},
                          {"rle.tga", 10, 32, false, GL_CLAMP}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = writeTrueColour(c.name, c.type, c.depth);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
        glBindTexture(GL_TEXTURE_2D, 0);

        const Load load = loadCapturing(path, c.repeat);
        EXPECT_GT(load.id, 0);
        EXPECT_EQ(load.output, "\nLoading texture " + path + "...2x3:4");
        EXPECT_EQ(glInteger(GL_TEXTURE_BINDING_2D), load.id);
        EXPECT_EQ(glInteger(GL_UNPACK_ALIGNMENT), 1);
        EXPECT_EQ(texParameter(GL_TEXTURE_WRAP_S), c.wrap);
        EXPECT_EQ(texParameter(GL_TEXTURE_WRAP_T), c.wrap);
        EXPECT_EQ(texParameter(GL_TEXTURE_MAG_FILTER), GL_LINEAR);
        EXPECT_EQ(texParameter(GL_TEXTURE_MIN_FILTER), GL_LINEAR);
        EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));

        GLint width = 0;
        GLint height = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
        EXPECT_EQ(width, 2);
        EXPECT_EQ(height, 3);
        std::vector<uint8_t> texels(2 * 3 * 4);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
        EXPECT_EQ(texels, expectedTexels(c.depth));
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

        EXPECT_EQ(gTextureCache.find(path.c_str()), load.id);
    }
    EXPECT_EQ(gTextureCache.entries.size(), 3u);
}

TEST_F(LoadTextureTest, CachedPathReturnsItsIdSilently) {
    const std::string path = writeTrueColour("cached.tga", 2, 24);
    const Load first = loadCapturing(path);
    ASSERT_GT(first.id, 0);
    glBindTexture(GL_TEXTURE_2D, 0);

    const Load again = loadCapturing(path, true);
    EXPECT_EQ(again.id, first.id);
    EXPECT_EQ(again.output, "");
    EXPECT_EQ(gTextureCache.entries.size(), 1u);
    EXPECT_EQ(glInteger(GL_TEXTURE_BINDING_2D), 0);  // nothing was uploaded
}

TEST_F(LoadTextureTest, ExtensionCaseIsIgnoredButPathsDifferingInCaseAreTwoTextures) {
    const std::string lower = writeTrueColour("sprite.tga", 2, 24);
    const std::string upper = writeTrueColour("sprite.TGA", 2, 24);
    const std::string mixed = writeTrueColour("Sprite.Tga", 2, 32);

    std::vector<int> ids;
    for (const std::string& path : {lower, upper, mixed}) {
        const Load load = loadCapturing(path);
        EXPECT_GT(load.id, 0) << path;
        EXPECT_EQ(load.output, "\nLoading texture " + path + "...2x3:4");
        ids.push_back(load.id);
    }
    EXPECT_NE(ids[0], ids[1]);
    EXPECT_NE(ids[0], ids[2]);
    EXPECT_NE(ids[1], ids[2]);
    ASSERT_EQ(gTextureCache.entries.size(), 3u);
    EXPECT_EQ(gTextureCache.entries[1].path, upper);
}

TEST_F(LoadTextureTest, FailedLoadsAreReportedEveryTimeAndNeverCached) {
    TgaHeader colourMapped;
    colourMapped.imageType = 1;
    colourMapped.pixelDepth = 8;
    const std::string unsupported = folder.write("mapped.tga", tgaFile(colourMapped, {0}));
    struct Case {
        std::string path;
        const char* outcome;
    };
    const Case cases[] = {{folder.path("missing.tga"), "cannot read."},
                          {unsupported, "cannot read."},
                          {writeGrey("grey.tga"), "incorrect bit depth."}};
    for (const Case& c : cases) {
        for (int attempt = 0; attempt < 2; ++attempt) {
            const Load load = loadCapturing(c.path);
            EXPECT_EQ(load.id, 0) << c.path;
            EXPECT_EQ(load.output, "\nLoading texture " + c.path + "..." + c.outcome);
        }
    }
    EXPECT_TRUE(gTextureCache.entries.empty());

    // Found once it exists: a failure is not remembered.
    const std::string late = writeTrueColour("missing.tga", 2, 24);
    const Load load = loadCapturing(late);
    EXPECT_GT(load.id, 0);
    EXPECT_EQ(load.output, "\nLoading texture " + late + "...2x3:4");
}

TEST_F(LoadTextureTest, OtherExtensionsAreRefusedWithoutOutput) {
    const char* names[] = {"image.png", "image.tga.bak", "image",
                           "image.tg",  "image.tgaa",    "image.tga "};
    for (const char* name : names) {
        const std::string path = writeTrueColour(name, 2, 24);  // a good image all the same
        const Load load = loadCapturing(path);
        EXPECT_EQ(load.id, 0) << name;
        EXPECT_EQ(load.output, "") << name;
    }
    // The last '.' decides, even when it belongs to a folder.
    std::filesystem::create_directory(folder.path("images.tga"));
    const std::string inFolder = writeTrueColour("images.tga/picture", 2, 24);
    const Load load = loadCapturing(inFolder);
    EXPECT_EQ(load.id, 0);
    EXPECT_EQ(load.output, "");
    EXPECT_TRUE(gTextureCache.entries.empty());
}

}  // namespace
