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

TEST(HudText, OnlyWholeLinesThatFitTheWindowScaledDownBeforeAnyIsDropped)
{
    // Lines 176, 82, 103 and 72 font pixels wide (SPEED, ALTITUDE, HEADING, TICK), 12 high, 4 of
    // padding round them, 8 pixels of margin at every edge.
    char l[kHudLines][kHudLineChars];
    int count = formatHud({0.050000008f, 1.25f, -0.0175f, 98, -1.0}, l);
    struct Row { int width, height, scale; std::string shown; int backingWidth, backingHeight; };
    const Row rows[] = {
        {1200, 1200, 3, "0123", 184, 56},  // (176 + 8) x 3 = 552 across, 56 x 3 = 168 down
        {400, 1200, 2, "0123", 184, 56},   // 552 > 384 at scale 3; 368 fits at 2
        {1200, 100, 1, "0123", 184, 56},   // 56 + 16 fits at scale 1
        {120, 64, 1, "13", 90, 32},        // 104 across: ALTITUDE and TICK; then 32 of 48 down
        {200, 40, 1, "0", 184, 20},        // 184 just fits across, one line down
        {64, 64, 1, "", 0, 0},             // no line fits in 48: nothing drawn
        {0, 0, 1, "", 0, 0},
    };
    for (const Row& row : rows) {
        HudLayout layout = layoutHud(l, count, row.width, row.height);
        std::string shown;
        for (int i = 0; i < layout.count; i++)
            shown += (char)('0' + layout.shown[i]);
        EXPECT_TRUE(layout.scale == row.scale && shown == row.shown && layout.backingWidth == row.backingWidth &&
                    layout.backingHeight == row.backingHeight)
            << row.width << " x " << row.height << ": scale " << layout.scale << ", lines " << shown << ", backing "
            << layout.backingWidth << " x " << layout.backingHeight;
    }
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
