// Helpers for tests that build plants by hand and check their shape.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <sstream>
#include <vector>

#include "plant/Plant.h"
#include "plant/Random.h"
#include "plant/Stem.h"

// The first draw does the one-time seeding from the clock; seeding again after
// it gives the same numbers on every run.
inline void seedRandom(unsigned seed) {
    randomInt(1);
    std::srand(seed);
}

// The values rand gives after srand(seed). Building one leaves the generator
// freshly seeded with seed, so the code under test draws these same values.
class RandSequence {
  public:
    explicit RandSequence(unsigned seed) {
        std::srand(seed);
        for (int& value : values) {
            value = std::rand();
        }
        std::srand(seed);
    }
    int at(std::size_t index) const { return values[index]; }
    // How many values were drawn, given the next value rand returns.
    std::size_t drawsBefore(int nextValue) const {
        for (std::size_t i = 0; i < kCount; ++i) {
            if (values[i] == nextValue) {
                return i;
            }
        }
        return kCount;
    }

  private:
    static constexpr std::size_t kCount = 64;
    int values[kCount];
};

// A grown stem placed by hand, attached and added as the game does.
inline Stem* makeStem(Stem* parent, float x, float y, float angle, float length) {
    Stem* stem = new Stem();
    stem->attach(parent, parent != nullptr ? parent->depth + 1 : 0);
    stem->x = x;
    stem->y = y;
    stem->angle = angle;
    stem->length = length;
    stem->state = Grown;
    if (parent != nullptr) {
        parent->addChild(stem);
    }
    return stem;
}

// A grown child standing at its parent's tip.
inline Stem* makeChild(Stem* parent, float angle, float length) {
    return makeStem(parent, parent->x + parent->tipOffsetX(), parent->y + parent->tipOffsetY(),
                    angle, length);
}

inline void clearPlant(Plant& plant) {
    plant.hovered = nullptr;
    for (Stem* root : plant.roots) {
        delete root;
    }
    plant.roots.clear();
}

// Each root, then its children in order, depth first.
inline std::vector<Stem*> preorder(const std::vector<Stem*>& roots) {
    std::vector<Stem*> order;
    std::vector<Stem*> pending(roots.rbegin(), roots.rend());
    while (!pending.empty()) {
        Stem* stem = pending.back();
        pending.pop_back();
        order.push_back(stem);
        pending.insert(pending.end(), stem->children.rbegin(), stem->children.rend());
    }
    return order;
}

inline std::size_t indexOf(const std::vector<Stem*>& stems, const Stem* stem) {
    for (std::size_t i = 0; i < stems.size(); ++i) {
        if (stems[i] == stem) {
            return i;
        }
    }
    return stems.size();
}

// Depth, height, parent links, a child's base at its parent's tip and
// extraShoots 0 or 1, for every stem of the plant.
inline ::testing::AssertionResult treeInvariantsHold(const Plant& plant) {
    for (const Stem* stem : preorder(plant.roots)) {
        std::ostringstream where;
        where << "stem at depth " << stem->depth << " (" << stem->x << ", " << stem->y << "): ";
        int expectedHeight = 0;
        for (const Stem* child : stem->children) {
            if (child->parent != stem) {
                return ::testing::AssertionFailure() << where.str() << "child links elsewhere";
            }
            if (child->depth != stem->depth + 1) {
                return ::testing::AssertionFailure()
                       << where.str() << "child depth " << child->depth;
            }
            if (child->x != stem->x + stem->tipOffsetX() ||
                child->y != stem->y + stem->tipOffsetY()) {
                return ::testing::AssertionFailure() << where.str() << "child base (" << child->x
                                                     << ", " << child->y << ") is not at the tip";
            }
            expectedHeight = std::max(expectedHeight, child->height + 1);
        }
        if (stem->height != expectedHeight) {
            return ::testing::AssertionFailure()
                   << where.str() << "height " << stem->height << ", expected " << expectedHeight;
        }
        if (stem->extraShoots != 0 && stem->extraShoots != 1) {
            return ::testing::AssertionFailure()
                   << where.str() << "extraShoots " << stem->extraShoots;
        }
    }
    for (const Stem* root : plant.roots) {
        if (root->parent != nullptr || root->depth != 0) {
            return ::testing::AssertionFailure() << "a root with a parent or depth " << root->depth;
        }
    }
    return ::testing::AssertionSuccess();
}
