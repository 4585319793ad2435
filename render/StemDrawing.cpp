// The two drawing passes over a stem and everything below it.
#include <GL/gl.h>

#include "plant/Stem.h"
#include "render/Sprites.h"

void Stem::drawJoints() {
    const bool root = parent == nullptr;
    if (root) {
        beginSprites(1, 1, 1, 1);
    }
    // Only stems wider than long get a joint, and the descent stops with the
    // first that is not: thick stems sit near the root.
    if (width > length) {
        const float s = width * 0.5f;
        glPushMatrix();
        {
            glTranslatef(x, y, 0);
            glScalef(s, s, 1);
            glCallList(static_cast<GLuint>(gJointList));
        }
        glPopMatrix();
        for (Stem* child : children) {
            child->drawJoints();
        }
    }
    if (root) {
        endSprites();
    }
}

void Stem::drawStalks() {
    const bool root = parent == nullptr;
    if (root) {
        beginSprites(0, 0, 0, 1);
    }
    glPushMatrix();
    {
        glTranslatef(x, y, 0);
        glRotatef(sway + angle - 90, 0, 0, 1);
        glScalef(width, length, 1);
        glCallList(static_cast<GLuint>(gStalkList));
    }
    glPopMatrix();
    for (Stem* child : children) {
        child->drawStalks();
    }
    if (root) {
        endSprites();
    }
}
