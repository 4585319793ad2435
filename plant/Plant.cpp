#include "plant/Plant.h"

#include "app/World.h"
#include "plant/Stem.h"

Plant gPlant;

namespace {

// Entries ahead of the walk whose stems are fetched early: enough to cover the
// wait on memory for a stem that is nowhere in the caches.
constexpr std::size_t kLookAhead = 16;

void prefetchStem(const Stem* stem) {
    const char* bytes = reinterpret_cast<const char*>(stem);
    __builtin_prefetch(bytes);
    __builtin_prefetch(bytes + 64);
    __builtin_prefetch(bytes + sizeof(Stem) - 1);
}

// A pointer outside the world acts at the nearest point of its bounds.
void clampToWorld(float& x, float& y) {
    const World& world = World::instance();
    if (world.left > x) {
        x = static_cast<float>(world.left);
    } else if (world.right < x) {
        x = static_cast<float>(world.right);
    }
    if (world.bottom > y) {
        y = static_cast<float>(world.bottom);
    } else if (world.top < y) {
        y = static_cast<float>(world.top);
    }
}

}  // namespace

Plant::~Plant() {
    for (Stem* root : roots) {
        delete root;
    }
}

void Plant::addRoot(Stem* root) {
    roots.push_back(root);
}

void Plant::ensureStemList() {
    if (listVersion == stemTreeVersion() && listRoots == roots) {
        return;
    }
    stemList.clear();
    std::vector<Entry>& pending = nextStemList;  // free between updates
    pending.clear();
    for (std::size_t i = roots.size(); i-- > 0;) {
        pending.push_back({roots[i], 0});
    }
    while (!pending.empty()) {
        const Entry entry = pending.back();
        pending.pop_back();
        stemList.push_back(entry);
        const std::vector<Stem*>& children = entry.stem->children;
        for (std::size_t i = children.size(); i-- > 0;) {
            pending.push_back({children[i], entry.level + 1});
        }
    }
    listVersion = stemTreeVersion();
    listRoots = roots;
}

void Plant::update(float dt) {
    ensureStemList();
    nextStemList.clear();
    insertions.clear();
    const std::size_t count = stemList.size();
    std::size_t i = 0;
    for (;;) {
        // A stem's new shoots follow everything that was below it before, so
        // they go in where the walk leaves its old subtree.
        if (!insertions.empty() && (i == count || stemList[i].level <= insertions.back().level)) {
            Insertion& insertion = insertions.back();
            if (insertion.next < insertion.stem->children.size()) {
                Stem* shoot = insertion.stem->children[insertion.next++];
                stepStem(shoot, insertion.level + 1, dt);
            } else {
                insertions.pop_back();
            }
            continue;
        }
        if (i == count) {
            break;
        }
        if (i + kLookAhead < count) {
            prefetchStem(stemList[i + kLookAhead].stem);
        }
        stepStem(stemList[i].stem, stemList[i].level, dt);
        ++i;
    }
    stemList.swap(nextStemList);
    listVersion = stemTreeVersion();
    listRoots = roots;
}

void Plant::stepStem(Stem* stem, int32_t level, float dt) {
    nextStemList.push_back({stem, level});
    const std::size_t before = stem->children.size();
    stem->advance(dt);
    if (stem->children.size() > before) {
        insertions.push_back({stem, level, before});
    }
}

Stem* Plant::findNearest(float x, float y) {
    // The first root answers when no tip lies within the starting bound.
    NearestSearch search{roots.empty() ? nullptr : roots.front(), 1.0e9f};
    ensureStemList();
    const std::size_t count = stemList.size();
    for (std::size_t i = 0; i < count; ++i) {
        if (i + kLookAhead < count) {
            prefetchStem(stemList[i + kLookAhead].stem);
        }
        Stem* stem = stemList[i].stem;
        const float distanceSq = stem->tipDistanceSq(x, y);
        // Strictly nearer: on a tie the stem met first in pre-order stays.
        if (distanceSq < search.bestDistanceSq) {
            search.bestDistanceSq = distanceSq;
            search.best = stem;
        }
    }
    return search.best;
}

void Plant::eraseSubtree(const Stem* stem) {
    for (std::size_t i = 0; i < stemList.size(); ++i) {
        if (stemList[i].stem == stem) {
            std::size_t end = i + 1;
            while (end < stemList.size() && stemList[end].level > stemList[i].level) {
                ++end;
            }
            stemList.erase(stemList.begin() + static_cast<std::ptrdiff_t>(i + 1),
                           stemList.begin() + static_cast<std::ptrdiff_t>(end));
            return;
        }
    }
}

void Plant::press(float x, float y, bool leftDown, bool /*rightDown*/, bool buttonDown) {
    clampToWorld(x, y);
    if (buttonDown && leftDown) {
        if (Stem* nearest = findNearest(x, y)) {
            nearest->bud();
        }
    }
}

void Plant::drag(float x, float y, bool leftDown, bool rightDown) {
    clampToWorld(x, y);
    // Cleared before any prune, so it never points at a destroyed stem.
    hovered = nullptr;
    if (leftDown) {
        if (Stem* nearest = findNearest(x, y)) {
            nearest->bud();
        }
    } else if (rightDown) {
        if (Stem* nearest = findNearest(x, y)) {
            // findNearest has just brought the list up to date.
            nearest->prune();
            eraseSubtree(nearest);
            listVersion = stemTreeVersion();
        }
    } else {
        hovered = findNearest(x, y);
    }
}
