// The two drawing passes over a stem and everything below it. They walk with
// a stack of their own, in pre-order, since a chain of stems can grow deeper
// than the call stack allows.
#include <GL/gl.h>

#include <cstddef>
#include <vector>

#include "plant/Stem.h"
#include "render/Sprites.h"

namespace {

// Visits root and the stems below it in pre-order, children in order;
// descends below a stem only where visit returns true.
template <typename Visit>
void walkPreorder(const Stem& root, Visit visit) {
    static std::vector<const Stem*> stack;
    stack.clear();
    stack.push_back(&root);
    while (!stack.empty()) {
        const Stem& stem = *stack.back();
        stack.pop_back();
        if (!visit(stem)) {
            continue;
        }
        // Last to first, so the first child comes off the stack first.
        for (std::size_t i = stem.children.size(); i-- > 0;) {
            stack.push_back(stem.children[i]);
        }
    }
}

}  // namespace

void Stem::drawJoints() {
    const bool root = parent == nullptr;
    if (root) {
        beginSprites(1, 1, 1, 1);
    }
    walkPreorder(*this, [](const Stem& stem) {
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
    walkPreorder(*this, [](const Stem& stem) {
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
