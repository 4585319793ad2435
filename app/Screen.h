// The screen states the game moves through: two pages, then the plant.
#pragma once

enum Screen : int {
    Title = 0,
    Instructions = 1,
    Playing = 2,
};

// Static storage, so it reads Title before start-up sets it.
extern int gScreen;
