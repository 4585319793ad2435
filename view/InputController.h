// Turns GLUT's mouse, motion and keyboard events into the game's actions.
#pragma once

class InputController {
public:
    static InputController& instance();

    void mouse(int button, int state, int x, int y);
    void keyboard(unsigned char key, int x, int y);
    void ignoreKey(int key, int x, int y);
    void motion(int x, int y);
    void passiveMotion(int x, int y);
};
