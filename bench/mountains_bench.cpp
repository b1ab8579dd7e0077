// mountains_bench.cpp -- cost of building the three mountains: the program against a quadratic reference search
#include "common/random.h"
#include "mountains/mountains.h"
#include "support/mountain_oracle.h"

#include <benchmark/benchmark.h>

#include <cstring>

// Generation, weld and normals of all three slots, as start-up runs them.
static void buildAllMountains(benchmark::State& state)
{
    for (auto _ : state) {
        seedRandom(2);
        buildMountains();
        benchmark::DoNotOptimize(mountainSlots[2].normals[1023]);
    }
}
BENCHMARK(buildAllMountains)->Unit(benchmark::kMillisecond);

// The same build with every free-entry search and every weld search scanning from entry 0.
static void buildMountainsByQuadraticReferenceSearch(benchmark::State& state)
{
    static MountainSlot reference[kMountainSlots];
    for (auto _ : state) {
        memset(reference, 0, sizeof(reference));
        seedRandom(2);
        referenceGenerateMountains(reference);
        for (int slot = 0; slot < kMountainSlots; slot++)
            referenceMountainNormals(reference[slot]);
        benchmark::DoNotOptimize(reference[2].normals[1023]);
    }
}
BENCHMARK(buildMountainsByQuadraticReferenceSearch)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
