// random.cpp -- the program's own pseudo-random generator: one fixed sequence on every platform
#include "common/random.h"

#include <cstdint>

// The generator's whole state; unsigned, so the multiplication wraps modulo 2^32 by definition.
static uint32_t randomState = 1;

void seedRandom(unsigned int seed)
{
    randomState = (uint32_t)seed;
}

int nextRandom()
{
    randomState = randomState * 1103515245u + 12345u;
    return (int)((randomState / 65536u) % 32768u);
}
