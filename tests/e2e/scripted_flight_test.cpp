// scripted_flight_test.cpp -- one flight with every control, checked the way a person would
// check it: by looking at the window after each step
#include "support/e2e.h"
#include "support/flight_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

static int brightness(const Screenshot& s, int x, int y)
{
    return s.r(x, y) + s.g(x, y) + s.b(x, y);
}

// The first row of sea under the bright haze of the sky's horizon band, as the median over
// columns clear of the aircraft; -1 when no such row is found. Scans up from the bottom.
static int horizonRow(const Screenshot& s)
{
    std::vector<int> rows;
    for (int x = 10; x < s.width; x += 20) {
        if (x > 125 && x < s.width - 125)
            continue;
        for (int y = s.height - 1; y > 0; y--) {
            if (brightness(s, x, y) > 600) {
                rows.push_back(y + 1);
                break;
            }
        }
    }
    if (rows.empty())
        return -1;
    std::sort(rows.begin(), rows.end());
    return rows[rows.size() / 2];
}

// Pixels in the band just above the horizon that are not sky-coloured: the mountains.
static int mountainPixels(const Screenshot& s, int horizon)
{
    int count = 0;
    for (int y = std::max(0, horizon - 20); y < horizon; y++)
        for (int x = 0; x < s.width; x += 2)
            count += s.r(x, y) > s.b(x, y) + 15 ? 1 : 0;
    return count;
}

// Mean red of the sea just below the horizon: the fog colour is redder than the sea.
static double seaRedNearHorizon(const Screenshot& s, int horizon)
{
    double sum = 0.0;
    int n = 0;
    for (int y = horizon + 1; y < horizon + 5; y++)
        for (int x = 0; x < s.width; x += 3, n++)
            sum += s.r(x, y);
    return sum / n;
}

struct UpperHalf {
    double black;  // share of black pixels
    double blue;   // share of sky-blue pixels
};

static UpperHalf upperHalf(const Screenshot& s)
{
    int black = 0, blue = 0, n = 0;
    for (int y = 0; y < s.height / 2; y += 3) {
        for (int x = 0; x < s.width; x += 3, n++) {
            black += brightness(s, x, y) < 30 ? 1 : 0;
            blue += s.b(x, y) > 100 && s.b(x, y) > s.r(x, y) + 30 ? 1 : 0;
        }
    }
    return {(double)black / n, (double)blue / n};
}

// The horizontal shift of the sky between two views: positive when the picture moved right.
static int skyShift(const Screenshot& before, const Screenshot& after)
{
    int best = 0;
    double bestError = 1e300;
    for (int shift = -100; shift <= 100; shift++) {
        double error = 0.0;
        int n = 0;
        for (int y = 75; y < 225; y += 3) {
            for (int x = 125; x < before.width - 125; x += 2, n++) {
                error += std::abs(brightness(after, x, y) - brightness(before, x - shift, y));
            }
        }
        if (error / n < bestError) {
            bestError = error / n;
            best = shift;
        }
    }
    return best;
}

// How much wider the mountain ahead looks in the later view: its width along the row just
// above the horizon grows as the aircraft closes in, faster at a higher speed.
static double mountainGrowth(const Screenshot& before, const Screenshot& after, int horizon)
{
    auto width = [horizon](const Screenshot& s) {
        int count = 0;
        for (int x = 0; x < s.width; x++)
            count += s.r(x, horizon - 2) > s.b(x, horizon - 2) + 15 ? 1 : 0;
        return count;
    };
    return width(before) > 0 ? (double)width(after) / width(before) : 0.0;
}

