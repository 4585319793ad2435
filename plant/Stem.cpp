#include "plant/Stem.h"

Stem::Stem() {}

void Stem::attach(Stem* parent_, int depth_) {
    parent = parent_;
    depth = depth_;
}
