// gamepad_source_sdl.h -- the driving gamepad as one of the ticker's input sources
#pragma once

#include "flight/input_source.h"

// Reads the pad once a tick (pollGamepads, platform/gamepad_sdl.h) and hands over the events
// of what changed. Gives nothing until the pads have been started.
const InputSource& gamepadSource();
