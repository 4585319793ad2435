// GLUT's input callbacks: each fetches the input controller and forwards.
#pragma once

void onMotion(int x, int y);
void onPassiveMotion(int x, int y);
void onMouse(int button, int state, int x, int y);
void onKeyboard(unsigned char key, int x, int y);
void onKeyIgnored(unsigned char key, int x, int y);
void onKeyIgnored(int key, int x, int y);
