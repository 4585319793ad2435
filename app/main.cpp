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
// what is missing instead. The connection stays open until GLUT has its own,
// so that a server with no other client does not reset in between.
Display* openDisplay(int argc, char** argv) {
    const char* name = nullptr;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "-display") == 0) {
            name = argv[i + 1];
        }
    }
    return XOpenDisplay(name);
}

}  // namespace

int main(int argc, char** argv) {
    Display* probe = openDisplay(argc, argv);
    if (probe == nullptr) {
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
    XCloseDisplay(probe);

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
