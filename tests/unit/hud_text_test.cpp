// hud_text_test.cpp -- the heads-up display's lines: speed level, compass heading, the fps line
#include "hud/hud_text.h"

#include <gtest/gtest.h>

#include <string>

TEST(HudText, SpeedLevelsAndCompassDegreesFromTheFlightsFigures)
{
    struct { float speed; int level; } speeds[] = {
        {0.050000008f, 1}, {0.3f, 6}, {0.550000072f, 11}, {0.0f, 1}, {-1.0f, 1}, {2.0f, 11}};
    for (auto c : speeds)
        EXPECT_EQ(hudSpeedLevel(c.speed), c.level) << c.speed;
    struct { float heading; int degrees; } headings[] = {
        {0.0f, 0}, {1.5707964f, 90}, {-1.5707964f, 270}, {6.2831855f, 0}, {-0.0175f, 359}, {7.0f, 41}};
    for (auto c : headings)
        EXPECT_EQ(hudHeadingDegrees(c.heading), c.degrees) << c.heading;
}

TEST(HudText, FourLinesWithoutTheFrameRateFiveWithIt)
{
    char lines[kHudLines][kHudLineChars];
    ASSERT_EQ(formatHud({0.3f, 1.25f, 3.1415927f, 1234567890123LL, -1.0}, lines), 4);
    EXPECT_EQ(std::string(lines[0]) + "|" + lines[1] + "|" + lines[2] + "|" + lines[3],
              "SPEED     6/11  0.300 PER TICK|ALTITUDE  1.25|HEADING   180 DEG|TICK      1234567890123");
    ASSERT_EQ(formatHud({0.3f, 1.25f, 0.0f, 0, 59.94}, lines), 5);
    EXPECT_STREQ(lines[4], "FPS       59.9");
}
