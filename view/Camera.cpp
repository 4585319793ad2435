#include "view/Camera.h"

#include <GL/glu.h>
#include <GL/glut.h>

#include <cmath>

#include "app/Angles.h"
#include "app/World.h"

namespace {
constexpr int kWindowSize = 800;  // px, the only size the window may have
constexpr double kEdgeBandFraction = 0.2;
constexpr double kEdgeScrollSpeed = 4.0 * 6.0;  // world units per second at the very edge
}  // namespace

Camera& Camera::instance() {
    static Camera camera;
    return camera;
}

void Camera::reshape(int width, int height) {
    if (width != kWindowSize || height != kWindowSize) {
        // GLUT reports the restored size through another reshape.
        glutReshapeWindow(kWindowSize, kWindowSize);
        return;
    }
    windowWidth = kWindowSize;
    windowHeight = kWindowSize;
    glViewport(0, 0, kWindowSize, kWindowSize);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(fieldOfView, 1.0, 0.001, 20.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(static_cast<float>(offsetX), static_cast<float>(offsetY),
                 static_cast<float>(offsetZ));
}

void Camera::apply() {
    glLoadIdentity();
    glTranslatef(static_cast<float>(offsetX), static_cast<float>(offsetY),
                 static_cast<float>(offsetZ));
}

void Camera::move(double dx, double dy, double dz) {
    offsetX += dx;
    offsetY += dy;
    offsetZ += dz;
    const World& world = World::instance();
    const double farthest = -(world.top - world.bottom) * 0.5;  // never taller than the world
    if (offsetZ > -1) {
        offsetZ = -1;
    } else if (offsetZ < farthest) {
        offsetZ = farthest;
    }
}

double Camera::halfExtent() const {
    return std::fabs(offsetZ) * std::tan(degToRad(static_cast<float>(fieldOfView * 0.5)));
}

void Camera::scroll(float dt) {
    offsetZ += dt * scrollVelocityZ;
    double cx = -(offsetX + dt * scrollVelocityX);
    double cy = -(offsetY + dt * scrollVelocityY);
    const float h = static_cast<float>(halfExtent());

    const World& world = World::instance();
    if (world.right - world.left < 2.0 * h) {
        cx = (world.right + world.left) * 0.5;
    } else if (cx > world.right - h) {
        cx = world.right - h;
    } else if (cx < world.left + h) {
        cx = world.left + h;
    }
    if (cy > world.top - h) {
        cy = world.top - h;
    } else if (cy < world.bottom + h) {
        cy = world.bottom + h;
    }
    offsetX = -cx;
    offsetY = -cy;
}

void Camera::edgeScroll(float x, float y, bool suppressScroll) {
    scrollVelocityX = 0;
    scrollVelocityY = 0;
    scrollVelocityZ = 0;
    const float bandX = static_cast<float>(windowWidth * kEdgeBandFraction);
    const float bandY = static_cast<float>(windowHeight * kEdgeBandFraction);
    if (suppressScroll) {
        return;
    }

    // Strength runs from 0 at a band's inner border to 1 at the window's edge,
    // and past 1 for positions beyond the window.
    float sx = 0;
    if (x >= windowWidth - bandX) {
        sx = -(1 - (windowWidth - x) / bandX);
    } else if (x <= bandX) {
        sx = 1 - x / bandX;
    }
    float sy = 0;
    if (y >= windowHeight - bandY) {
        sy = 1 - (windowHeight - y) / bandY;
    } else if (y <= bandY) {
        sy = -(1 - y / bandY);
    }
    scrollVelocityX = static_cast<float>(sx * sx * sx * kEdgeScrollSpeed);
    scrollVelocityY = static_cast<float>(sy * sy * sy * kEdgeScrollSpeed);
}
