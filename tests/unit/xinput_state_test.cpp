// xinput_state_test.cpp -- an XInput pad's state as the gamepad mapping takes it (Windows only)
#include "platform/xinput_state_win32.h"

#include <gtest/gtest.h>

TEST(XInputState, StickYIsTurnedAndClampedAndEachButtonBitIsItsGamepadButton)
{
    struct Stick { SHORT x, y; int stickX, stickY; } sticks[] = {
        {-32768, -32768, -32768, 32767}, {32767, 32767, 32767, -32767}, {-1, 1, -1, -1}};
    for (const Stick& s : sticks) {
        GamepadState state = gamepadStateOfXInput({0, 0, 0, s.x, s.y, 0, 0});
        EXPECT_TRUE(state.stickX == s.stickX && state.stickY == s.stickY) << s.x << " " << s.y << ": " << state.stickY;
    }
    // Up, down, left and right shoulder, A, B, X, Y, Start, Back; with each, the bits the flight
    // has no use for (the D-pad's left and right, the thumbs).
    const WORD bits[kGamepadButtonCount] = {0x0001, 0x0002, 0x0100, 0x0200, 0x1000, 0x2000, 0x4000, 0x8000, 0x0010, 0x0020};
    for (int i = 0; i < kGamepadButtonCount; i++) {
        GamepadState state = gamepadStateOfXInput({(WORD)(bits[i] | 0x00cc), 0, 0, 0, 0, 0, 0});
        for (int j = 0; j < kGamepadButtonCount; j++)
            EXPECT_EQ(state.buttons[j], i == j) << "bit " << bits[i] << ", button " << j;
    }
}
