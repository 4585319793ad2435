#include "view/InputController.h"

InputController& InputController::instance() {
    static InputController controller;
    return controller;
}

void InputController::mouse(int, int, int, int) {}

void InputController::keyboard(unsigned char, int, int) {}

void InputController::ignoreKey(int, int, int) {}

void InputController::motion(int, int) {}

void InputController::passiveMotion(int, int) {}
