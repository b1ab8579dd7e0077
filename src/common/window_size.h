// window_size.h -- the size of the surface the frames are drawn on
#pragma once

// Width and height of the window requested at start-up, pixels.
inline constexpr int kWindowSide = 1200;

extern int initWidth;   // pixels; width for the start-up projection's aspect ratio; kWindowSide
extern int initHeight;  // pixels; height for the start-up projection's aspect ratio; kWindowSide
extern int winWidth;    // pixels; current surface width, written by reshape, read by the pointer mapping
extern int winHeight;   // pixels; current surface height, written by reshape
