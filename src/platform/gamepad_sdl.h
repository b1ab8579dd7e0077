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

// Starting SDL can take seconds, or never end (a D-Bus session bus being started for it, a
// driver stuck): it never runs on the way to the first frame, and nothing waits for it at the
// end. Where no session bus can be found, the start keeps SDL off D-Bus (DBUS_SESSION_BUS_ADDRESS
// is set to "disabled:" for the process), so libdbus forks no dbus-launch.

// Loads SDL and starts its game-controller subsystem on the calling thread, which waits for it
// (leaving SIGINT and SIGTERM to the program). Returns false, silently, when SDL is missing or
// cannot start, or while a start in the background is under way or was left to itself;
// pollGamepads then does nothing.
bool startGamepads();

// The same on a helper thread, which nothing ever joins. The run calls it once its first frame
// is on screen, so that neither start-up nor the first frame waits for SDL. pollGamepads does
// nothing until the start is done, then takes up a pad already connected. Once called, a start
// still under way when the process exits does not hold the exit up: the process then ends at
// once with its status and its streams flushed, without library destructors, which could crash
// or wait in a half-started SDL.
void startGamepadsInBackground();

// Once per tick, before the tick's events take effect: takes up or lets go pads plugged in or
// pulled out, reads the driving pad's state and hands each event of its changes
// (flight/gamepad_input.h), stamped with tick, to take in order. A pad let go gives the events
// that centre what it held; a press since the last poll counts even when released by now.
void pollGamepads(long long tick, void (*take)(const FlightEvent& event));

// Lets the pad go and stops SDL; startGamepads may be called again. Never waits for a start in
// the background: one still under way is left to itself, and the pads stay off for the rest of
// the process.
void stopGamepads();
