// Animated text labels. Nothing adds one, so the list stays empty.
#pragma once

class PopupList {
  public:
    static PopupList& instance();

    void update(float dt);
    void draw();
};
