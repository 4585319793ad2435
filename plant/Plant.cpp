#include "plant/Plant.h"

#include "plant/Stem.h"

Plant gPlant;

Plant::~Plant() {
    for (Stem* root : roots) {
        delete root;
    }
}

void Plant::init() {}

void Plant::addRoot(Stem* root) {
    roots.push_back(root);
}

void Plant::update(float) {}
