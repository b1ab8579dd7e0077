// hud_draw.h -- the heads-up display: the flight's figures in the window's top-left corner
#pragma once

#include "hud/hud_text.h"

// Draws the lines of formatHud, light text on a dark translucent backing, in an orthographic
// overlay over a window width x height pixels (the viewport as the frame left it), after the
// frame and before the swap or capture. The text is stb_easy_font's, scaled up one step for each
// 480 pixels of height where it fits; only whole lines are drawn (layoutHud), and nothing at all
// in a window too small for any. Leaves every OpenGL state as it found it: enables, matrix mode, both
// matrices and their stacks' depths, colour, material, line width, polygon mode, texture binding.
void drawHud(const HudFigures& figures, int width, int height);
