// Loads TGA files into OpenGL textures and keeps them for the whole run.
#include "render/TextureCache.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cassert>
#include <cstdio>
#include <cstring>

#include "render/TgaImage.h"

TextureCache gTextureCache;

int TextureCache::find(const char* path) const {
    for (const TextureCacheEntry& entry : entries) {
        if (entry.path == path) {
            return entry.id;
        }
    }
    return -1;
}

void TextureCache::add(const char* path, int id) {
    entries.push_back(TextureCacheEntry{path, id});
}

namespace {

// ASCII only, whatever the locale says.
bool hasTgaExtension(const char* path) {
    const char* dot = strrchr(path, '.');
    if (dot == nullptr || strlen(dot) != 4) {
        return false;
    }
    const char* wanted = ".tga";
    for (int i = 0; i < 4; ++i) {
        char c = dot[i];
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
        if (c != wanted[i]) {
            return false;
        }
    }
    return true;
}

// The outcome ends the progress line; flushed so it shows at once even when
// standard output is a file or a pipe.
int finishLine(int result, const char* outcome) {
    fputs(outcome, stdout);
    fflush(stdout);
    return result;
}

}  // namespace

int loadTexture(const char* path, bool flip, bool repeat) {
    assert(path != nullptr);
    if (path == nullptr || !hasTgaExtension(path)) {
        return 0;
    }
    const int cached = gTextureCache.find(path);
    if (cached > 0) {
        return cached;
    }

    printf("\nLoading texture %s...", path);
    TgaImage image;
    if (!image.read(path, flip)) {
        image.freePixels();
        return finishLine(0, "cannot read.");
    }
    if (image.bitsPerPixel != 32) {
        image.freePixels();
        return finishLine(0, "incorrect bit depth.");
    }

    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    GLuint id = 0;
    glGenTextures(1, &id);
    glBindTexture(GL_TEXTURE_2D, id);
    gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGBA, image.imageWidth, image.imageHeight, GL_RGBA,
                      GL_UNSIGNED_BYTE, image.pixels);
    const GLint wrap = repeat ? GL_REPEAT : GL_CLAMP;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrap);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrap);
    // Linear, not mipmapped: the levels built above are never sampled.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, image.imageWidth, image.imageHeight, 0, GL_RGBA,
                 GL_UNSIGNED_BYTE, image.pixels);
    image.freePixels();

    printf("%dx%d:%d", image.imageWidth, image.imageHeight, 4);
    fflush(stdout);
    const int texture = static_cast<int>(id);
    gTextureCache.add(path, texture);
    return texture;
}
