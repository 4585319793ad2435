// Stalks, joints and the selector ring on real pixels.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "app/World.h"
#include "plant/Plant.h"
#include "plant/Stem.h"
#include "render/Sprites.h"
#include "support/GlTestContext.h"
#include "support/TestImages.h"
#include "view/Camera.h"

namespace {

constexpr Rgba kRed{255, 0, 0, 255};
constexpr Rgba kBlack{0, 0, 0, 255};
constexpr Rgba kWhite{255, 255, 255, 255};

// The view is centred on (0, 10) with a half extent of 10: 40 pixels a unit,
// world (0, 10) at window pixel (400, 400).
int column(double x) {
    return static_cast<int>(400 + x * 40);
}
int row(double y) {
    return static_cast<int>(400 - (y - 10) * 40);
}

class PlantDrawing : public ::testing::Test {
  protected:
    void SetUp() override {
        REQUIRE_GL_CONTEXT();
        resetGameView();
        // White, so that black stalks show.
        glClearColor(1, 1, 1, 1);
        Camera::instance().offsetY = -10;
        Camera::instance().apply();
    }

    void TearDown() override { glClearColor(0, 0, 0, 1); }

    // A stem laid out by hand: upright unless told otherwise.
    static Stem* stem(Stem* parent, float x, float y, float length, float width) {
        Stem* s = new Stem();
        s->attach(parent, parent == nullptr ? 0 : parent->depth + 1);
        s->x = x;
        s->y = y;
        s->angle = 90;
        s->sway = 0;
        s->length = length;
        s->width = width;
        if (parent != nullptr) {
            parent->addChild(s);
        }
        return s;
    }

    static void drawPlant(Plant& plant) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        plant.draw();
    }

    WorkingFolder folder;
};

TEST_F(PlantDrawing, UprightStalkCoversItsRectangleInBlack) {
    // No stalk image: the quad is drawn untextured in the pass's colour.
    Plant plant;
    plant.addRoot(stem(nullptr, 0, 10, 1, 0.25f));
    drawPlant(plant);

    // x from -0.125 to 0.125 is columns 395 to 405; y from 10 to 11 is rows 360 to 400.
    EXPECT_PRED2(sameColour, readPixel(396, 399), kBlack);
    EXPECT_PRED2(sameColour, readPixel(403, 361), kBlack);
    EXPECT_PRED2(sameColour, readPixel(393, 380), kWhite);
    EXPECT_PRED2(sameColour, readPixel(407, 380), kWhite);
    EXPECT_PRED2(sameColour, readPixel(400, 402), kWhite);  // below the base
    EXPECT_PRED2(sameColour, readPixel(400, 357), kWhite);  // beyond the far end
    expectDrawStateRestored();
}

TEST_F(PlantDrawing, StalkTurnsWithAngleAndSway) {
    Plant plant;
    Stem* root = stem(nullptr, 0, 10, 2, 0.25f);
    root->angle = 170;  // with the sway, pointing straight left
    root->sway = 10;
    plant.addRoot(root);
    drawPlant(plant);
    EXPECT_PRED2(sameColour, readPixel(column(-1.5), row(10)), kBlack);
    EXPECT_PRED2(sameColour, readPixel(column(0), row(11)), kWhite);
}

