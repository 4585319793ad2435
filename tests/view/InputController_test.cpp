// Mouse, motion and keyboard events: page turns, the plant actions they lead
// to, edge scrolling, zoom, and the pointer's mapping into the world.
#include "view/InputController.h"

#include <GL/glut.h>
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "app/Screen.h"
#include "app/World.h"
#include "plant/Plant.h"
#include "plant/Stem.h"
#include "support/StemTree.h"
#include "view/Camera.h"
#include "view/InputCallbacks.h"

namespace {

// Window positions over three tips, with the camera as created (view centre
// (0, 5), half extent 10): world x = (wx - 400) / 40, world y = 15 - wy / 40.
constexpr int kOverRoot[] = {400, 548};  // tip (0, 1.3)
constexpr int kOverSide[] = {560, 548};  // tip (4, 1.3)
constexpr int kOverTall[] = {400, 388};  // tip (0, 5.3)

class InputTest : public ::testing::Test {
  protected:
    void SetUp() override {
        World::instance().setBounds(32, 16, 0, -16);
        Camera::instance() = Camera();
        InputController::instance() = InputController();
        gScreen = Playing;
        seedRandom(3);
        clearPlant(gPlant);
        root = makeStem(nullptr, 0, 0.5f, 90, 1);
        side = makeChild(root, 0, 5);
        tall = makeChild(root, 90, 5);
        gPlant.addRoot(root);
    }
    void TearDown() override { clearPlant(gPlant); }

