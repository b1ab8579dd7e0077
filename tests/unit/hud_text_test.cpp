// hud_text_test.cpp -- the heads-up display's lines: speed level, compass heading, the fps line
#include "hud/hud_text.h"

#include <gtest/gtest.h>

#include <string>

TEST(HudText, FourLinesWithoutTheFrameRateFiveWithIt)
{
    char l[kHudLines][kHudLineChars];
    ASSERT_EQ(formatHud({0.050000008f, 1.25f, -0.0175f, 1234567890123LL, -1.0}, l), 4);
    EXPECT_EQ(std::string(l[0]) + "|" + l[1] + "|" + l[2] + "|" + l[3],
              "SPEED     1/11  0.050 PER TICK|ALTITUDE  1.25|HEADING   359 DEG|TICK      1234567890123");
    ASSERT_EQ(formatHud({0.550000072f, -2.0f, 7.0f, 0, 59.94}, l), 5);
    EXPECT_EQ(std::string(l[0]) + "|" + l[2] + "|" + l[4], "SPEED     11/11  0.550 PER TICK|HEADING   041 DEG|FPS       59.9");
    EXPECT_EQ(hudSpeedLevel(0.3f) * 100 + hudSpeedLevel(2.0f), 611);
}

TEST(HudText, FramesPerSecondOverEachWholeSecond)
{
    FrameRateMeter meter;
    for (long long ns = 0; ns < 1000000000LL; ns += 20000000LL)  // 50 frames: no whole second yet
        EXPECT_EQ(countFrame(&meter, ns), -1.0);
    EXPECT_DOUBLE_EQ(countFrame(&meter, 1250000000LL), 40.0);  // 50 frame times in 1.25 s
    for (long long ns = 1270000000LL; ns < 2250000000LL; ns += 20000000LL)
        countFrame(&meter, ns);
    EXPECT_DOUBLE_EQ(countFrame(&meter, 2250000000LL), 50.0);
}
