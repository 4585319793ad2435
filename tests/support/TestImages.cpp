#include "support/TestImages.h"

#include <GL/gl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

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
    uint8_t header[18] = {};
    header[2] = 2;
    header[12] = static_cast<uint8_t>(width & 0xFF);
    header[13] = static_cast<uint8_t>(width >> 8);
    header[14] = static_cast<uint8_t>(height & 0xFF);
    header[15] = static_cast<uint8_t>(height >> 8);
    header[16] = static_cast<uint8_t>(bitsPerPixel);
    header[17] = topDown ? 0x20 : 0x00;
    std::vector<uint8_t> bytes(header, header + sizeof header);
    for (int row = 0; row < height; ++row) {
        const int source = topDown ? row : height - 1 - row;
        for (int col = 0; col < width; ++col) {
            const Rgba& p = pixels[static_cast<size_t>(source * width + col)];
            bytes.push_back(p.b);
            bytes.push_back(p.g);
            bytes.push_back(p.r);
            if (bitsPerPixel == 32) {
                bytes.push_back(p.a);
            }
        }
    }
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file != nullptr) {
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }
}

WorkingFolder::WorkingFolder() {
    char pattern[] = "/tmp/vizidev-test-XXXXXX";
    const char* made = mkdtemp(pattern);
    root_ = made != nullptr ? made : "/tmp";
    std::filesystem::create_directories(root_ + "/res/images");
    previous_ = std::filesystem::current_path().string();
    std::filesystem::current_path(root_);
}

WorkingFolder::~WorkingFolder() {
    std::error_code ignored;
    std::filesystem::current_path(previous_, ignored);
    std::filesystem::remove_all(root_, ignored);
}

std::string WorkingFolder::image(const std::string& name) const {
    return root_ + "/res/images/" + name;
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
