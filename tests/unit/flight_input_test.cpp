// flight_input_test.cpp -- the pointer, arrow, speed and key events against exact numbers
#include "flight/flight_input.h"
#include "flight/flight.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

class FlightInputTest : public testing::Test {
protected:
    void SetUp() override { resetFlightInput(); }
};

static int press(int key)
{
    return applyFlightEvent({0, kFlightKey, key, 0});
}

TEST_F(FlightInputTest, SteeringFromThePointerColumnAndTheWindowWidth)
{
    struct Case { int x, width; float steer; } cases[] = {
        {0, 1200, -1.0f}, {600, 1200, 0.0f}, {900, 1200, 0.5f}, {1199, 1200, 0.99833333f},
        {300, 1200, -0.5f}, {1200, 1600, 0.5f},
    };
    for (const Case& c : cases) {
        steerToPointer(c.x, c.width);
        EXPECT_FLOAT_EQ(steer, c.steer) << "x = " << c.x << ", width = " << c.width;
    }
}

TEST_F(FlightInputTest, ZeroWidthWindowKeepsSteeringAndHeadingFinite)
{
    for (int x : {0, 1, 5, -3}) {
        steerToPointer(x, 0);
        EXPECT_TRUE(std::isfinite(steer)) << "x = " << x;
        advanceFlight();
        EXPECT_TRUE(std::isfinite(heading) && std::isfinite(eye.x) && std::isfinite(eye.z));
    }
}

TEST_F(FlightInputTest, SpeedStepsStopAtTheirBoundsWhichRoundingShifts)
{
    for (int i = 0; i < 10; i++)
        speedUp();
    EXPECT_EQ(speed, 0.550000072f);
    for (int i = 0; i < 11; i++)
        slowDown();
    EXPECT_EQ(speed, 0.050000008f);
    resetFlightInput();
    slowDown();  // the float nearest 0.1 counts as above 0.1: one level below the nominal bound
    slowDown();
    EXPECT_EQ(speed, (float)((double)0.1f - 0.05));
}

TEST_F(FlightInputTest, ArrowsMoveEyeAndLookAtTogetherWithoutBound)
{
    climb();
    EXPECT_EQ(eye.y, 1.2f);
    EXPECT_EQ(lookAt.y, 1.2f);
    for (int i = 0; i < 6; i++)
        descend();
    EXPECT_NEAR(eye.y, 3e-8f, 2e-8f);
    for (int i = 0; i < 20; i++)
        descend();
    EXPECT_LT(eye.y, -3.9f);
    EXPECT_EQ(eye.y, lookAt.y);
}

TEST_F(FlightInputTest, LetterKeysFlipTheirToggleOrAskForFullScreenOrQuitInBothCases)
{
    wireframe = 7;  // a flip of an out-of-range flag gives 0
    press('w');
    EXPECT_EQ(wireframe, 0);
    struct Case { unsigned char lower, upper; int* flag; int start; } cases[] = {
        {'w', 'W', &wireframe, 0}, {'s', 'S', &referenceScene, 0},
        {'b', 'B', &fogOn, 1}, {'m', 'M', &mountainsOn, 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(press(c.lower), 0);
        EXPECT_EQ(*c.flag, 1 - c.start) << c.lower;
        press(c.upper);
        EXPECT_EQ(*c.flag, c.start) << c.upper;
    }
    for (int key = 0; key < 256; key++) {
        int requests = std::strchr("wWsSbBmMqQfFhH", key) == nullptr || key == 0 ? press(key) : 0;
        EXPECT_EQ(requests, 0) << key;
    }
    EXPECT_EQ(wireframe + referenceScene, 0);
    EXPECT_EQ(fogOn + mountainsOn, 2);
    // Quit is 1, full screen 2, the heads-up display 8; a quit event asks for the same as q.
    EXPECT_EQ(press('q') * 10 + press('Q'), 11);
    EXPECT_EQ(press('f') * 10 + press('F'), 22);
    EXPECT_EQ(press('h') * 10 + press('H'), 88);
    EXPECT_EQ(applyFlightEvent({0, kFlightQuit, 0, 0}), 1);
}
