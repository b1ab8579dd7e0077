// scripted_flight_test.cpp -- one flight with every control, checked the way a person would
// check it: by looking at the window after each step
#include "support/e2e.h"

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
    for (int x = 20; x < s.width; x += 40) {
        if (x > 250 && x < s.width - 250)
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
    for (int y = std::max(0, horizon - 40); y < horizon; y++)
        for (int x = 0; x < s.width; x += 2)
            count += s.r(x, y) > s.b(x, y) + 15 ? 1 : 0;
    return count;
}

// Mean red of the sea just below the horizon: the fog colour is redder than the sea.
static double seaRedNearHorizon(const Screenshot& s, int horizon)
{
    double sum = 0.0;
    int n = 0;
    for (int y = horizon + 2; y < horizon + 10; y++)
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
    for (int shift = -200; shift <= 200; shift++) {
        double error = 0.0;
        int n = 0;
        for (int y = 150; y < 450; y += 6) {
            for (int x = 250; x < before.width - 250; x += 4, n++) {
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

// How much wider the mountain ahead looks after a second of flight: its width along the row
// just above the horizon grows as the aircraft closes in, faster at a higher speed.
static double mountainGrowth(Program& program, int horizon)
{
    auto width = [horizon](const Screenshot& s) {
        int count = 0;
        for (int x = 0; x < s.width; x++)
            count += s.r(x, horizon - 3) > s.b(x, horizon - 3) + 15 ? 1 : 0;
        return count;
    };
    // Two seconds, so a machine drawing fewer frames per second still shows the growth.
    int before = width(program.screenshot());
    Program::pause(2.0);
    int after = width(program.screenshot());
    return before > 0 ? (double)after / before : 0.0;
}

TEST(ScriptedFlight, EveryControlChangesWhatThePilotSees)
{
    WindowManager manager;
    DataFolder data;
    Program program(data.path);
    ASSERT_TRUE(program.waitForWindow());
    program.movePointer(600, 600);  // centre: fly straight toward the first mountain
    Program::pause(1.0);

    Screenshot start = program.screenshot();
    int horizon = horizonRow(start);
    ASSERT_GT(horizon, 560);
    ASSERT_LT(horizon, 640);

    // Up and Down: climbing lowers the horizon in the view; descending brings it back.
    program.key("Up", 100);
    Program::pause(0.4);
    int high = horizonRow(program.screenshot());
    program.key("Down", 100);
    Program::pause(0.4);
    int low = horizonRow(program.screenshot());
    EXPECT_GT(high, horizon + 12);
    EXPECT_NEAR(low, horizon, 3);

    // M: the mountain ahead vanishes and returns.
    int mountains = mountainPixels(start, horizon);
    program.key("m");
    Program::pause(0.4);
    int withoutMountains = mountainPixels(program.screenshot(), horizon);
    program.key("m");
    Program::pause(0.4);
    int mountainsBack = mountainPixels(program.screenshot(), horizon);
    EXPECT_GT(mountains, 300);
    EXPECT_LT(withoutMountains, mountains / 10);
    EXPECT_GT(mountainsBack, mountains / 2);

    // B: the fog's tint on the distant sea goes and comes back.
    double fogged = seaRedNearHorizon(program.screenshot(), horizon);
    program.key("b");
    Program::pause(0.4);
    double clear = seaRedNearHorizon(program.screenshot(), horizon);
    program.key("b");
    Program::pause(0.4);
    double foggedAgain = seaRedNearHorizon(program.screenshot(), horizon);
    EXPECT_GT(fogged, clear + 10.0);
    EXPECT_GT(foggedAgain, clear + 10.0);

    // W: outlines over black, then filled surfaces again.
    program.key("w");
    Program::pause(0.4);
    UpperHalf wire = upperHalf(program.screenshot());
    program.key("w");
    Program::pause(0.4);
    UpperHalf filled = upperHalf(program.screenshot());
    EXPECT_GT(wire.black, 0.5);
    EXPECT_GT(wire.blue, 0.005);  // the sky's lines
    EXPECT_LT(filled.black, 0.01);
    EXPECT_GT(filled.blue, 0.5);

    // S: the reference scene replaces sea and sky (far from the grid: black), then back.
    program.key("s");
    Program::pause(0.4);
    UpperHalf reference = upperHalf(program.screenshot());
    program.key("s");
    Program::pause(0.4);
    UpperHalf sceneBack = upperHalf(program.screenshot());
    EXPECT_GT(reference.black, 0.95);
    EXPECT_LT(reference.blue, 0.001);
    EXPECT_GT(sceneBack.blue, 0.5);

    // The pointer left of the centre turns left: the sky slides to the right; and back.
    program.movePointer(400, 600);
    Program::pause(0.3);
    Screenshot leftA = program.screenshot();
    Program::pause(0.2);
    Screenshot leftB = program.screenshot();
    program.movePointer(800, 600);
    Program::pause(0.3);
    Screenshot rightA = program.screenshot();
    Program::pause(0.2);
    Screenshot rightB = program.screenshot();
    program.movePointer(600, 600);
    EXPECT_GT(skyShift(leftA, leftB), 2);
    EXPECT_LT(skyShift(rightA, rightB), -2);

    // Page Up to the top speed, then Page Down to the bottom one (more presses than levels):
    // the mountain ahead closes in several times faster, then hardly at all.
    program.key("Page_Up", 12);
    Program::pause(0.2);
    double fast = mountainGrowth(program, horizon);
    program.key("Page_Down", 12);
    Program::pause(0.2);
    double slow = mountainGrowth(program, horizon);
    EXPECT_GT(fast, 1.04);
    EXPECT_GT(fast - 1.0, 3.0 * (slow - 1.0));

    // F: full screen and back, with the flight going on.
    program.key("f");
    int width = 1200, height = 1200;
    for (int i = 0; i < 40 && width == 1200; i++) {
        Program::pause(0.1);
        program.size(width, height);
    }
    EXPECT_EQ(width, 1920);
    program.key("f");
    for (int i = 0; i < 40 && width != 1200; i++) {
        Program::pause(0.1);
        program.size(width, height);
    }
    EXPECT_EQ(width, 1200);
    EXPECT_TRUE(program.running());

    std::printf("seen: horizon %d, mountain pixels %d / %d / %d, sea red fogged %.1f clear %.1f, "
                "black wire %.3f filled %.3f reference %.3f, horizon high %d low %d, sky shift "
                "left %d right %d, mountain growth fast %.3f slow %.3f\n",
                horizon, mountains, withoutMountains, mountainsBack, fogged, clear, wire.black,
                filled.black, reference.black, high, low, skyShift(leftA, leftB),
                skyShift(rightA, rightB), fast, slow);
    program.key("q");
    ASSERT_TRUE(program.waitForExit());
    EXPECT_EQ(program.exitStatus(), 0);
}
