// Walks over a stem and everything below it with a stack on the heap, not the
// call stack: a chain of stems can grow deeper than the call stack allows.
#pragma once

#include <cstddef>
#include <vector>

#include "plant/Stem.h"

// The stack every walk shares. Each walk uses only the part above the size it
// found, so a walk started inside another (a destructor during a prune)
// leaves the outer one intact.
std::vector<Stem*>& stemWalkStack();

// Pushed last to first, so the first child comes off the stack first.
inline void pushChildren(std::vector<Stem*>& stack, const std::vector<Stem*>& children) {
    for (std::size_t i = children.size(); i-- > 0;) {
        stack.push_back(children[i]);
    }
}

// Visits root and the stems below it in pre-order, children in order. The
// children are read after the visit, so shoots it adds are walked too; where
// visit returns false the walk does not descend.
template <typename Visit>
void walkPreorder(Stem& root, Visit visit) {
    std::vector<Stem*>& stack = stemWalkStack();
    const std::size_t base = stack.size();
    stack.push_back(&root);
    while (stack.size() > base) {
        Stem* stem = stack.back();
        stack.pop_back();
        if (visit(*stem)) {
            pushChildren(stack, stem->children);
        }
    }
}
