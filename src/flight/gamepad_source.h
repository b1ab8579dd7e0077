// gamepad_source.h -- a gamepad read once a tick, as one of the ticker's input sources
#pragma once

#include "flight/input_source.h"

// A pad reader: writes the events of what changed at tick (flight/gamepad_input.h), at most
// kGamepadEventSlots of them, into events and returns how many.
typedef int (*GamepadReader)(long long tick, FlightEvent* events);

// The source that reads the pad through read once a tick and hands the events over; a second
// call in the same tick hands over what did not fit, without reading again.
const InputSource& gamepadSourceReading(GamepadReader read);
