// The plant's random numbers, drawn from the standard library's rand. The
// first call of any of them seeds the generator once from the clock.
#pragma once

// [0, n) for n > 0; 0 for n <= 0, without a draw.
int randomInt(int n);

// [0, scale), in 10000 even steps.
float randomUnit(float scale);

// [centre - spread, centre + spread), in 10000 even steps.
float randomRange(float centre, float spread);
