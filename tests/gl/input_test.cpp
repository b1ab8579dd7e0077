// input_test.cpp -- the keyboard and mouse callbacks against exact numbers
#include "app/input.h"
#include "app/rendering.h"
#include "flight/flight.h"
#include "support/flight_reset.h"
#include "support/gl_helpers.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

class InputTest : public testing::Test {
protected:
    // Start values of the flight and a 1200 x 1200 window.
    void SetUp() override { prepareFirstFrame(); }
};

TEST_F(InputTest, SteeringFromThePointerAcrossA1200PixelWindow)
{
    struct Case { int x; float steer; } cases[] = {
        {0, -1.0f}, {600, 0.0f}, {900, 0.5f}, {1199, 0.99833333f}, {300, -0.5f},
    };
    for (const Case& c : cases) {
        mouseMove(c.x, 17);
        EXPECT_FLOAT_EQ(steer, c.steer) << "x = " << c.x;
    }
}

TEST_F(InputTest, SteeringDividesByTheCurrentWindowWidth)
{
    winWidth = 1600;
    mouseMove(1200, 0);
    EXPECT_FLOAT_EQ(steer, 0.5f);
}

TEST_F(InputTest, ZeroWidthWindowKeepsSteeringAndHeadingFinite)
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

TEST_F(InputTest, PageUpClimbsNineLevelsToItsBound)
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

TEST_F(InputTest, PageDownFromTheStartSpeedGoesOneLevelBelowTheNominalBound)
{
    specialKeys(GLUT_KEY_PAGE_DOWN, 0, 0);
    EXPECT_EQ(speed, (float)((double)0.1f - 0.05));
    EXPECT_NEAR(speed, 0.05f, 1e-7f);
    specialKeys(GLUT_KEY_PAGE_DOWN, 0, 0);
    EXPECT_EQ(speed, (float)((double)0.1f - 0.05));
}

TEST_F(InputTest, ArrowsMoveEyeAndLookAtTogetherWithoutBound)
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

TEST_F(InputTest, UnboundSpecialKeysChangeNothing)
{
    for (int key : {GLUT_KEY_LEFT, GLUT_KEY_RIGHT, GLUT_KEY_F1, GLUT_KEY_HOME, 0, -1, 9999})
        specialKeys(key, 5, 5);
    EXPECT_EQ(eye.y, 1.0f);
    EXPECT_EQ(speed, 0.1f);
    EXPECT_EQ(steer, 0.0f);
}

TEST_F(InputTest, LetterKeysFlipTheirToggleInBothCases)
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

TEST_F(InputTest, AFlipOfAnOutOfRangeFlagGivesZero)
{
    wireframe = 7;
    keyboard('w', 0, 0);
    EXPECT_EQ(wireframe, 0);
}

TEST_F(InputTest, OtherCharacterKeysChangeNothing)
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
    // A forked child would share this process's X connection and break it when it exits;
    // the threadsafe style runs the child as a fresh process with its own window.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(keyboard('q', 0, 0), testing::ExitedWithCode(0), "");
    EXPECT_EXIT(keyboard('Q', 0, 0), testing::ExitedWithCode(0), "");
}
