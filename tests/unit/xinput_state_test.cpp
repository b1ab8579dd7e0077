// xinput_state_test.cpp -- an XInput pad's state as the gamepad mapping takes it (Windows only)
#include "platform/xinput_state_win32.h"

#include <gtest/gtest.h>

TEST(XInputState, StickYIsTurnedAndClampedAndEachButtonBitIsItsGamepadButton)
{
    struct Stick { SHORT x, y; int stickX, stickY; } sticks[] = {
        {-32768, -32768, -32768, 32767}, {32767, 32767, 32767, -32767}, {-1, 1, -1, -1}, {0, 0, 0, 0}};
    for (const Stick& s : sticks) {
        XINPUT_GAMEPAD pad = {};
        pad.sThumbLX = s.x;
        pad.sThumbLY = s.y;
        GamepadState state = gamepadStateOfXInput(pad);
        EXPECT_EQ(state.stickX, s.stickX) << s.x;
        EXPECT_EQ(state.stickY, s.stickY) << s.y;
    }
    // In GamepadButton order: D-pad up and down, left and right shoulder, A, B, X, Y, Start, Back;
    // with each, the bits the flight has no use for (D-pad left and right, the thumbs).
    const WORD bits[kGamepadButtonCount] = {0x0001, 0x0002, 0x0100, 0x0200, 0x1000, 0x2000, 0x4000, 0x8000, 0x0010, 0x0020};
    for (int i = 0; i < kGamepadButtonCount; i++) {
        XINPUT_GAMEPAD pad = {};
        pad.wButtons = bits[i] | 0x0004 | 0x0008 | 0x0040 | 0x0080;
        GamepadState state = gamepadStateOfXInput(pad);
        for (int j = 0; j < kGamepadButtonCount; j++)
            EXPECT_EQ(state.buttons[j], i == j) << "bit " << bits[i] << ", button " << j;
    }
}
