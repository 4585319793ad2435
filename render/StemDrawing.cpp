// The two drawing passes over a stem and everything below it, in pre-order.
#include <GL/gl.h>

#include "plant/Stem.h"
#include "plant/StemWalk.h"
#include "render/Sprites.h"

void Stem::drawJoints() {
    const bool root = parent == nullptr;
    if (root) {
        beginSprites(1, 1, 1, 1);
    }
    walkPreorder(*this, [](Stem& stem) {
        // Only stems wider than long get a joint, and the descent stops at
        // the first that is not: thick stems sit near the root.
        if (!(stem.width > stem.length)) {
            return false;
        }
        const float s = stem.width * 0.5f;
        glPushMatrix();
        {
            glTranslatef(stem.x, stem.y, 0);
            glScalef(s, s, 1);
            glCallList(static_cast<GLuint>(gJointList));
        }
        glPopMatrix();
        return true;
    });
    if (root) {
        endSprites();
    }
}

void Stem::drawStalks() {
    const bool root = parent == nullptr;
    if (root) {
        beginSprites(0, 0, 0, 1);
    }
    walkPreorder(*this, [](Stem& stem) {
        // The stalk stands on the base, turned from straight up.
        glPushMatrix();
        {
            glTranslatef(stem.x, stem.y, 0);
            glRotatef(stem.sway + stem.angle - 90, 0, 0, 1);
            glScalef(stem.width, stem.length, 1);
            glCallList(static_cast<GLuint>(gStalkList));
        }
        glPopMatrix();
        return true;
    });
    if (root) {
        endSprites();
    }
}
