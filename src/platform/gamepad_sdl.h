// gamepad_sdl.h -- gamepads through SDL2's game-controller API, read once per tick
#pragma once

#include "flight/flight_input.h"

// Only SDL's game-controller subsystem is started, never its video. The first pad connected
// drives; when it is pulled out the next one still connected takes over. Each pad taken up or
// let go gives one line on standard error: "brinewings: gamepad connected: NAME" or
// "brinewings: gamepad disconnected: NAME". Without a pad nothing is printed and no event given.

// Starts SDL's game-controller subsystem (leaving SIGINT and SIGTERM to the program). Returns
// false, silently, when SDL cannot start; pollGamepads then does nothing.
bool startGamepads();

// Once per tick, before the tick's events take effect: takes up or lets go pads plugged in or
// pulled out, reads the driving pad's state and hands each event of its changes
// (flight/gamepad_input.h), stamped with tick, to take in order.
void pollGamepads(long long tick, void (*take)(const FlightEvent& event));

// Lets the pad go and stops SDL; startGamepads may be called again.
void stopGamepads();
