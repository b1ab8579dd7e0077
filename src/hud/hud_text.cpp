// hud_text.cpp -- the heads-up display's figures as text
#include "hud/hud_text.h"

#include <cmath>
#include <cstdio>

// The font's routines are static in its header; the unused ones are not ours to remove.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#include <stb/stb_easy_font.h>
#pragma GCC diagnostic pop

static const double kSpeedLevelStep = 0.05;  // world units per tick between levels
static const int kSpeedLevels = 11;
static const long long kSecondNs = 1000000000LL;

int hudSpeedLevel(float speed)
{
    double level = std::floor((double)speed / kSpeedLevelStep + 0.5);
    if (!(level >= 1.0))  // NaN too
        return 1;
    return level > kSpeedLevels ? kSpeedLevels : (int)level;
}

int hudHeadingDegrees(float heading)
{
    double degrees = std::fmod((double)heading * (180.0 / 3.14159265358979323846), 360.0);
    if (!std::isfinite(degrees))
        return 0;
    int whole = (int)std::floor(degrees + 0.5);
    return ((whole % 360) + 360) % 360;
}

int formatHud(const HudFigures& figures, char lines[kHudLines][kHudLineChars])
{
    snprintf(lines[0], kHudLineChars, "SPEED     %d/%d  %.3f PER TICK", hudSpeedLevel(figures.speed),
             kSpeedLevels, (double)figures.speed);
    snprintf(lines[1], kHudLineChars, "ALTITUDE  %.2f", (double)figures.altitude);
    snprintf(lines[2], kHudLineChars, "HEADING   %03d DEG", hudHeadingDegrees(figures.heading));
    snprintf(lines[3], kHudLineChars, "TICK      %lld", figures.tick);
    if (figures.framesPerSecond < 0.0)
        return 4;
    snprintf(lines[4], kHudLineChars, "FPS       %.1f", figures.framesPerSecond);
    return 5;
}

// The layout at one scale: the lines that fit whole between the margins, in order.
static HudLayout layoutAtScale(const char lines[kHudLines][kHudLineChars], int count, int roomWidth,
                               int roomHeight, int scale)
{
    HudLayout layout;
    layout.scale = scale;
    int textWidth = 0;
    for (int i = 0; i < count; i++) {
        int lineWidth = stb_easy_font_width(const_cast<char*>(lines[i]));
        bool fitsAcross = (lineWidth + 2 * kHudPadding) * scale <= roomWidth;
        bool fitsBelow = ((layout.count + 1) * kHudLineHeight + 2 * kHudPadding) * scale <= roomHeight;
        if (!fitsAcross || !fitsBelow)
            continue;
        layout.shown[layout.count++] = i;
        textWidth = lineWidth > textWidth ? lineWidth : textWidth;
    }
    layout.backingWidth = textWidth + 2 * kHudPadding;
    layout.backingHeight = layout.count * kHudLineHeight + 2 * kHudPadding;
    return layout;
}

HudLayout layoutHud(const char lines[kHudLines][kHudLineChars], int count, int width, int height)
{
    int roomWidth = width - 2 * kHudMargin;
    int roomHeight = height - 2 * kHudMargin;
    int scale = 1 + (height > 0 ? height : 0) / kHudPixelsPerScale;
    for (;; scale--) {
        HudLayout layout = layoutAtScale(lines, count, roomWidth, roomHeight, scale);
        if (layout.count == count || scale == 1)
            return layout.count > 0 ? layout : HudLayout();
    }
}

double countFrame(FrameRateMeter* meter, long long nowNs)
{
    // The frame that starts a second only marks its start; each later one ends a frame time.
    if (meter->secondStartNs < 0 || nowNs < meter->secondStartNs) {
        meter->secondStartNs = nowNs;
        meter->frames = 0;
        return meter->figure;
    }
    meter->frames++;
    long long elapsed = nowNs - meter->secondStartNs;
    if (elapsed >= kSecondNs) {
        meter->figure = (double)meter->frames * 1e9 / (double)elapsed;
        meter->secondStartNs = nowNs;
        meter->frames = 0;
    }
    return meter->figure;
}
