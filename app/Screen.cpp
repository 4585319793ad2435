#include "app/Screen.h"

int gScreen = Title;
