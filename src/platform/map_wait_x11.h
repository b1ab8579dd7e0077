// map_wait_x11.h -- freeglut's wait for its new window to be mapped, given a bound
#pragma once

// While bounded, freeglut's wait for the window it creates to be mapped (XPeekIfEvent, which
// freeglut calls from glutCreateWindow) gives up after kMapWaitMs: a window manager that starts
// the window minimised never maps it, and the run's own loop then holds the flight, answers
// signals and ends the run if the window never comes. Outside it, XPeekIfEvent is Xlib's own.
inline constexpr int kMapWaitMs = 1000;
void boundMapWait(bool bounded);
