// The one view onto the world: fixed viewport, perspective, pan and zoom.
#pragma once

class Camera {
  public:
    static Camera& instance();

    void reshape(int width, int height);
    void apply();
    void move(double dx, double dy, double dz);
    double halfExtent() const;
    double getOffsetX() const { return offsetX; }
    double getOffsetY() const { return offsetY; }
    void scroll(float dt);
    void edgeScroll(float x, float y, bool suppressScroll);

    // 800 by 800 from the start, so a pointer event before the first reshape
    // maps as every later one does.
    int windowWidth = 800;    // px
    int windowHeight = 800;   // px
    double fieldOfView = 90;  // degrees, vertical
    double offsetX = 0;
    double offsetY = -5;
    double offsetZ = -10;       // its magnitude is the eye's distance to the plane z = 0
    float scrollVelocityX = 0;  // world units per second
    float scrollVelocityY = 0;
    float scrollVelocityZ = 0;
};
