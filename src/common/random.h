// random.h -- the program's own pseudo-random generator: one fixed sequence on every platform
#pragma once

// The largest value nextRandom returns; the smallest is 0.
inline constexpr int kRandomMax = 32767;

// Restarts the sequence from the given seed. Start-up seeds it with a fixed seed (app/main.cpp).
void seedRandom(unsigned int seed);

// The next value of the sequence, 0 to kRandomMax. The portable generator of the C standard's
// example in unsigned 32-bit arithmetic, so every C library and platform gives the same values.
int nextRandom();
