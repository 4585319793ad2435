#include "view/InputController.h"

#include <GL/glut.h>

#include "app/Screen.h"
#include "plant/Plant.h"
#include "view/Camera.h"

InputController& InputController::instance() {
    static InputController controller;
    return controller;
}

void InputController::mouse(int button, int state, int, int) {
    // GLUT reports wheel steps as buttons 3 and up; they have no state here
    // and do nothing, not even turn a page.
    if (button < GLUT_LEFT_BUTTON || button > GLUT_RIGHT_BUTTON) {
        return;
    }
    // Recorded before a page turn, so a button held from that press counts as
    // held for the following motion.
    buttons[button] = static_cast<int16_t>(state);

    if (state == GLUT_DOWN) {
        if (gScreen == Title) {
            gScreen = Instructions;
            return;
        }
        if (gScreen == Instructions) {
            gScreen = Playing;
            return;
        }
    }
    const bool leftDown = button == GLUT_LEFT_BUTTON && state == GLUT_DOWN;
    const bool rightDown = button == GLUT_RIGHT_BUTTON && state == GLUT_DOWN;
    const bool buttonDown = state != GLUT_UP;
    // At the position of the last motion event; a button event maps nothing.
    gPlant.press(worldX, worldY, leftDown, rightDown, buttonDown);
}

void InputController::keyboard(unsigned char key, int, int) {
    if (key == 'w') {
        Camera::instance().move(0, 0, -0.5);  // eye away from the scene: zoom out
    } else if (key == 's') {
        Camera::instance().move(0, 0, 0.5);
    }
}

void InputController::ignoreKey(int, int, int) {}

void InputController::motion(int x, int y) {
    mapPointer(x, y);
    const bool leftDown = buttons[GLUT_LEFT_BUTTON] == GLUT_DOWN;
    const bool rightDown = buttons[GLUT_RIGHT_BUTTON] == GLUT_DOWN && !leftDown;
    gPlant.drag(worldX, worldY, leftDown, rightDown);
    // Unclamped: beyond the window the scroll runs faster. Cutting holds the view still.
    Camera::instance().edgeScroll(static_cast<float>(x), static_cast<float>(y), rightDown);
}

void InputController::passiveMotion(int x, int y) {
    mapPointer(x, y);
    gPlant.drag(worldX, worldY, false, false);
    Camera::instance().edgeScroll(static_cast<float>(x), static_cast<float>(y), false);
}

void InputController::mapPointer(double x, double y) {
    const Camera& camera = Camera::instance();
    const int width = camera.windowWidth;
    const int height = camera.windowHeight;
    // GLUT reports positions outside the window while a button is held.
    x = x < 0 ? 0 : (x > width ? width : x);
    y = y < 0 ? 0 : (y > height ? height : y);

    const float cx = static_cast<float>(x - width / 2);
    const float cy = static_cast<float>(y - height / 2);
    // Both axes over half the height, y flipped so that up is positive.
    const float nx = cx / (height / 2);
    const float ny = -cy / (height / 2);
    const double h = camera.halfExtent();
    worldX = static_cast<float>(h * nx - camera.getOffsetX());
    worldY = static_cast<float>(h * ny - camera.getOffsetY());
}
