// frame_times.cpp -- the benchmark's figures from its frame times: by phase and in total
#include "benchmark/frame_times.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

static const double kStepsPerSecond = 100000.0;  // frame times are counted in 10 us steps
static const int kStepSlots = 1000001;           // steps 0 .. 10 s; longer frames count as 10 s

// Frame counts by time step. Only the steps touched are listed, so clearing and ranking cost
// the frames counted, not the whole table. A run holds at most 1000000001 frames (one per
// tick of a flight file), so a count fits in 32 bits.
struct Histogram {
    uint32_t counts[kStepSlots];
    int touched[kStepSlots];
    int touchedCount;
    long long frames;
    double seconds;
};

static Histogram allFrames;
static Histogram phaseFrames;  // the frames of the last phase
static std::vector<PhaseFigures> phases;

static void count(Histogram& histogram, int step, double seconds)
{
    if (histogram.counts[step]++ == 0)
        histogram.touched[histogram.touchedCount++] = step;
    histogram.frames++;
    histogram.seconds += seconds;
}

static void clear(Histogram& histogram)
{
    for (int i = 0; i < histogram.touchedCount; i++)
        histogram.counts[histogram.touched[i]] = 0;
    histogram.touchedCount = 0;
    histogram.frames = 0;
    histogram.seconds = 0.0;
}

// Milliseconds of the frame at the nearest rank of fraction, from the steps in order.
static double rankedMs(const Histogram& histogram, double fraction)
{
    long long rank = std::max(1LL, (long long)std::ceil(fraction * (double)histogram.frames));
    long long seen = 0;
    for (int i = 0; i < histogram.touchedCount; i++) {
        seen += histogram.counts[histogram.touched[i]];
        if (seen >= rank)
            return histogram.touched[i] / 100.0;
    }
    return 0.0;
}

static FrameFigures figuresOf(Histogram& histogram)
{
    if (histogram.frames == 0)
        return {0, 0.0, 0.0, 0.0, 0.0};
    std::sort(histogram.touched, histogram.touched + histogram.touchedCount);
    double fps = histogram.seconds > 0.0 ? (double)histogram.frames / histogram.seconds : 0.0;
    return {histogram.frames, histogram.seconds, fps, rankedMs(histogram, 0.5), rankedMs(histogram, 0.99)};
}

void resetFrameTimes()
{
    clear(allFrames);
    clear(phaseFrames);
    phases.clear();
}

void addFrameTime(long long tick, int toggles, double seconds)
{
    seconds = seconds > 0.0 ? seconds : 0.0;
    if (phases.empty() || phases.back().toggles != toggles) {
        if (!phases.empty())
            phases.back().figures = figuresOf(phaseFrames);
        clear(phaseFrames);
        phases.push_back({toggles, tick, tick, {}});
    }
    phases.back().lastTick = tick;
    int step = (int)std::llround(std::min(seconds, (kStepSlots - 1) / kStepsPerSecond) * kStepsPerSecond);
    count(allFrames, step, seconds);
    count(phaseFrames, step, seconds);
}

const std::vector<PhaseFigures>& framePhases()
{
    if (!phases.empty())
        phases.back().figures = figuresOf(phaseFrames);
    return phases;
}

FrameFigures frameTotals()
{
    return figuresOf(allFrames);
}
