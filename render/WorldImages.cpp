// The backdrop, stretched over the world's bounds, and the two full-window pages.
#include <GL/gl.h>

#include <cmath>

#include "app/World.h"
#include "render/Sprites.h"
#include "render/TextureCache.h"

namespace {

const char* const kBackgroundImage = "./res/images/background2.tga";
const char* const kTitleImage = "./res/images/titlescreen.tga";
const char* const kInstructionsImage = "./res/images/instructions.tga";

// Texture name 0 (a failed load) is bound all the same: the quad then shows
// untextured in the current colour.
unsigned int compileImageList(int texture) {
    const GLuint list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    {
        glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(texture));
        drawCentredQuad();
    }
    glEndList();
    return list;
}

// At distance 0.5 under the 90 degree projection the visible half-extent is
// 0.5, so the unit quad fills the window whatever the camera does.
void drawPage(unsigned int list) {
    glEnable(GL_TEXTURE_2D);
    glColor4f(1, 1, 1, 1);
    glPushMatrix();
    {
        glLoadIdentity();
        glTranslatef(0, 0, -0.5f);
        glCallList(list);
    }
    glPopMatrix();
    glDisable(GL_TEXTURE_2D);
    glColor4f(1, 1, 1, 1);
}

}  // namespace

void World::loadImages() {
    backgroundTexture = loadTexture(kBackgroundImage, false, false);
    backgroundList = compileImageList(backgroundTexture);
    titleList = compileImageList(loadTexture(kTitleImage, false, false));
    instructionsList = compileImageList(loadTexture(kInstructionsImage, false, false));
}

void World::drawBackground() {
    // Blended like a sprite, so texels with alpha 0 leave the clear colour.
    beginSprites(1, 1, 1, 1);
    // Just behind the plant's plane, so the plant always covers it.
    glPushMatrix();
    {
        glTranslatef(static_cast<float>((right + left) / 2), static_cast<float>((bottom + top) / 2),
                     -0.002f);
        glScalef(static_cast<float>(std::fabs(left - right)),
                 static_cast<float>(std::fabs(top - bottom)), 1);
        glCallList(backgroundList);
    }
    glPopMatrix();
    endSprites();
}

void World::drawTitle() {
    drawPage(titleList);
}

void World::drawInstructions() {
    drawPage(instructionsList);
}
