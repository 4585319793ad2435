// Drawing the plant: joints, stalks and the selector ring.
#include "plant/Plant.h"

void Plant::draw() {}
