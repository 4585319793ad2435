// The frame clock and the screen flow of one frame, in a real GL context.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "app/Game.h"
#include "app/Screen.h"
#include "app/World.h"
#include "plant/Plant.h"
#include "plant/Stem.h"
#include "support/GlTestContext.h"
#include "support/TestImages.h"
#include "view/Camera.h"

namespace {

int32_t gFakeNow = 0;
int gClockReads = 0;

int fakeClock() {
    ++gClockReads;
    return gFakeNow;
}

class GameFrame : public ::testing::Test {
  protected:
    void SetUp() override {
        REQUIRE_GL_CONTEXT();
        gElapsedMillis = fakeClock;
        gClockReads = 0;
        gScreen = Title;
        World::instance().setBounds(32, 16, 0, -16);
        Camera::instance() = Camera();
        Camera::instance().reshape(800, 800);
    }

    // A game whose clock starts at the given millisecond.
    static Game gameAt(int32_t start) {
        gFakeNow = start;
        Game game;
        game.running = true;
        return game;
    }

    static void frameAt(Game& game, int32_t now) {
        gFakeNow = now;
        game.display();
    }
};

TEST_F(GameFrame, CreationReadsTheClock) {
    Game game = gameAt(1234);
    EXPECT_EQ(game.lastTick, 1234);
    EXPECT_EQ(gClockReads, 1);
}

TEST_F(GameFrame, FrameTimeIsTheTimeSinceTheLastFrame) {
    struct Case {
        int32_t start;
        int32_t now;
        double seconds;
    };
    const int32_t maxInt = std::numeric_limits<int32_t>::max();
    const Case cases[] = {
        {1000, 1016, 0.016},  // a normal frame
        {500, 500, 0.0},      // two frames in the same millisecond
        {maxInt - 5, std::numeric_limits<int32_t>::min() + 4, 0.010},  // counter wraps
    };
    for (const Case& c : cases) {
        Game game = gameAt(c.start);
        frameAt(game, c.now);
        EXPECT_DOUBLE_EQ(game.frameTime, c.seconds) << c.start << " -> " << c.now;
        EXPECT_EQ(game.lastTick, c.now);
    }
}

TEST_F(GameFrame, ClockRunsOnEveryScreenButWorldAdvancesOnlyWhilePlaying) {
    Game game = gameAt(0);
    Camera& camera = Camera::instance();

    for (int screen : {Title, Instructions}) {
        gScreen = screen;
        gClockReads = 0;
        frameAt(game, 100 * (screen + 1));
        EXPECT_EQ(gClockReads, 1);
        EXPECT_DOUBLE_EQ(game.frameTime, 0.1);
        // The first scroll would lift the view centre to y = 10.
        EXPECT_DOUBLE_EQ(camera.offsetY, -5) << "screen " << screen;
    }

    gScreen = Playing;
    gClockReads = 0;
    frameAt(game, 250);
    EXPECT_EQ(gClockReads, 1);
    EXPECT_DOUBLE_EQ(game.frameTime, 0.05);  // since the last page frame, not since start-up
    EXPECT_DOUBLE_EQ(camera.offsetY, -10);
}

TEST_F(GameFrame, WorldStandsStillWhileNotRunning) {
    Game game = gameAt(0);
    game.running = false;
    gScreen = Playing;
    frameAt(game, 100);
    EXPECT_DOUBLE_EQ(Camera::instance().offsetY, -5);
}

TEST_F(GameFrame, MatrixStackIsAsDeepAtEveryFrameStart) {
    Game game = gameAt(0);
    GLint before = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &before);
    int now = 0;
    for (int screen : {Title, Instructions, Playing}) {
        gScreen = screen;
        for (int i = 0; i < 5; ++i) {
            frameAt(game, now += 16);
            GLint depth = 0;
            glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
            ASSERT_EQ(depth, before) << "screen " << screen << ", frame " << i;
            GLint mode = 0;
            glGetIntegerv(GL_MATRIX_MODE, &mode);
            ASSERT_EQ(mode, GL_MODELVIEW);
        }
    }
}

TEST(GameInit, SetsTheGlStateAndStartsOnTheTitlePage) {
    REQUIRE_GL_CONTEXT();
    gScreen = Playing;
    Game game;
    game.init();

    EXPECT_EQ(gScreen, Title);
    EXPECT_TRUE(game.running);
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_ALPHA_TEST));
    GLint value = 0;
    glGetIntegerv(GL_SHADE_MODEL, &value);
    EXPECT_EQ(value, GL_FLAT);
    glGetIntegerv(GL_FRONT_FACE, &value);
    EXPECT_EQ(value, GL_CCW);
    glGetIntegerv(GL_CULL_FACE_MODE, &value);
    EXPECT_EQ(value, GL_BACK);
    glGetIntegerv(GL_DEPTH_FUNC, &value);
    EXPECT_EQ(value, GL_LEQUAL);
    GLfloat clear[4] = {1, 1, 1, 0};
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    EXPECT_EQ(clear[0], 0.0f);
    EXPECT_EQ(clear[1], 0.0f);
    EXPECT_EQ(clear[2], 0.0f);
    EXPECT_EQ(clear[3], 1.0f);

    const World& world = World::instance();
    EXPECT_EQ(world.top, 32);
    EXPECT_EQ(world.right, 16);
    EXPECT_EQ(world.bottom, 0);
    EXPECT_EQ(world.left, -16);
}

TEST(GameInit, LoadsImagesThenSoundsInOrderAndPlantsTheRoot) {
    REQUIRE_GL_CONTEXT();
    WorkingFolder folder;  // no res/ here: every load reports its failure
    std::vector<Rgba> grey(4, Rgba{90, 90, 90, 255});
    writeTga(folder.image("selector.tga"), 2, 2, grey, true, 24);

    testing::internal::CaptureStdout();
    Game game;
    game.init();
    const std::string out = testing::internal::GetCapturedStdout();

    EXPECT_EQ(out,
              "\nLoading texture ./res/images/background2.tga...cannot read."
              "\nLoading texture ./res/images/titlescreen.tga...cannot read."
              "\nLoading texture ./res/images/instructions.tga...cannot read."
              "\nLoading texture ./res/images/selector.tga...2x2:4"
              "\nLoading texture ./res/images/vizidevStalk_green.tga...cannot read."
              "\nLoading texture ./res/images/circle_black.tga...cannot read."
              "\nLoading sounds...done.");
    ASSERT_EQ(gPlant.roots.size(), 1u);
    const Stem& root = *gPlant.roots[0];
    EXPECT_EQ(root.x, 0.0f);
    EXPECT_EQ(root.y, 3.75f);
    EXPECT_EQ(root.depth, 0);
    EXPECT_EQ(root.parent, nullptr);
    EXPECT_GT(gPlant.selectorList, 0);
}

TEST(WorldBounds, ReadZeroUntilSetThenKeepArgumentOrder) {
    World world;
    EXPECT_EQ(world.top, 0);
    EXPECT_EQ(world.right, 0);
    EXPECT_EQ(world.bottom, 0);
    EXPECT_EQ(world.left, 0);
    world.setBounds(32, 16, 0, -16);
    EXPECT_EQ(world.top, 32);
    EXPECT_EQ(world.right, 16);
    EXPECT_EQ(world.bottom, 0);
    EXPECT_EQ(world.left, -16);
}

}  // namespace
