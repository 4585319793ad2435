// Turns GLUT's mouse, motion and keyboard events into the game's actions: page
// turns, budding, cutting and marking stems, edge scrolling and zoom.
#pragma once

#include <cstdint>

class InputController {
  public:
    static InputController& instance();

    void mouse(int button, int state, int x, int y);
    void keyboard(unsigned char key, int x, int y);
    void ignoreKey(int key, int x, int y);
    void motion(int x, int y);
    void passiveMotion(int x, int y);
    // Window pixels (origin top-left, y down) to the world point under them.
    void mapPointer(double x, double y);

    float worldX = 0;  // world units, mapped at the last motion event
    float worldY = 0;
    // GLUT_DOWN (0) or GLUT_UP (1) for the left, middle and right buttons.
    int16_t buttons[3] = {1, 1, 1};
};
