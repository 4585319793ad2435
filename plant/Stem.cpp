#include "plant/Stem.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "app/Angles.h"
#include "app/World.h"
#include "plant/Random.h"
#include "plant/StemWalk.h"
#include "render/Sprites.h"

namespace {

uint64_t gTreeVersion = 0;

}  // namespace

// Never destroyed, since gPlant's destructor walks through it at exit.
std::vector<Stem*>& stemWalkStack() {
    static std::vector<Stem*>* stack = new std::vector<Stem*>();
    return *stack;
}

uint64_t stemTreeVersion() {
    return gTreeVersion;
}

Stem::Stem() : growthSeed(randomUnit(1.0f)) {}

Stem::~Stem() {
    destroyDescendants();
    ++gTreeVersion;
}

void Stem::attach(Stem* parent_, int depth_) {
    parent = parent_;
    depth = depth_;
    buildStemSprites();
}

void Stem::update(float dt) {
    // Children are walked after their parent advanced, so shoots budded just
    // now get their first update in this same frame.
    walkPreorder(*this, [dt](Stem& stem) {
        stem.advance(dt);
        return true;
    });
}

void Stem::advance(float dt) {
    age += dt;

    // Radians per second; deeper stems swing faster, a root not at all.
    const double rate = std::min(depth * 0.25, 4.0);
    sway = static_cast<float>(std::sin(age * rate) * 10.0);

    const double fullWidth = (height + 1) * 0.05;
    width = static_cast<float>(fullWidth);

    // The parent was advanced earlier in this walk, so the child follows its
    // sway without lag.
    if (parent != nullptr) {
        x = parent->x + parent->tipOffsetX();
        y = parent->y + parent->tipOffsetY();
    }

    const double growingTime = growthSeed * 0.5;
    switch (state) {
        case Growing: {
            const double fullLength = (growthSeed + 0.5) * 0.75 + 0.125;
            // One frame behind: the fraction uses the time before this update.
            // A growing time of 0 has no fraction and completes below.
            if (growingTime > 0) {
                const double fraction = stateTime / growingTime;
                length = static_cast<float>(fullLength * fraction);
                width = static_cast<float>(fullWidth * fraction);
            }
            stateTime += dt;
            if (stateTime >= growingTime) {
                length = static_cast<float>(fullLength);
                width = static_cast<float>(fullWidth);
                state = Budding;
                stateTime = 0;
            }
            break;
        }
        case Budding:
            budShoots();
            break;
        case Grown:
            break;
    }
}

void Stem::budShoots() {
    // Drawn even outside the world, so the sequence of numbers does not depend
    // on where the stem stands.
    const int shoots = randomInt(3) + extraShoots;
    extraShoots = 0;

    const World& world = World::instance();
    const bool outside = world.right < x || world.left > x || world.top < y || world.bottom > y;
    if (!outside) {
        for (int i = 0; i < shoots; ++i) {
            Stem* shoot = new Stem();
            shoot->attach(this, depth + 1);
            shoot->x = x + tipOffsetX();
            shoot->y = y + tipOffsetY();
            shoot->angle = angle + randomRange(0, 25);  // the parent's sway is left out
            addChild(shoot);
        }
    }
    state = Grown;
    stateTime = 0;
}

void Stem::addChild(Stem* child) {
    children.push_back(child);
    ++gTreeVersion;
    recomputeHeight();
}

void Stem::recomputeHeight() {
    // Only a change travels upwards.
    for (Stem* stem = this; stem != nullptr; stem = stem->parent) {
        int32_t newHeight = 0;
        for (const Stem* child : stem->children) {
            newHeight = std::max(newHeight, child->height + 1);
        }
        if (newHeight == stem->height) {
            return;
        }
        stem->height = newHeight;
    }
}

void Stem::prune() {
    destroyDescendants();
    recomputeHeight();
}

void Stem::destroyDescendants() {
    if (children.empty()) {
        return;
    }
    // Post-order, first child first: each stem is destroyed after everything
    // below it. A stem stays on the stack under its children and is destroyed
    // when it comes up again with its list emptied.
    std::vector<Stem*>& stack = stemWalkStack();
    const std::size_t base = stack.size();
    pushChildren(stack, children);
    children.clear();
    while (stack.size() > base) {
        Stem* stem = stack.back();
        if (!stem->children.empty()) {
            pushChildren(stack, stem->children);
            stem->children.clear();
            continue;
        }
        stack.pop_back();
        delete stem;
    }
}

void Stem::bud() {
    extraShoots = 1;  // however often asked before the next update
    state = Budding;
    stateTime = 0;
}

// Children stand at 0.8 of the length, inside the last fifth of the stalk.
void Stem::computeTip() const {
    const float heading = angle + sway;
    const double radians = degToRad(heading);
    tipX = static_cast<float>(std::cos(radians) * (length * 0.8));
    tipY = static_cast<float>(std::sin(radians) * (length * 0.8));
    tipHeading = heading;
    tipLength = length;
}

void Stem::searchNearest(NearestSearch& search, float px, float py) {
    walkPreorder(*this, [&search, px, py](Stem& stem) {
        const float distanceSq = stem.tipDistanceSq(px, py);
        // Strictly nearer: on a tie the stem met first in pre-order stays.
        if (distanceSq < search.bestDistanceSq) {
            search.bestDistanceSq = distanceSq;
            search.best = &stem;
        }
        return true;
    });
}
