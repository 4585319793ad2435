// The plant: its root stems, the hovered stem and the selector ring.
#pragma once

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
    void update(float dt);
    void draw();

    std::vector<Stem*> roots;
    Stem* hovered = nullptr;
    int selectorList = -1;
};

extern Plant gPlant;
