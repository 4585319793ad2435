// Textured unit quads compiled into display lists, and the state every sprite
// draw sets up and takes down again.
//
// The rule for every draw in the game: whatever turns on texturing, blending
// or the alpha test turns them off again and leaves the colour opaque white.
#pragma once

// Stalk and joint sprites, shared by every stem; -1 until made.
extern int gStalkList;
extern int gStalkTexture;
extern int gJointList;
extern int gJointTexture;

// Makes a centred sprite's display list once: loads the image into texture
// unless texture already holds a name, then records its bind and the quad.
void buildSpriteList(int& list, int& texture, const char* path);

// Makes the stalk and joint sprites on the first call; later calls do nothing.
void buildStemSprites();

// Unit quads in the plane z = 0 with t = 0 on the upper edge, wound
// counter-clockwise: centred on the origin, or standing on it and rising
// along +y.
void drawCentredQuad();
void drawBaseAnchoredQuad();

// Texturing, blending (by source alpha) and the alpha test (alpha > 0) on,
// with the pass's colour; the end puts them off and the colour back to white.
void beginSprites(float r, float g, float b, float a);
void endSprites();
