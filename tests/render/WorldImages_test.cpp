// The pages and the backdrop, drawn in a real window and read back.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include "app/World.h"
#include "support/GlTestContext.h"
#include "support/TestImages.h"
#include "view/Camera.h"

namespace {

constexpr Rgba kRed{255, 0, 0, 255};
constexpr Rgba kGreen{0, 255, 0, 255};
constexpr Rgba kBlue{0, 0, 255, 255};
constexpr Rgba kYellow{255, 255, 0, 255};
constexpr Rgba kBlack{0, 0, 0, 255};
constexpr Rgba kWhite{255, 255, 255, 255};

class WorldImages : public ::testing::Test {
  protected:
    void SetUp() override {
        REQUIRE_GL_CONTEXT();
        world() = World();
        resetGameView();
    }

    static Camera& camera() { return Camera::instance(); }
    static World& world() { return World::instance(); }

    static void clear() { glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT); }

    WorkingFolder folder;
};

// A 64 by 64 image in four flat quadrants: red and green on top, blue and
// yellow below, so linear filtering leaves each quadrant's inside pure. The
// red quadrant carries the given alpha.
constexpr int kSize = 64;
std::vector<Rgba> quadrants(uint8_t redAlpha) {
    std::vector<Rgba> pixels;
    for (int row = 0; row < kSize; ++row) {
        for (int col = 0; col < kSize; ++col) {
            const bool top = row < kSize / 2;
            const bool left = col < kSize / 2;
            pixels.push_back(top ? (left ? Rgba{255, 0, 0, redAlpha} : kGreen)
                                 : (left ? kBlue : kYellow));
        }
    }
    return pixels;
}

TEST_F(WorldImages, PageFillsTheWindowUprightWhateverTheCameraDoes) {
    struct Case {
        bool topDown;
        double offsetX, offsetY, offsetZ;
    };
    const Case cases[] = {
        {false, 0, -5, -10},
        {true, 0, -5, -10},
        {false, 7, -20, -16},
        {true, -3, -2, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "top-down " << c.topDown << ", camera " << c.offsetX
                                        << ", " << c.offsetY << ", " << c.offsetZ);
        world() = World();
        writeTga(folder.image("titlescreen.tga"), kSize, kSize, quadrants(0), c.topDown);
        writeTga(folder.image("instructions.tga"), kSize, kSize, quadrants(0), !c.topDown, 24);
        world().loadImages();
        camera().offsetX = c.offsetX;
        camera().offsetY = c.offsetY;
        camera().offsetZ = c.offsetZ;
        camera().apply();

        for (int page = 0; page < 2; ++page) {
            clear();
            page == 0 ? world().drawTitle() : world().drawInstructions();
            EXPECT_PRED2(sameColour, readPixel(200, 200), kRed) << readPixel(200, 200);
            EXPECT_PRED2(sameColour, readPixel(600, 200), kGreen) << readPixel(600, 200);
            EXPECT_PRED2(sameColour, readPixel(200, 600), kBlue) << readPixel(200, 600);
            EXPECT_PRED2(sameColour, readPixel(600, 600), kYellow) << readPixel(600, 600);
            // Edge to edge: the outermost pixels are covered too. They are
            // dimmer, since a clamped edge blends with the black border (half
            // on a side, a quarter or so in a corner), but not the clear black.
            for (auto [x, y] : {std::pair{0, 0}, {799, 0}, {0, 799}, {799, 799}}) {
                const Rgba p = readPixel(x, y);
                EXPECT_GT(p.r + p.g + p.b, 50) << "corner " << x << ", " << y << " " << p;
            }
            expectDrawStateRestored();
        }
    }
}

TEST_F(WorldImages, MissingPageIsAWhiteWindow) {
    world().loadImages();
    clear();
    world().drawTitle();
    EXPECT_PRED2(sameColour, readPixel(400, 400), kWhite);
    EXPECT_PRED2(sameColour, readPixel(1, 1), kWhite);
    expectDrawStateRestored();
}

TEST_F(WorldImages, BackdropCoversExactlyTheWorldsBounds) {
    // Transparent red texel at the top left must leave the clear colour.
    writeTga(folder.image("background2.tga"), kSize, kSize, quadrants(0), false);
    world().loadImages();
    // Window shows x from -8 to 24 and y from 4 to 36: the world's right edge
    // falls on column 600 and its top edge on row 100.
    camera().offsetX = -8;
    camera().offsetY = -20;
    camera().offsetZ = -16;
    camera().apply();
    clear();
    world().drawBackground();

    EXPECT_PRED2(sameColour, readPixel(150, 300), kBlack);   // transparent texel
    EXPECT_PRED2(sameColour, readPixel(450, 300), kGreen);   // top right of the world
    EXPECT_PRED2(sameColour, readPixel(150, 600), kBlue);    // bottom left
    EXPECT_PRED2(sameColour, readPixel(450, 600), kYellow);  // bottom right
    EXPECT_PRED2(sameColour, readPixel(590, 600), kYellow);
    EXPECT_PRED2(sameColour, readPixel(610, 600), kBlack);  // beyond the right bound
    EXPECT_PRED2(sameColour, readPixel(450, 90), kBlack);   // above the top bound
    EXPECT_PRED2(sameColour, readPixel(450, 110), kGreen);
    expectDrawStateRestored();
}

TEST_F(WorldImages, MissingBackdropIsAWhiteSquareOverTheWorld) {
    world().loadImages();
    camera().offsetY = -16;
    camera().offsetZ = -16;
    camera().offsetX = -8;
    camera().apply();
    clear();
    world().drawBackground();
    EXPECT_PRED2(sameColour, readPixel(300, 400), kWhite);
    EXPECT_PRED2(sameColour, readPixel(700, 400), kBlack);
    expectDrawStateRestored();
}

}  // namespace
