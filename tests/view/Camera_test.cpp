// Zoom, scrolling, edge scrolling and the fixed viewport of the camera.
#include "view/Camera.h"

#include <GL/glut.h>
#include <gtest/gtest.h>

#include "app/World.h"
#include "support/GlTestContext.h"

namespace {

class CameraTest : public ::testing::Test {
  protected:
    void SetUp() override {
        World::instance().setBounds(32, 16, 0, -16);
        camera = Camera();
    }

    Camera camera;
};

TEST_F(CameraTest, FirstScrollLiftsTheViewCentreIntoTheWorld) {
    EXPECT_DOUBLE_EQ(camera.halfExtent(), 10.0);
    camera.scroll(0.016f);
    EXPECT_DOUBLE_EQ(camera.offsetX, 0);
    EXPECT_DOUBLE_EQ(camera.offsetY, -10);
}

TEST_F(CameraTest, ZoomStopsAtTheWorldsHalfHeightAndAtOneUnit) {
    for (int i = 0; i < 40; ++i) {
        camera.move(0, 0, -0.5);
    }
    EXPECT_DOUBLE_EQ(camera.offsetZ, -16);
    EXPECT_NEAR(camera.halfExtent(), 16.0, 1e-6);
    camera.scroll(0);
    EXPECT_NEAR(camera.offsetX, 0, 1e-5);
    EXPECT_NEAR(camera.offsetY, -16, 1e-5);  // the whole world in view, centred

    for (int i = 0; i < 40; ++i) {
        camera.move(0, 0, 0.5);
    }
    EXPECT_DOUBLE_EQ(camera.offsetZ, -1);
    EXPECT_NEAR(camera.halfExtent(), 1.0, 1e-6);
}

TEST_F(CameraTest, MovePansWithoutClampingUntilTheNextScroll) {
    camera.move(100, -100, 0);
    EXPECT_DOUBLE_EQ(camera.offsetX, 100);
    EXPECT_DOUBLE_EQ(camera.offsetY, -105);
    camera.scroll(0);
    EXPECT_NEAR(-camera.offsetX, -16 + 10, 1e-5);  // pinned at the left edge
    EXPECT_NEAR(-camera.offsetY, 32 - 10, 1e-5);   // and at the top
}

TEST_F(CameraTest, EdgeStrengthRampsCubicallyAcrossTheBands) {
    struct Case {
        float position;
        float velocity;  // of the axis under test; the other axis sits mid-window
    };
    const Case horizontal[] = {{0, 24},  {80, 3},   {160, 0},   {400, 0},
                               {640, 0}, {720, -3}, {800, -24}, {-160, 192}};
    for (const Case& c : horizontal) {
        camera.edgeScroll(c.position, 400, false);
        EXPECT_FLOAT_EQ(camera.scrollVelocityX, c.velocity) << "x = " << c.position;
        EXPECT_FLOAT_EQ(camera.scrollVelocityY, 0) << "x = " << c.position;
    }
    const Case vertical[] = {{0, -24}, {80, -3}, {160, 0},  {400, 0},
                             {640, 0}, {720, 3}, {800, 24}, {-160, -192}};
    for (const Case& c : vertical) {
        camera.edgeScroll(400, c.position, false);
        EXPECT_FLOAT_EQ(camera.scrollVelocityY, c.velocity) << "y = " << c.position;
        EXPECT_FLOAT_EQ(camera.scrollVelocityX, 0) << "y = " << c.position;
    }
}

TEST_F(CameraTest, EdgeScrollMovesTheViewTowardsTheBand) {
    camera.scroll(0);                  // centre (0, 10)
    camera.edgeScroll(0, 400, false);  // left band
    camera.scroll(0.1f);
    EXPECT_NEAR(-camera.offsetX, -2.4, 1e-5);

    camera.edgeScroll(400, 0, false);  // top band
    camera.scroll(0.1f);
    EXPECT_NEAR(-camera.offsetY, 12.4, 1e-5);
}

TEST_F(CameraTest, SuppressedScrollStopsTheView) {
    camera.edgeScroll(0, 0, false);
    ASSERT_NE(camera.scrollVelocityX, 0);
    camera.edgeScroll(0, 0, true);
    EXPECT_EQ(camera.scrollVelocityX, 0);
    EXPECT_EQ(camera.scrollVelocityY, 0);
    EXPECT_EQ(camera.scrollVelocityZ, 0);
}

TEST_F(CameraTest, WorldNarrowerThanTheViewIsCentred) {
    World::instance().setBounds(32, 3, 0, -1);  // 4 units wide, the view 20
    for (float velocity : {-50.0f, 0.0f, 50.0f}) {
        camera.scrollVelocityX = velocity;
        camera.scroll(1.0f);
        EXPECT_DOUBLE_EQ(camera.offsetX, -1.0) << "velocity " << velocity;
    }
}

TEST(CameraReshape, OnlyAnExactWindowSizeSetsViewportAndProjection) {
    REQUIRE_GL_CONTEXT();
    Camera& camera = Camera::instance();
    camera = Camera();
    camera.offsetX = 3;

    glViewport(0, 0, 10, 20);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    camera.reshape(640, 480);
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 10);
    EXPECT_EQ(viewport[3], 20);
    GLfloat projection[16] = {};
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    EXPECT_FLOAT_EQ(projection[0], 1.0f);  // still the identity
    EXPECT_FLOAT_EQ(projection[11], 0.0f);

    camera.reshape(800, 800);
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[0], 0);
    EXPECT_EQ(viewport[1], 0);
    EXPECT_EQ(viewport[2], 800);
    EXPECT_EQ(viewport[3], 800);
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    EXPECT_NEAR(projection[0], 1.0f, 1e-6);  // cot(45 degrees) / aspect 1
    EXPECT_FLOAT_EQ(projection[11], -1.0f);  // a perspective divide
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
    GLfloat modelview[16] = {};
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
    EXPECT_FLOAT_EQ(modelview[12], 3.0f);
    EXPECT_FLOAT_EQ(modelview[13], -5.0f);
    EXPECT_FLOAT_EQ(modelview[14], -10.0f);
}

TEST(CameraReshape, AnotherSizeIsPutBackTo800By800ByTheWindow) {
    REQUIRE_GL_CONTEXT();
    glutReshapeFunc([](int width, int height) { Camera::instance().reshape(width, height); });
    pumpGlutEvents(100);
    glutReshapeWindow(640, 480);
    pumpGlutEvents(400);
    EXPECT_EQ(glutGet(GLUT_WINDOW_WIDTH), 800);
    EXPECT_EQ(glutGet(GLUT_WINDOW_HEIGHT), 800);
}

}  // namespace
