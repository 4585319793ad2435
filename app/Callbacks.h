// GLUT's window callbacks: each fetches its singleton and forwards.
#pragma once

void onReshape(int width, int height);
void onDisplay();
void onIdle();
