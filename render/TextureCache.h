// OpenGL textures made from TGA files, each remembered under the path it was
// loaded from so that asking again costs nothing.
#pragma once

#include <string>
#include <vector>

struct TextureCacheEntry {
    std::string path;  // exactly as passed to loadTexture
    int id = 0;        // the OpenGL texture name
};

class TextureCache {
  public:
    // The id of the oldest entry whose path equals this one byte for byte,
    // or -1 when there is none.
    int find(const char* path) const;
    void add(const char* path, int id);

    std::vector<TextureCacheEntry> entries;  // oldest first, only ever appended
};

extern TextureCache gTextureCache;

// The texture name for a .tga file (any case), or 0 when it cannot be made.
// Needs a current GL context; leaves the new texture bound to GL_TEXTURE_2D and
// the unpack alignment at 1. Prints one progress line per load attempt.
int loadTexture(const char* path, bool flip, bool repeat);
