// Small TGA files and a scratch working folder for drawing tests.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "support/TgaFiles.h"

struct Rgba {
    uint8_t r, g, b, a;
};

// Equal in red, green and blue within a few steps of rounding.
bool sameColour(Rgba a, Rgba b);
std::ostream& operator<<(std::ostream& out, Rgba p);

// Writes an uncompressed true-colour TGA. pixels are given top row first;
// topDown chooses how the file stores its rows (descriptor bit 5).
void writeTga(const std::string& path, int width, int height, const std::vector<Rgba>& pixels,
              bool topDown, int bitsPerPixel = 32);

// A fresh folder with res/images/ inside, made the working directory for the
// object's lifetime, so the game's relative image paths land in it.
class WorkingFolder {
  public:
    WorkingFolder();
    ~WorkingFolder();
    WorkingFolder(const WorkingFolder&) = delete;
    WorkingFolder& operator=(const WorkingFolder&) = delete;

    // Path of a file under res/images/.
    std::string image(const std::string& name) const;

  private:
    ScratchFolder scratch_;
    std::string previous_;
};

// The GL state of start-up (culling, depth test, black clear colour), the
// world's bounds and a fresh camera on the 800 by 800 viewport.
void resetGameView();

// Every draw leaves texturing, blending and the alpha test off and the colour
// opaque white, and raises no GL error.
void expectDrawStateRestored();

// The window's pixel at (x, y), with y counted from the top as GLUT does.
Rgba readPixel(int x, int y);
