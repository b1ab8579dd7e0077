// xinput_state_win32.h -- an XInput pad's state as the gamepad mapping takes it (flight/gamepad_input.h)
#pragma once

#include "flight/gamepad_input.h"

#include <windows.h>
#include <xinput.h>

// The left stick and the buttons of pad: x as it is, y turned to grow downwards and clamped to
// kGamepadAxisMax (XInput's -32768 would be 32768), each button in GamepadButton order.
// pressedSince stays clear: XInput tells only what is held when it is read.
GamepadState gamepadStateOfXInput(const XINPUT_GAMEPAD& pad);
