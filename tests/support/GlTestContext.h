// A current GL context in a real GLUT window, for tests that draw.
#pragma once

// Opens the window the first time (800 by 800, double-buffered RGBA with
// depth, as the game's) and returns false when no X display can be opened.
bool ensureGlContext();

// Lets GLUT deliver the window's pending events for about the given time.
void pumpGlutEvents(int milliseconds);

// The GLUT window id of the test window, 0 before ensureGlContext.
int testWindowId();

// Skips nothing: a test that needs GL fails loudly without a display.
#define REQUIRE_GL_CONTEXT() \
    ASSERT_TRUE(ensureGlContext()) << "no X display: run the tests through scripts/test.sh"
