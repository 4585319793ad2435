#include "app/Game.h"

#include <GL/glut.h>

#include "app/PopupList.h"
#include "app/Screen.h"
#include "app/World.h"
#include "audio/SoundSystem.h"
#include "plant/Plant.h"
#include "plant/Stem.h"
#include "view/Camera.h"

namespace {
int readGlutClock() {
    return glutGet(GLUT_ELAPSED_TIME);
}
}  // namespace

int (*gElapsedMillis)() = readGlutClock;

Game& Game::instance() {
    static Game game;
    return game;
}

Game::Game() : lastTick(gElapsedMillis()) {}

void Game::init() {
    glShadeModel(GL_FLAT);
    glPolygonMode(GL_FRONT, GL_FILL);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glEnable(GL_CULL_FACE);
    glFrontFace(GL_CCW);
    glCullFace(GL_BACK);
    glClearDepth(1.0);
    glDepthFunc(GL_LEQUAL);
    glEnable(GL_DEPTH_TEST);
    glClearColor(0, 0, 0, 1);

    World& world = World::instance();
    world.loadImages();
    world.setBounds(32, 16, 0, -16);

    gPlant.init();

    Stem* root = new Stem();
    root->attach(nullptr, 0);
    root->y = 3.75f;
    gPlant.addRoot(root);

    SoundSystem& sound = SoundSystem::instance();
    sound.load();
    sound.playTrack(0, true);

    gScreen = Title;
    running = true;
}

void Game::display() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPushMatrix();

    // Unsigned difference, so the count stays right when the millisecond
    // counter passes INT32_MAX and turns negative.
    const int32_t now = gElapsedMillis();
    const uint32_t elapsed = static_cast<uint32_t>(now) - static_cast<uint32_t>(lastTick);
    frameTime = elapsed * 0.001;
    lastTick = now;

    switch (gScreen) {
        case Title:
            World::instance().drawTitle();
            break;
        case Instructions:
            World::instance().drawInstructions();
            break;
        case Playing:
            if (running) {
                update();
            }
            Camera::instance().apply();
            World::instance().drawBackground();
            gPlant.draw();
            PopupList::instance().draw();
            break;
        default:
            break;
    }

    glutSwapBuffers();
    glPopMatrix();
}

void Game::idle() {
    glutPostRedisplay();
}

void Game::update() {
    const float dt = static_cast<float>(frameTime);
    Camera::instance().scroll(dt);
    gPlant.update(dt);
    PopupList::instance().update(dt);
}
