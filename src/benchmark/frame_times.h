// frame_times.h -- the benchmark's figures from its frame times: by phase and in total
#pragma once

#include <vector>

// Frame times are counted to the nearest 10 microseconds up to 10 s; a longer frame counts as
// 10 s. The median and the percentile are then exact to 10 microseconds for any number of
// frames, in fixed memory; the sums and means use the times as measured.

struct FrameFigures {
    long long frames;
    double seconds;         // the frames' times added up
    double meanFps;         // frames / seconds; 0 when no time was counted
    double medianMs;        // milliseconds, nearest rank: the frame at rank ceil(0.5 frames)
    double percentile99Ms;  // milliseconds, nearest rank: the frame at rank ceil(0.99 frames)
};

// A run of consecutive frames drawn with the same display toggles.
struct PhaseFigures {
    int toggles;  // toggleBits() (flight/flight_input.h) of its frames
    long long firstTick;
    long long lastTick;
    FrameFigures figures;
};

// Forgets every frame counted.
void resetFrameTimes();

// Counts one frame of tick, drawn with toggles, that took seconds (below 0 counts as 0). A
// frame whose toggles differ from the previous frame's starts a new phase; phases are kept
// however many there are.
void addFrameTime(long long tick, int toggles, double seconds);

// Every phase so far, in order, the last one with the frames counted up to now.
const std::vector<PhaseFigures>& framePhases();

// The figures of all the frames counted.
FrameFigures frameTotals();