TEST(ScriptedFlight, EveryControlChangesWhatThePilotSees)
{
    // Straight toward the first mountain, in a 600 x 600 view; each control is used, looked at
    // one tick later, then undone. Full screen (F) has its own test under a window manager.
    auto events = [](int tick, const std::string& action, int times = 1) {
        std::string lines;
        while (times-- > 0)
            lines += std::to_string(tick) + " " + action + "\n";
        return lines;
    };
    std::string flight = events(0, "pointer 600 1200") + events(60, "special up", 100) +
        events(61, "special down", 100) + events(70, "key m") + events(72, "key m") + events(80, "key b") +
        events(82, "key b") + events(90, "key w") + events(92, "key w") + events(100, "key s") +
        events(102, "key s") + events(110, "pointer 400 1200") + events(130, "pointer 800 1200") +
        events(150, "pointer 600 1200") + events(150, "special page_up", 12) +
        events(220, "special page_down", 12) + events(290, "quit");
    DataFolder data;
    FlightRun run = flyFlight(data, flight, {60, 61, 62, 71, 73, 81, 83, 91, 93, 101, 103, 115, 125, 135,
                                             145, 160, 210, 230, 280}, "--offscreen --size 600x600");
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<Screenshot>& shot = run.shots;
    int horizon = horizonRow(shot[0]);
    ASSERT_GT(horizon, 280);
    ASSERT_LT(horizon, 320);

    // Up and Down: climbing lowers the horizon in the view; descending brings it back.
    int high = horizonRow(shot[1]);
    int low = horizonRow(shot[2]);
    EXPECT_GT(high, horizon + 6);
    EXPECT_NEAR(low, horizon, 3);

    // M: the mountain ahead vanishes and returns.
    int mountains = mountainPixels(shot[0], horizon);
    int withoutMountains = mountainPixels(shot[3], horizon);
    int mountainsBack = mountainPixels(shot[4], horizon);
    EXPECT_GT(mountains, 300);
    EXPECT_LT(withoutMountains, mountains / 10);
    EXPECT_GT(mountainsBack, mountains / 2);

    // B: the fog's tint on the distant sea goes and comes back.
    double fogged = seaRedNearHorizon(shot[0], horizon);
    double clear = seaRedNearHorizon(shot[5], horizon);
    EXPECT_GT(fogged, clear + 10.0);
    EXPECT_GT(seaRedNearHorizon(shot[6], horizon), clear + 10.0);

    // W: outlines over black, then filled surfaces again.
    UpperHalf wire = upperHalf(shot[7]);
    UpperHalf filled = upperHalf(shot[8]);
    EXPECT_GT(wire.black, 0.5);
    EXPECT_GT(wire.blue, 0.005);  // the sky's lines
    EXPECT_LT(filled.black, 0.01);
    EXPECT_GT(filled.blue, 0.5);

    // S: the reference scene replaces sea and sky (far from the grid: black), then back.
    UpperHalf reference = upperHalf(shot[9]);
    EXPECT_GT(reference.black, 0.95);
    EXPECT_LT(reference.blue, 0.001);
    EXPECT_GT(upperHalf(shot[10]).blue, 0.5);

    // The pointer left of the centre turns left: the sky slides to the right; and back.
    int left = skyShift(shot[11], shot[12]);
    int right = skyShift(shot[13], shot[14]);
    EXPECT_GT(left, 2);
    EXPECT_LT(right, -2);

    // Page Up to the top speed, then Page Down to the bottom one (more presses than levels):
    // the mountain ahead closes in several times faster, then hardly at all.
    double fast = mountainGrowth(shot[15], shot[16], horizon);
    double slow = mountainGrowth(shot[17], shot[18], horizon);
    EXPECT_GT(fast, 1.04);
    EXPECT_GT(fast - 1.0, 3.0 * (slow - 1.0));

    std::printf("seen: horizon %d, mountain pixels %d / %d / %d, sea red fogged %.1f clear %.1f, "
                "black wire %.3f filled %.3f reference %.3f, horizon high %d low %d, sky shift "
                "left %d right %d, mountain growth fast %.3f slow %.3f\n",
                horizon, mountains, withoutMountains, mountainsBack, fogged, clear, wire.black,
                filled.black, reference.black, high, low, left, right, fast, slow);
}
