#include "app/PopupList.h"

PopupList& PopupList::instance() {
    static PopupList list;
    return list;
}

void PopupList::update(float) {}

void PopupList::draw() {}
