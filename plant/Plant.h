// The plant: its root stems, the stem the pointer marks, the selector ring,
// and the pointer's actions on the stem whose tip is nearest.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class Stem;

class Plant {
  public:
    Plant() = default;
    ~Plant();
    Plant(const Plant&) = delete;
    Plant& operator=(const Plant&) = delete;

    void init();
    void addRoot(Stem* root);
    // Steps every stem by dt: each root and everything below it, in pre-order.
    void update(float dt);
    void draw();
    Stem* findNearest(float x, float y);
    // A mouse-button event at a world point; only a left press acts.
    void press(float x, float y, bool leftDown, bool rightDown, bool buttonDown);
    // A pointer movement at a world point: bud (left held), cut (right held
    // without left) or mark the nearest stem.
    void drag(float x, float y, bool leftDown, bool rightDown);

    std::vector<Stem*> roots;  // owned, in the order they were added
    Stem* hovered = nullptr;   // marked by the selector ring; not owned
    int selectorList = -1;     // GL display list of the ring, -1 until init

  private:
    struct Entry {
        Stem* stem;
        int32_t level;  // 0 for a root: the number of stems above it
    };
    struct Insertion {
        Stem* stem;  // budded during this update
        int32_t level;
        std::size_t next;  // its first child not yet in the new list
    };

    // A big plant's stems lie all over the heap, and a walk from stem to stem
    // waits on memory at every step. The plant keeps every stem in one flat
    // list in pre-order (each root, then its children in order, depth first),
    // walks that list in the same order as the tree walk would, and asks for
    // the stems ahead of time. The list follows the budding of its updates and
    // the cuts of its drags; any other change to the tree's shape, seen
    // through stemTreeVersion, has it rebuilt before the next walk.
    void ensureStemList();
    void stepStem(Stem* stem, int32_t level, float dt);
    void eraseSubtree(const Stem* stem);

    std::vector<Entry> stemList;
    std::vector<Entry> nextStemList;      // filled by update, then swapped in
    std::vector<Insertion> insertions;    // update's budded stems, innermost last
    uint64_t listVersion = ~uint64_t{0};  // stemTreeVersion when stemList was right
    std::vector<Stem*> listRoots;         // roots then
};

extern Plant gPlant;
