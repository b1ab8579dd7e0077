// mountains_bench.cpp -- cost of building the three mountains: the program against the literal procedures
#include "common/random.h"
#include "mountains/mountains.h"
#include "support/mountain_oracle.h"

#include <benchmark/benchmark.h>

#include <cstring>

// Generation, weld and normals of all three slots, as start-up runs them.
static void buildMountains(benchmark::State& state)
{
    for (auto _ : state) {
        seedRandom(2);
        generateMountains();
        for (int slot = 0; slot < kMountainSlots; slot++)
            computeMountainNormals(slot);
        benchmark::DoNotOptimize(mountainSlots[2].normals[1023]);
    }
}
BENCHMARK(buildMountains)->Unit(benchmark::kMillisecond);

// The same build with every free-entry search and every weld search scanning from entry 0.
static void buildMountainsLiterally(benchmark::State& state)
{
    static MountainSlot literal[kMountainSlots];
    for (auto _ : state) {
        memset(literal, 0, sizeof(literal));
        seedRandom(2);
        generateMountainsLiterally(literal);
        for (int slot = 0; slot < kMountainSlots; slot++)
            computeMountainNormalsLiterally(literal[slot]);
        benchmark::DoNotOptimize(literal[2].normals[1023]);
    }
}
BENCHMARK(buildMountainsLiterally)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