    Stem* root = nullptr;
    Stem* side = nullptr;
    Stem* tall = nullptr;
};

struct Event {
    enum Kind { Mouse, Motion, Passive, Key } kind;
    int a;  // button, x or key
    int b;  // state or y
};

Event press(int button) {
    return {Event::Mouse, button, GLUT_DOWN};
}
Event release(int button) {
    return {Event::Mouse, button, GLUT_UP};
}
Event drag(const int (&at)[2]) {
    return {Event::Motion, at[0], at[1]};
}
Event move(const int (&at)[2]) {
    return {Event::Passive, at[0], at[1]};
}

void send(const Event& e) {
    switch (e.kind) {
        case Event::Mouse:
            onMouse(e.a, e.b, 123, 456);  // a button event's own position plays no part
            break;
        case Event::Motion:
            onMotion(e.a, e.b);
            break;
        case Event::Passive:
            onPassiveMotion(e.a, e.b);
            break;
        case Event::Key:
            onKeyboard(static_cast<unsigned char>(e.a), e.b, e.b);
            break;
    }
}

TEST_F(InputTest, EventsTurnPagesAndActOnTheNearestStem) {
    enum { None = -1, Root = 0, Side = 1, Tall = 2 };
    struct Case {
        const char* name;
        int screen;
        std::vector<Event> events;
        int screenAfter;
        std::vector<int> budded;
        int hovered;
        std::size_t stems;
        float scrollX;  // velocity, world units per second
    };
    const int edge[2] = {0, kOverRoot[1]};        // world (-10, 1.3), left band
    const int middleLeft[2] = {0, kOverTall[1]};  // world (-10, 5.3)
    const Case cases[] = {
        {"a press on the title page turns it", Title, {press(0)}, Instructions, {}, None, 3, 0},
        {"any button turns the instructions page",
         Instructions,
         {press(2)},
         Playing,
         {},
         None,
         3,
         0},
        {"a release on the title page does nothing", Title, {release(0)}, Title, {}, None, 3, 0},
        {"the release after a page turn does nothing",
         Title,
         {press(0), release(0)},
         Instructions,
         {},
         None,
         3,
         0},
        {"a left press before any motion acts at (0, 0)",
         Playing,
         {press(0)},
         Playing,
         {Root},
         None,
         3,
         0},
        {"a left press acts where the pointer last moved",
         Playing,
         {move(kOverTall), press(0)},
         Playing,
         {Tall},
         Tall,
         3,
         0},
        {"right and middle presses do nothing",
         Playing,
         {move(kOverSide), press(2), release(2), press(1), release(1)},
         Playing,
         {},
         Side,
         3,
         0},
        {"a left drag buds and hides the ring",
         Playing,
         {move(kOverTall), press(0), drag(kOverSide)},
         Playing,
         {Tall, Side},
         None,
         3,
         0},
        {"the press leaving the instructions page drags on",
         Instructions,
         {press(0), drag(kOverSide)},
         Playing,
         {Side},
         None,
         3,
         0},
        {"left and right drag buds and scrolls",
         Playing,
         {press(0), press(2), drag(edge)},
         Playing,
         {Root},
         None,
         3,
         24},
        {"a right drag cuts and holds the view",
         Playing,
         {move(edge), press(2), drag(edge)},
         Playing,
         {},
         None,
         1,
         0},
        {"a middle drag marks and scrolls",
         Playing,
         {press(1), drag(middleLeft)},
         Playing,
         {},
         Tall,
         3,
         24},
        {"after a release a drag only marks",
         Playing,
         {press(0), release(0), drag(kOverSide)},
         Playing,
         {Root},
         Side,
         3,
         0},
        {"wheel steps are dropped",
         Title,
         {press(3), release(3), press(4), press(7), press(-1)},
         Title,
         {},
         None,
         3,
         0},
        {"keys turn no page",
         Title,
         {{Event::Key, 'w', 0}, {Event::Key, ' ', 0}},
         Title,
         {},
         None,
         3,
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        gScreen = c.screen;
        for (const Event& e : c.events) {
            send(e);
        }
        EXPECT_EQ(gScreen, c.screenAfter);
        const Stem* stems[] = {root, side, tall};
        if (c.stems == 3) {
            for (int i = 0; i < 3; ++i) {
                bool budded = false;
                for (int b : c.budded) {
                    budded = budded || b == i;
                }
                EXPECT_EQ(stems[i]->state, budded ? Budding : Grown) << "stem " << i;
            }
        }
        EXPECT_EQ(gPlant.hovered, c.hovered == None ? nullptr : stems[c.hovered]);
        EXPECT_EQ(preorder(gPlant.roots).size(), c.stems);
        EXPECT_FLOAT_EQ(Camera::instance().scrollVelocityX, c.scrollX);
    }
}

TEST_F(InputTest, ButtonsRecordTheLastStateOfEachButton) {
    InputController& input = InputController::instance();
    EXPECT_EQ(input.buttons[0], GLUT_UP);
    EXPECT_EQ(input.buttons[1], GLUT_UP);
    EXPECT_EQ(input.buttons[2], GLUT_UP);
    gScreen = Title;
    send(press(1));  // recorded, though it only turns the page
    send(press(2));
    send(release(2));
    send(press(3));
    EXPECT_EQ(input.buttons[0], GLUT_UP);
    EXPECT_EQ(input.buttons[1], GLUT_DOWN);
    EXPECT_EQ(input.buttons[2], GLUT_UP);
}

TEST_F(InputTest, PointerMapsOntoTheVisibleSquare) {
    struct Case {
        int x, y;
        float worldX, worldY;
    };
    Camera& camera = Camera::instance();
    // As created: centre (0, 5), half extent 10. Beyond the window the
    // pointer maps as from the window's border.
    const Case asCreated[] = {{0, 0, -10, 15},  {400, 400, 0, 5},   {800, 800, 10, -5},
                              {800, 0, 10, 15}, {-50, 400, -10, 5}, {900, 1000, 10, -5},
                              {200, 600, -5, 0}};
    // Zoomed in and panned: centre (3, 12), half extent 4.
    const Case moved[] = {{0, 0, -1, 16}, {400, 400, 3, 12}, {800, 800, 7, 8}};
    for (const auto& table : {std::vector<Case>(std::begin(asCreated), std::end(asCreated)),
                              std::vector<Case>(std::begin(moved), std::end(moved))}) {
        for (const Case& c : table) {
            SCOPED_TRACE(::testing::Message() << "window (" << c.x << ", " << c.y << ")");
            InputController::instance().buttons[0] = GLUT_UP;
            onMotion(c.x, c.y);
            EXPECT_NEAR(InputController::instance().worldX, c.worldX, 1e-5);
            EXPECT_NEAR(InputController::instance().worldY, c.worldY, 1e-5);
            InputController::instance() = InputController();
            onPassiveMotion(c.x, c.y);
            EXPECT_NEAR(InputController::instance().worldX, c.worldX, 1e-5);
            EXPECT_NEAR(InputController::instance().worldY, c.worldY, 1e-5);
        }
        camera.offsetX = -3;
        camera.offsetY = -12;
        camera.offsetZ = -4;
    }
}

TEST_F(InputTest, EdgeScrollGetsThePointerUnclamped) {
    send(press(1));
    send({Event::Motion, -50, 400});
    EXPECT_NEAR(InputController::instance().worldX, -10, 1e-5);
    const float strength = 1 + 50.0f / 160;
    EXPECT_FLOAT_EQ(Camera::instance().scrollVelocityX, strength * strength * strength * 24);
    send({Event::Passive, 400, 900});
    EXPECT_FLOAT_EQ(Camera::instance().scrollVelocityY, std::pow(1 + 100.0f / 160, 3.0f) * 24);
}

TEST_F(InputTest, OnlyLowerCaseWAndSZoom) {
    struct Case {
        unsigned char key;
        double offsetZ;
    };
    const Case cases[] = {{'w', -10.5}, {'s', -9.5}, {'W', -10}, {'S', -10}, {'x', -10}, {27, -10}};
    for (int screen : {Title, Playing}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(::testing::Message() << "key " << static_cast<int>(c.key));
            Camera::instance() = Camera();
            gScreen = screen;
            onKeyboard(c.key, 400, 400);
            onKeyIgnored(c.key, 400, 400);
            onKeyIgnored(static_cast<int>(GLUT_KEY_UP), 400, 400);
            EXPECT_DOUBLE_EQ(Camera::instance().offsetZ, c.offsetZ);
            EXPECT_EQ(gScreen, screen);
        }
    }
}

}  // namespace
