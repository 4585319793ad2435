// The plant in the running game: made at start-up, still on the two pages,
// growing frame by frame once play begins.
#include <GL/glut.h>
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>

#include "app/Game.h"
#include "app/Screen.h"
#include "plant/Plant.h"
#include "plant/Stem.h"
#include "support/GlTestContext.h"
#include "support/StemTree.h"
#include "view/Camera.h"
#include "view/InputCallbacks.h"
#include "view/InputController.h"

namespace {

int32_t gNow = 0;  // ms

int fakeClock() {
    return gNow;
}

// Frames of 20 ms through the game's own frame, for the given time.
void runFor(Game& game, int milliseconds) {
    for (int elapsed = 0; elapsed < milliseconds; elapsed += 20) {
        gNow += 20;
        game.display();
    }
}

void click() {
    onMouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 400, 400);
    onMouse(GLUT_LEFT_BUTTON, GLUT_UP, 400, 400);
}

TEST(PlantInTheGame, GrowsOnlyWhilePlayingAndKeepsTheTreeInvariants) {
    REQUIRE_GL_CONTEXT();
    gElapsedMillis = fakeClock;
    clearPlant(gPlant);
    Camera::instance() = Camera();
    Camera::instance().reshape(800, 800);
    InputController::instance() = InputController();
    Game game;
    game.init();

    ASSERT_EQ(gPlant.roots.size(), 1u);
    Stem* root = gPlant.roots[0];
    EXPECT_EQ(root->x, 0.0f);
    EXPECT_EQ(root->y, 3.75f);
    EXPECT_EQ(root->depth, 0);
    EXPECT_EQ(root->parent, nullptr);
    seedRandom(12);  // a plant that spreads; with some seeds the root makes no shoot at all

    // The pages show for a while; nothing grows.
    runFor(game, 2000);
    click();
    runFor(game, 2000);
    EXPECT_EQ(root->age, 0.0f);
    click();
    ASSERT_EQ(gScreen, Playing);
    EXPECT_EQ(root->state, Growing);  // the page turns did not reach the plant

    std::size_t stems = 1;
    for (int second = 1; second <= 10; ++second) {
        runFor(game, 1000);
        ASSERT_TRUE(treeInvariantsHold(gPlant)) << "after " << second << " s";
        const std::size_t now = preorder(gPlant.roots).size();
        EXPECT_GE(now, stems) << "nothing cuts the plant here";
        stems = now;
    }
    EXPECT_NEAR(root->age, 10.0f, 1e-3);
    EXPECT_GT(stems, 100u);
}

}  // namespace
