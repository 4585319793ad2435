#include "plant/Random.h"

#include <cstdlib>
#include <ctime>

namespace {

bool gRandomSeeded = false;

// Seeding on first use rather than at start-up: a test seeds again after its
// first draw and then sees the same numbers on every run.
void seedOnce() {
    if (!gRandomSeeded) {
        gRandomSeeded = true;
        std::srand(static_cast<unsigned>(std::time(nullptr)));
    }
}

float unitStep() {
    return static_cast<float>(std::rand() % 10000) * 0.0001f;  // [0, 0.9999]
}

}  // namespace

int randomInt(int n) {
    seedOnce();
    if (n <= 0) {
        return 0;
    }
    return std::rand() % n;
}

float randomUnit(float scale) {
    seedOnce();
    return unitStep() * scale;
}

float randomRange(float centre, float spread) {
    seedOnce();
    const float lo = centre - spread;
    const float u = unitStep();
    return lo + u * ((centre + spread) - lo);
}
