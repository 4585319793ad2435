// The application object: start-up, the frame clock and one frame.
#pragma once

#include <cstdint>

class Game {
  public:
    static Game& instance();

    Game();

    void init();
    void display();
    void idle();
    void update();

    int32_t lastTick;      // ms, GLUT's elapsed time at the start of the last frame
    double frameTime = 0;  // s, length of the last frame
    bool running = false;
};

// The millisecond clock the game reads; GLUT's elapsed time unless a test swaps it.
extern int (*gElapsedMillis)();
