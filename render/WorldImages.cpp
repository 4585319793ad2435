// The backdrop and the two full-window pages.
#include "app/World.h"

void World::loadImages() {}

void World::drawBackground() {}

void World::drawTitle() {}

void World::drawInstructions() {}
