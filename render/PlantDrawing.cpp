// Drawing the plant: joints, then stalks, root by root, then the selector ring.
#include <GL/gl.h>

#include "plant/Plant.h"
#include "plant/Stem.h"
#include "render/Sprites.h"

namespace {
const char* const kSelectorImage = "./res/images/selector.tga";
}  // namespace

void Plant::init() {
    int texture = -1;  // the ring's texture lives on only in its list
    buildSpriteList(selectorList, texture, kSelectorImage);
}

void Plant::draw() {
    for (Stem* root : roots) {
        root->drawJoints();
        root->drawStalks();
    }
    if (hovered == nullptr) {
        return;
    }
    // The ring sits where children attach and grows with the stem.
    const Stem& stem = *hovered;
    const float s = 2 * stem.width;
    beginSprites(0, 0, 0, 1);
    glPushMatrix();
    {
        glTranslatef(stem.x + stem.tipOffsetX(), stem.y + stem.tipOffsetY(), 0);
        glScalef(s, s, 1);
        glCallList(static_cast<GLuint>(selectorList));
    }
    glPopMatrix();
    endSprites();
}
