// flight_input_test.cpp -- the idle tick and the input handlers against exact numbers
#include "app/input.h"
#include "app/rendering.h"
#include "flight/flight.h"
#include "support/flight_reset.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

class FlightTest : public testing::Test {
protected:
    void SetUp() override { resetFlightState(); }
};

TEST_F(FlightTest, FirstTickWithoutSteeringAimsAndMovesAlongPlusZ)
{
    advanceFlight();
    EXPECT_EQ(lookAt.x, -1.0f);
    EXPECT_EQ(lookAt.y, 1.0f);
    EXPECT_EQ(lookAt.z, 0.0f);
    EXPECT_EQ(eye.x, -1.0f);
    EXPECT_EQ(eye.y, 1.0f);
    EXPECT_EQ(eye.z, -0.9f);
    EXPECT_EQ(propTime, 0.001f);
    EXPECT_EQ(heading, 0.0f);
}

TEST_F(FlightTest, LookAtLiesOneUnitAheadOfThePositionBeforeTheMove)
{
    steer = 0.3f;
    for (int i = 0; i < 50; i++) {
        Vec3 before = eye;
        advanceFlight();
        float dx = lookAt.x - before.x;
        float dz = lookAt.z - before.z;
        EXPECT_NEAR(std::sqrt(dx * dx + dz * dz), 1.0f, 1e-5f);
        EXPECT_NEAR(eye.x - before.x, std::sin(heading) * speed, 1e-6f);
        EXPECT_NEAR(eye.z - before.z, std::cos(heading) * speed, 1e-6f);
    }
}

TEST_F(FlightTest, FullLeftSteeringTurnsByTwoHundredthsPerTick)
{
    steer = -1.0f;
    advanceFlight();
    EXPECT_EQ(heading, 0.02f);
    advanceFlight();
    EXPECT_EQ(heading, (float)(0.02 + 0.02f));
    // A full circle takes about 314 ticks; its radius is speed / 0.02 = 5 units.
    resetFlightState();
    steer = -1.0f;
    float minX = eye.x, maxX = eye.x;
    for (int i = 0; i < 315; i++) {
        advanceFlight();
        minX = std::fmin(minX, eye.x);
        maxX = std::fmax(maxX, eye.x);
    }
    EXPECT_NEAR(maxX - minX, 10.0f, 0.05f);
    EXPECT_GT(heading, 2.0f * 3.14159f);
}

TEST_F(FlightTest, RightSteeringTurnsTheOtherWayAndTheHeadingIsNeverWrapped)
{
    steer = 1.0f;
    for (int i = 0; i < 1000; i++)
        advanceFlight();
    EXPECT_NEAR(heading, -20.0f, 1e-3f);
}

TEST_F(FlightTest, SteeringFromThePointerAcrossA1200PixelWindow)
{
    struct Case { int x; float steer; } cases[] = {
        {0, -1.0f}, {600, 0.0f}, {900, 0.5f}, {1199, 0.99833333f}, {300, -0.5f},
    };
    for (const Case& c : cases) {
        mouseMove(c.x, 17);
        EXPECT_FLOAT_EQ(steer, c.steer) << "x = " << c.x;
    }
}

TEST_F(FlightTest, SteeringDividesByTheCurrentWindowWidth)
{
    winWidth = 1600;
    mouseMove(1200, 0);
    EXPECT_FLOAT_EQ(steer, 0.5f);
}

TEST_F(FlightTest, ZeroWidthWindowKeepsSteeringAndHeadingFinite)
{
    winWidth = 0;
    for (int x : {0, 1, 5, -3}) {
        mouseMove(x, 0);
        EXPECT_TRUE(std::isfinite(steer)) << "x = " << x;
        advanceFlight();
        EXPECT_TRUE(std::isfinite(heading));
        EXPECT_TRUE(std::isfinite(eye.x) && std::isfinite(eye.z));
    }
}

