// One segment of the plant: a tree node that owns its children and links back
// to its parent. Positions and lengths in world units, angles in degrees
// (anticlockwise from +x), times in seconds.
#pragma once

#include <cstdint>
#include <limits>
#include <vector>

enum StemState : int32_t {
    Growing = 0,
    Budding = 1,
    Grown = 2,
};

class Stem;

// Carries one nearest-tip search through the tree.
struct NearestSearch {
    Stem* best;            // nearest stem so far, not owned
    float bestDistanceSq;  // world units squared, from the search point to best's tip
};

// Counts changes to the shape of every tree of stems: each addChild and each
// destroyed stem. A walker that keeps its own list of stems (the plant) knows
// from it when the list is out of date.
uint64_t stemTreeVersion();

class Stem {
  public:
    Stem();
    // Frees whatever still hangs below, one stem at a time, so a long chain
    // never recurses.
    ~Stem();
    Stem(const Stem&) = delete;
    Stem& operator=(const Stem&) = delete;

    void attach(Stem* parent, int depth);
    // Advances this stem and then everything below it, in pre-order.
    void update(float dt);
    void addChild(Stem* child);
    void recomputeHeight();
    void prune();
    void bud();
    float tipOffsetX() const {
        refreshTip();
        return tipX;
    }
    float tipOffsetY() const {
        refreshTip();
        return tipY;
    }
    void searchNearest(NearestSearch& search, float x, float y);

    // Drawing passes, called on a root; they cover everything below it.
    void drawJoints();
    void drawStalks();

    float growthSeed;  // [0, 1): fixes both growing time and full length
    float x = 0;       // base
    float y = 1.0f;
    float angle = 90;  // heading without sway
    float sway = 0;    // added to angle wherever the direction is used
    float length = 1.0f;
    float width = 1.25f;
    float age = 0;        // s since the stem was made
    float stateTime = 0;  // s in the current state
    StemState state = Growing;
    int32_t extraShoots = 0;      // 0 or 1: shoots the player asked for at the next budding
    int32_t depth = 0;            // 0 for a root, parent's depth + 1 otherwise
    int32_t height = 0;           // stems in the longest chain below; 0 without children
    std::vector<Stem*> children;  // owned, in the order they were made
    Stem* parent = nullptr;       // not owned; null for a root

  private:
    // The plant steps its stems through a list of its own (Plant::update).
    friend class Plant;

    // Steps this stem alone, without its children; shoots budded here are
    // appended to children.
    void advance(float dt);
    // Squared distance from a point to the tip, in square world units.
    float tipDistanceSq(float px, float py) const {
        const float dx = px - (x + tipOffsetX());
        const float dy = py - (y + tipOffsetY());
        return dx * dx + dy * dy;
    }
    void refreshTip() const {
        if (angle + sway != tipHeading || length != tipLength) {
            computeTip();
        }
    }
    void computeTip() const;
    void budShoots();
    void destroyDescendants();

    // The tip offsets for the heading and length they were computed from, so
    // that a stem's children and every search between two frames share one
    // sine and cosine. NaN keys match nothing: the first use computes.
    mutable float tipHeading = std::numeric_limits<float>::quiet_NaN();
    mutable float tipLength = std::numeric_limits<float>::quiet_NaN();
    mutable float tipX = 0;
    mutable float tipY = 0;
};
