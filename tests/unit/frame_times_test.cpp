// frame_times_test.cpp -- the benchmark's figures from a known list of frame times
#include "benchmark/frame_times.h"

#include <gtest/gtest.h>

#include <tuple>

TEST(FrameTimes, PhasesAndTotalsFromKnownFrameTimes)
{
    resetFrameTimes();
    // Ticks 1-4 with toggles 0, ticks 5-7 with toggles 1, tick 8 with toggles 0 again.
    const double ms[] = {10, 40, 30, 20, 5, 100, 5, 16.67};
    const int toggles[] = {0, 0, 0, 0, 1, 1, 1, 0};
    for (int i = 0; i < 8; i++)
        addFrameTime(i + 1, toggles[i], ms[i] / 1000.0);
    struct Expected { int toggles; long long first, last, frames; double seconds, fps, median, p99; } expected[] = {
        {0, 1, 4, 4, 0.1, 40.0, 20.0, 40.0},
        {1, 5, 7, 3, 0.11, 3 / 0.11, 5.0, 100.0},
        {0, 8, 8, 1, 0.01667, 1 / 0.01667, 16.67, 16.67},
    };
    const std::vector<PhaseFigures>& phases = framePhases();
    ASSERT_EQ(phases.size(), 3u);
    for (int i = 0; i < 3; i++) {
        const Expected& e = expected[i];
        const PhaseFigures& p = phases[i];
        EXPECT_EQ(std::make_tuple(p.toggles, p.firstTick, p.lastTick, p.figures.frames, p.figures.medianMs,
                                  p.figures.percentile99Ms),
                  std::make_tuple(e.toggles, e.first, e.last, e.frames, e.median, e.p99)) << "phase " << i + 1;
        EXPECT_NEAR(p.figures.seconds, e.seconds, 1e-12) << "phase " << i + 1;
        EXPECT_NEAR(p.figures.meanFps, e.fps, 1e-9) << "phase " << i + 1;
    }
    // All eight in order: 5 5 10 16.67 20 30 40 100; nearest ranks 4 and 8.
    FrameFigures total = frameTotals();
    EXPECT_EQ(std::make_tuple(total.frames, total.medianMs, total.percentile99Ms), std::make_tuple(8LL, 16.67, 100.0));
    EXPECT_NEAR(total.seconds, 0.22667, 1e-12);
}

TEST(FrameTimes, EveryPhaseIsKeptAndLongFramesCountAsTenSeconds)
{
    resetFrameTimes();
    for (int tick = 1; tick <= 300; tick++)
        addFrameTime(tick, tick % 2, tick == 300 ? 25.0 : 0.001);
    const std::vector<PhaseFigures>& phases = framePhases();
    ASSERT_EQ(phases.size(), 300u);
    EXPECT_EQ(std::make_tuple(phases[299].firstTick, phases[299].toggles, phases[299].figures.medianMs,
                              phases[299].figures.seconds, phases[298].figures.medianMs),
              std::make_tuple(300LL, 0, 10000.0, 25.0, 1.0));
}
