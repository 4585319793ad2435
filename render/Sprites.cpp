#include "render/Sprites.h"

#include <GL/gl.h>

#include "render/TextureCache.h"

int gStalkList = -1;
int gStalkTexture = -1;
int gJointList = -1;
int gJointTexture = -1;

namespace {
const char* const kStalkImage = "./res/images/vizidevStalk_green.tga";
const char* const kJointImage = "./res/images/circle_black.tga";
}  // namespace

void drawCentredQuad() {
    glBegin(GL_QUADS);
    {
        glNormal3f(0, 0, 1);
        glTexCoord2f(0, 1);
        glVertex3f(-0.5f, -0.5f, 0);
        glTexCoord2f(1, 1);
        glVertex3f(0.5f, -0.5f, 0);
        glTexCoord2f(1, 0);
        glVertex3f(0.5f, 0.5f, 0);
        glTexCoord2f(0, 0);
        glVertex3f(-0.5f, 0.5f, 0);
    }
    glEnd();
}

void drawBaseAnchoredQuad() {
    glBegin(GL_QUADS);
    {
        glNormal3f(0, 0, 1);
        glTexCoord2f(0, 1);
        glVertex3f(-0.5f, 0, 0);
        glTexCoord2f(1, 1);
        glVertex3f(0.5f, 0, 0);
        glTexCoord2f(1, 0);
        glVertex3f(0.5f, 1, 0);
        glTexCoord2f(0, 0);
        glVertex3f(-0.5f, 1, 0);
    }
    glEnd();
}

void buildSpriteList(int& list, int& texture, const char* path) {
    if (list >= 0) {
        return;
    }
    // Loaded before the list is opened, so the list records no upload.
    if (texture < 0) {
        texture = loadTexture(path, false, false);
    }
    list = static_cast<int>(glGenLists(1));
    glNewList(static_cast<GLuint>(list), GL_COMPILE);
    {
        glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(texture));
        drawCentredQuad();
    }
    glEndList();
}

void buildStemSprites() {
    if (gStalkTexture < 0) {
        gStalkTexture = loadTexture(kStalkImage, false, false);
    }
    if (gStalkList < 0) {
        gStalkList = static_cast<int>(glGenLists(1));
        glNewList(static_cast<GLuint>(gStalkList), GL_COMPILE);
        glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(gStalkTexture));
        drawBaseAnchoredQuad();
        glEndList();
    }
    buildSpriteList(gJointList, gJointTexture, kJointImage);
}

void beginSprites(float r, float g, float b, float a) {
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0);
    glColor4f(r, g, b, a);
}

void endSprites() {
    glDisable(GL_BLEND);
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_TEXTURE_2D);
    glColor4f(1, 1, 1, 1);
}
