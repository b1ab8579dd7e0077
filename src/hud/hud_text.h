// hud_text.h -- the lines of the heads-up display, formatted from the flight's figures
#pragma once

inline constexpr int kHudLines = 5;       // most lines shown
inline constexpr int kHudLineChars = 48;  // longest line, its terminating zero included

struct HudFigures {
    float speed;             // world units per tick (flight.h's speed)
    float altitude;          // eye.y, world units
    float heading;           // radians, never wrapped; 0 along +z, growing toward +x
    long long tick;          // ticks flown
    double framesPerSecond;  // frames drawn over the last second; below 0 when not shown
};

// The speed's level of eleven: 1 at the lowest speed (about 0.05), 11 at the highest (about
// 0.55), the nearest level between, held to 1..11.
int hudSpeedLevel(float speed);

// The heading as whole compass degrees, 0..359, turning toward +x counting up.
int hudHeadingDegrees(float heading);

// Writes the display's lines (speed, altitude, heading, tick, and frames per second when not
// negative) into lines and returns how many: 5, or 4 without frames per second.
int formatHud(const HudFigures& figures, char lines[kHudLines][kHudLineChars]);

inline constexpr int kHudMargin = 8;           // pixels from the window's edges to the backing
inline constexpr int kHudPadding = 4;          // pixels of backing around the text, before scaling
inline constexpr int kHudLineHeight = 12;      // stb_easy_font's line advance, unscaled pixels
inline constexpr int kHudPixelsPerScale = 480; // window height that earns one more step of scale

// Where the display's lines go in a window: only whole lines, never one cut at an edge.
struct HudLayout {
    int scale = 1;                  // window pixels per font pixel, 1 or more
    int count = 0;                  // lines shown, 0 when none fits (nothing is drawn then)
    int shown[kHudLines] = {};      // the lines shown, indices into formatHud's, top to bottom
    int backingWidth = 0;           // font pixels, text and padding; kHudMargin from the corner
    int backingHeight = 0;
};

// Lays out count lines in a window width x height pixels. The scale is one step more for each
// kHudPixelsPerScale pixels of height, less where the lines would not fit between the margins;
// at scale 1 a line too wide for the window is dropped, and lines below the bottom margin too.
HudLayout layoutHud(const char lines[kHudLines][kHudLineChars], int count, int width, int height);

// Frames counted over whole seconds, for the display's frames-per-second line.
struct FrameRateMeter {
    long long secondStartNs = -1;  // when the second being counted began, nanoseconds
    int frames = 0;                // frames ended in it so far
    double figure = -1.0;          // frames per second over the last whole second; -1 before one
};

// Counts one frame ended at nowNs (a monotonic clock) and returns meter->figure.
double countFrame(FrameRateMeter* meter, long long nowNs);
