// gamepads.h -- the gamepads of the system the program runs on, as the run's loop starts, reads
// and stops them: SDL2 on Linux (platform/gamepad_sdl.h), XInput on Windows
#pragma once

#include "flight/input_source.h"

// Starts reading pads on a helper thread; gamepadSource gives nothing until it is done.
void startGamepadsInBackground();

// Lets the pad go and stops reading (waiting for a start in the background to end first).
void stopGamepads();

// The driving pad as one of the ticker's sources: read once a tick, only its changes handed over
// (flight/gamepad_input.h), one line on standard error when a pad is taken up or let go.
const InputSource& gamepadSource();
