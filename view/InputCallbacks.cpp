#include "view/InputCallbacks.h"

#include "view/InputController.h"

void onMotion(int x, int y) {
    InputController::instance().motion(x, y);
}

void onPassiveMotion(int x, int y) {
    InputController::instance().passiveMotion(x, y);
}

void onMouse(int button, int state, int x, int y) {
    InputController::instance().mouse(button, state, x, y);
}

void onKeyboard(unsigned char key, int x, int y) {
    InputController::instance().keyboard(key, x, y);
}

// Key releases hand over a character, special keys an int code.
void onKeyIgnored(unsigned char key, int x, int y) {
    InputController::instance().ignoreKey(key, x, y);
}

void onKeyIgnored(int key, int x, int y) {
    InputController::instance().ignoreKey(key, x, y);
}
