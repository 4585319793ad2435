// One segment of the plant: a tree node that owns its children.
#pragma once

class Stem {
public:
    Stem();

    void attach(Stem* parent, int depth);

    float x = 0;
    float y = 1.0f;
    int depth = 0;
    Stem* parent = nullptr;
};
