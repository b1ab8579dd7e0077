// xinput_state_win32.cpp -- an XInput pad's state as the gamepad mapping takes it
#include "platform/xinput_state_win32.h"

#include <algorithm>

// XInput's buttons in GamepadButton order.
static const WORD kXInputButtons[kGamepadButtonCount] = {
    XINPUT_GAMEPAD_DPAD_UP, XINPUT_GAMEPAD_DPAD_DOWN, XINPUT_GAMEPAD_LEFT_SHOULDER, XINPUT_GAMEPAD_RIGHT_SHOULDER,
    XINPUT_GAMEPAD_A, XINPUT_GAMEPAD_B, XINPUT_GAMEPAD_X, XINPUT_GAMEPAD_Y, XINPUT_GAMEPAD_START,
    XINPUT_GAMEPAD_BACK,
};

GamepadState gamepadStateOfXInput(const XINPUT_GAMEPAD& pad)
{
    GamepadState state;
    state.stickX = pad.sThumbLX;
    // XInput's y grows upwards, SDL's (and the mapping's) downwards.
    state.stickY = std::min(-(int)pad.sThumbLY, kGamepadAxisMax);
    for (int i = 0; i < kGamepadButtonCount; i++)
        state.buttons[i] = (pad.wButtons & kXInputButtons[i]) != 0;
    return state;
}
