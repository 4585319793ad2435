// The world's rectangle (bounds in world units) and its three full images.
#pragma once

class World {
  public:
    static World& instance();

    void setBounds(double top, double right, double bottom, double left);

    // Images and drawing, in render/WorldImages.cpp.
    void loadImages();
    void drawBackground();
    void drawTitle();
    void drawInstructions();

    double top = 0;
    double right = 0;
    double bottom = 0;
    double left = 0;

    int backgroundTexture = 0;
    unsigned int backgroundList = 0;
    unsigned int titleList = 0;
    unsigned int instructionsList = 0;
};
