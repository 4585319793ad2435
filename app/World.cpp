#include "app/World.h"

World& World::instance() {
    static World world;
    return world;
}

void World::setBounds(double top_, double right_, double bottom_, double left_) {
    top = top_;
    right = right_;
    bottom = bottom_;
    left = left_;
}