TEST_F(PlantDrawing, JointsOnlyWhereWiderThanLongAndNotBelowAStemThatIsNot) {
    std::vector<Rgba> red(16, kRed);
    writeTga(folder.image("circle_black.tga"), 4, 4, red, true);
    gJointList = gJointTexture = -1;
    gStalkList = gStalkTexture = -1;

    struct Case {
        const char* what;
        float rootLength, rootWidth;  // the child is always wider than long
        bool rootJoint, childJoint;
    };
    const Case cases[] = {
        {"root wider than long", 0.5f, 0.8f, true, true},
        {"root as wide as long", 0.8f, 0.8f, false, false},
        {"root narrower", 1.0f, 0.8f, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Plant plant;
        Stem* root = stem(nullptr, 0, 10, c.rootLength, c.rootWidth);
        // The child stands apart at x = 4 so that each joint can be seen alone.
        stem(root, 4, 10, 0.5f, 0.8f);
        plant.addRoot(root);
        drawPlant(plant);
        // A joint is width / 2 across, centred on the base; just below the
        // base no stalk covers it.
        const bool rootRed = sameColour(readPixel(column(0), row(9.9)), kRed);
        const bool childRed = sameColour(readPixel(column(4), row(9.9)), kRed);
        EXPECT_EQ(rootRed, c.rootJoint);
        EXPECT_EQ(childRed, c.childJoint);
        EXPECT_PRED2(sameColour, readPixel(column(0.3), row(9.9)), kWhite);  // beyond the joint
        // The stalk covers the joint above the base.
        EXPECT_PRED2(sameColour, readPixel(column(0), row(10.1)), kBlack);
        expectDrawStateRestored();
    }
}

TEST_F(PlantDrawing, RingAtTheHoveredStemsTipTwiceItsWidthAcross) {
    Plant plant;
    plant.init();  // no selector image: an untextured black square
    Stem* root = stem(nullptr, 0, 10, 1, 0.25f);
    plant.addRoot(root);

    drawPlant(plant);
    EXPECT_PRED2(sameColour, readPixel(column(0.2), row(10.8)), kWhite);

    plant.hovered = root;
    drawPlant(plant);
    // 0.5 across, centred 0.8 above the base.
    EXPECT_PRED2(sameColour, readPixel(column(0.2), row(10.8)), kBlack);
    EXPECT_PRED2(sameColour, readPixel(column(-0.2), row(11.0)), kBlack);
    EXPECT_PRED2(sameColour, readPixel(column(0.3), row(10.8)), kWhite);
    EXPECT_PRED2(sameColour, readPixel(column(0.2), row(11.1)), kWhite);
    expectDrawStateRestored();
}

TEST_F(PlantDrawing, PlantIsNeverHiddenByTheBackdrop) {
    std::vector<Rgba> red(16, kRed);
    writeTga(folder.image("background2.tga"), 4, 4, red, true);
    World::instance().loadImages();
    Plant plant;
    plant.addRoot(stem(nullptr, 0, 10, 1, 0.25f));
    for (double offsetZ : {-1.0, -10.0, -16.0}) {
        Camera::instance().offsetZ = offsetZ;
        Camera::instance().apply();
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        World::instance().drawBackground();
        plant.draw();
        EXPECT_PRED2(sameColour, readPixel(400, 398), kBlack) << "offsetZ " << offsetZ;
        EXPECT_PRED2(sameColour, readPixel(700, 200), kRed) << "offsetZ " << offsetZ;
    }
}

TEST_F(PlantDrawing, SpritesAreMadeAndLoadedOnceForAnyNumberOfStems) {
    gJointList = gJointTexture = -1;
    gStalkList = gStalkTexture = -1;
    std::vector<Rgba> red(16, kRed);
    writeTga(folder.image("vizidevStalk_green.tga"), 4, 4, red, true);
    writeTga(folder.image("circle_black.tga"), 4, 4, red, true);

    testing::internal::CaptureStdout();
    Stem* root = new Stem();
    root->attach(nullptr, 0);
    const int stalkList = gStalkList;
    const int jointList = gJointList;
    for (int i = 0; i < 1000; ++i) {
        Stem* child = new Stem();
        child->attach(root, 1);
        root->addChild(child);
    }
    const std::string out = testing::internal::GetCapturedStdout();
    delete root;

    EXPECT_GT(stalkList, 0);
    EXPECT_GT(jointList, 0);
    EXPECT_NE(stalkList, jointList);
    EXPECT_EQ(gStalkList, stalkList);
    EXPECT_EQ(gJointList, jointList);
    EXPECT_GT(gStalkTexture, 0);
    EXPECT_GT(gJointTexture, 0);
    EXPECT_EQ(out,
              "\nLoading texture ./res/images/vizidevStalk_green.tga...4x4:4"
              "\nLoading texture ./res/images/circle_black.tga...4x4:4");
}

TEST_F(PlantDrawing, BuildSpriteListLeavesAnExistingListAlone) {
    std::vector<Rgba> red(16, kRed);
    writeTga(folder.image("other.tga"), 4, 4, red, true);
    int list = 7;
    int texture = -1;
    testing::internal::CaptureStdout();
    buildSpriteList(list, texture, "./res/images/other.tga");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(list, 7);
    EXPECT_EQ(texture, -1);

    list = -1;
    testing::internal::CaptureStdout();
    buildSpriteList(list, texture, "./res/images/other.tga");
    testing::internal::GetCapturedStdout();
    EXPECT_GT(list, 0);
    EXPECT_GT(texture, 0);
    EXPECT_TRUE(glIsList(static_cast<GLuint>(list)));
}

}  // namespace
