#include "support/TestImages.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "app/World.h"
#include "view/Camera.h"

bool sameColour(Rgba a, Rgba b) {
    const int tolerance = 3;
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
           std::abs(a.b - b.b) <= tolerance;
}

std::ostream& operator<<(std::ostream& out, Rgba p) {
    return out << "(" << int(p.r) << ", " << int(p.g) << ", " << int(p.b) << ", " << int(p.a)
               << ")";
}

void writeTga(const std::string& path, int width, int height, const std::vector<Rgba>& pixels,
              bool topDown, int bitsPerPixel) {
    TgaHeader header;
    header.width = static_cast<int16_t>(width);
    header.height = static_cast<int16_t>(height);
    header.pixelDepth = static_cast<uint8_t>(bitsPerPixel);
    header.imageDescriptor = topDown ? 0x20 : 0x00;
    std::vector<uint8_t> body;
    for (int row = 0; row < height; ++row) {
        const int source = topDown ? row : height - 1 - row;
        for (int col = 0; col < width; ++col) {
            const Rgba& p = pixels[static_cast<size_t>(source * width + col)];
            body.insert(body.end(), {p.b, p.g, p.r});
            if (bitsPerPixel == 32) {
                body.push_back(p.a);
            }
        }
    }
    const std::vector<uint8_t> bytes = tgaFile(header, body);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

WorkingFolder::WorkingFolder() : previous_(std::filesystem::current_path().string()) {
    std::filesystem::create_directories(scratch_.path("res/images"));
    std::filesystem::current_path(scratch_.path(""));
}

WorkingFolder::~WorkingFolder() {
    std::error_code ignored;
    std::filesystem::current_path(previous_, ignored);
}

std::string WorkingFolder::image(const std::string& name) const {
    return scratch_.path("res/images/" + name);
}

Rgba readPixel(int x, int y) {
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    uint8_t p[4] = {};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(x, viewport[3] - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
    return {p[0], p[1], p[2], p[3]};
}

void expectDrawStateRestored() {
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_ALPHA_TEST));
    GLfloat colour[4] = {};
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_EQ(colour[0], 1.0f);
    EXPECT_EQ(colour[1], 1.0f);
    EXPECT_EQ(colour[2], 1.0f);
    EXPECT_EQ(colour[3], 1.0f);
}

void resetGameView() {
    glEnable(GL_CULL_FACE);
    glFrontFace(GL_CCW);
    glCullFace(GL_BACK);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glClearColor(0, 0, 0, 1);
    World::instance().setBounds(32, 16, 0, -16);
    Camera::instance() = Camera();
    Camera::instance().reshape(800, 800);
}