TEST_F(FlightTest, PageUpClimbsNineLevelsToItsBound)
{
    for (int i = 0; i < 9; i++)
        specialKeys(GLUT_KEY_PAGE_UP, 0, 0);
    EXPECT_EQ(speed, 0.550000072f);
    specialKeys(GLUT_KEY_PAGE_UP, 0, 0);
    EXPECT_EQ(speed, 0.550000072f);
    for (int i = 0; i < 10; i++)
        specialKeys(GLUT_KEY_PAGE_DOWN, 0, 0);
    EXPECT_EQ(speed, 0.050000008f);
    specialKeys(GLUT_KEY_PAGE_DOWN, 0, 0);
    EXPECT_EQ(speed, 0.050000008f);
}

TEST_F(FlightTest, PageDownFromTheStartSpeedGoesOneLevelBelowTheNominalBound)
{
    specialKeys(GLUT_KEY_PAGE_DOWN, 0, 0);
    EXPECT_EQ(speed, (float)((double)0.1f - 0.05));
    EXPECT_NEAR(speed, 0.05f, 1e-7f);
    specialKeys(GLUT_KEY_PAGE_DOWN, 0, 0);
    EXPECT_EQ(speed, (float)((double)0.1f - 0.05));
}

TEST_F(FlightTest, ArrowsMoveEyeAndLookAtTogetherWithoutBound)
{
    specialKeys(GLUT_KEY_UP, 0, 0);
    EXPECT_EQ(eye.y, 1.2f);
    EXPECT_EQ(lookAt.y, 1.2f);
    specialKeys(GLUT_KEY_DOWN, 0, 0);
    for (int i = 0; i < 5; i++)
        specialKeys(GLUT_KEY_DOWN, 0, 0);
    EXPECT_NE(eye.y, 0.0f);
    EXPECT_NEAR(eye.y, 3e-8f, 2e-8f);
    EXPECT_EQ(eye.y, lookAt.y);
    for (int i = 0; i < 20; i++)
        specialKeys(GLUT_KEY_DOWN, 0, 0);
    EXPECT_LT(eye.y, -3.9f);
    EXPECT_EQ(eye.y, lookAt.y);
}

TEST_F(FlightTest, UnboundSpecialKeysChangeNothing)
{
    for (int key : {GLUT_KEY_LEFT, GLUT_KEY_RIGHT, GLUT_KEY_F1, GLUT_KEY_HOME, 0, -1, 9999})
        specialKeys(key, 5, 5);
    EXPECT_EQ(eye.y, 1.0f);
    EXPECT_EQ(speed, 0.1f);
    EXPECT_EQ(steer, 0.0f);
}

TEST_F(FlightTest, LetterKeysFlipTheirToggleInBothCases)
{
    struct Case { unsigned char lower, upper; int* flag; int start; } cases[] = {
        {'w', 'W', &wireframe, 0}, {'s', 'S', &referenceScene, 0},
        {'b', 'B', &fogOn, 1}, {'m', 'M', &mountainsOn, 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(*c.flag, c.start);
        keyboard(c.lower, 0, 0);
        EXPECT_EQ(*c.flag, 1 - c.start) << c.lower;
        keyboard(c.upper, 0, 0);
        EXPECT_EQ(*c.flag, c.start) << c.upper;
    }
}

TEST_F(FlightTest, AFlipOfAnOutOfRangeFlagGivesZero)
{
    wireframe = 7;
    keyboard('w', 0, 0);
    EXPECT_EQ(wireframe, 0);
}

TEST_F(FlightTest, OtherCharacterKeysChangeNothing)
{
    for (int key = 0; key < 256; key++) {
        if (std::strchr("wWsSbBmMfFqQ", key) != nullptr && key != 0)
            continue;
        keyboard((unsigned char)key, 0, 0);
    }
    EXPECT_EQ(wireframe, 0);
    EXPECT_EQ(referenceScene, 0);
    EXPECT_EQ(fogOn, 1);
    EXPECT_EQ(mountainsOn, 1);
}

TEST(QuitKey, EndsTheProcessWithStatusZero)
{
    EXPECT_EXIT(keyboard('q', 0, 0), testing::ExitedWithCode(0), "");
    EXPECT_EXIT(keyboard('Q', 0, 0), testing::ExitedWithCode(0), "");
}
