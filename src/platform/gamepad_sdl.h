// gamepad_sdl.h -- gamepads through SDL2's game-controller API, read once per tick
#pragma once

#include "flight/flight_input.h"

// Only SDL's game-controller subsystem is started, never its video. SDL is loaded at run time
// (libSDL2-2.0.so.0), not linked: it brings some forty shared libraries that take about 8 ms to
// load, which a run with --no-gamepad should not pay and a run with pads pays on a helper
// thread. The first pad connected drives; when it is pulled out the next one still connected
// takes over. Each pad taken up or let go gives one line on standard error: "brinewings: gamepad
// connected: NAME" or "brinewings: gamepad disconnected: NAME". Without a pad, or without SDL,
// nothing is printed and no event given.

// Loads SDL and starts its game-controller subsystem (leaving SIGINT and SIGTERM to the
// program). Returns false, silently, when SDL is missing or cannot start; pollGamepads then
// does nothing.
bool startGamepads();

// The same on a helper thread, so that it overlaps the window's opening: call it first thing.
// pollGamepads does nothing until the start is done, then takes up a pad already connected.
void startGamepadsInBackground();

// Once per tick, before the tick's events take effect: takes up or lets go pads plugged in or
// pulled out, reads the driving pad's state and hands each event of its changes
// (flight/gamepad_input.h), stamped with tick, to take in order.
void pollGamepads(long long tick, void (*take)(const FlightEvent& event));

// Lets the pad go and stops SDL (waiting for a start in the background to end first);
// startGamepads may be called again.
void stopGamepads();
