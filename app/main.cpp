// Entry point: opens the window, starts the game and hands control to GLUT.
#include <GL/glut.h>
#include <X11/Xlib.h>

#include <cstdio>
#include <cstring>

#include "app/Callbacks.h"
#include "app/Game.h"
#include "view/InputCallbacks.h"

namespace {

// GLUT would end the process with a terse message of its own; say plainly
// what is missing instead.
bool displayAvailable(int argc, char** argv) {
    const char* name = nullptr;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "-display") == 0) {
            name = argv[i + 1];
        }
    }
    Display* display = XOpenDisplay(name);
    if (display == nullptr) {
        return false;
    }
    XCloseDisplay(display);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (!displayAvailable(argc, argv)) {
        std::fprintf(stderr,
                     "The Vizidev needs a graphical display, and none could be opened "
                     "(is DISPLAY set?).\n");
        return 1;
    }

    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(800, 800);
    glutCreateWindow("The Vizidev");
    glutPositionWindow(100, 100);

    Game& game = Game::instance();
    game.init();

    glutReshapeFunc(onReshape);
    glutDisplayFunc(onDisplay);
    glutIdleFunc(onIdle);
    glutMotionFunc(onMotion);
    glutPassiveMotionFunc(onPassiveMotion);
    glutMouseFunc(onMouse);
    glutKeyboardFunc(onKeyboard);
    glutKeyboardUpFunc(onKeyIgnored);
    glutSpecialFunc(onKeyIgnored);
    glutSpecialUpFunc(onKeyIgnored);
    glutIgnoreKeyRepeat(1);

    glutMainLoop();
    return 0;
}
