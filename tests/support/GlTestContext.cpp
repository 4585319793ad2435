#include "support/GlTestContext.h"

#include <GL/freeglut.h>
#include <X11/Xlib.h>

#include <chrono>
#include <thread>

namespace {
int gWindow = 0;

void onTestDisplay() {}
}  // namespace

bool ensureGlContext() {
    if (gWindow != 0) {
        glutSetWindow(gWindow);
        return true;
    }
    // freeglut ends the process when the display cannot be opened; test first.
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        return false;
    }

    int argc = 1;
    char name[] = "vizidev_tests";
    char* argv[] = {name, nullptr};
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(800, 800);
    glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_CONTINUE_EXECUTION);
    gWindow = glutCreateWindow("The Vizidev test");
    XCloseDisplay(display);  // only now: GLUT holds its own connection
    glutDisplayFunc(onTestDisplay);
    pumpGlutEvents(50);
    return true;
}

void pumpGlutEvents(int milliseconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (std::chrono::steady_clock::now() < end) {
        glutMainLoopEvent();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

int testWindowId() {
    return gWindow;
}
