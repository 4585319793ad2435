#include "app/Callbacks.h"

#include "app/Game.h"
#include "view/Camera.h"

void onReshape(int width, int height) {
    Camera::instance().reshape(width, height);
}

void onDisplay() {
    Game::instance().display();
}

void onIdle() {
    Game::instance().idle();
}
