// gamepad_input.cpp -- the pad's state against the last tick's, as flight events
#include "flight/gamepad_input.h"

// What a press of each button is, in GamepadButton order: a key, a special key or quit. The
// climb and descent are handled apart, for their repeat.
static const FlightEvent kButtonEvents[kGamepadButtonCount] = {
    {0, kFlightSpecial, kSpecialUp, 0},
    {0, kFlightSpecial, kSpecialDown, 0},
    {0, kFlightSpecial, kSpecialPageDown, 0},
    {0, kFlightSpecial, kSpecialPageUp, 0},
    {0, kFlightKey, 'w', 0},
    {0, kFlightKey, 's', 0},
    {0, kFlightKey, 'm', 0},
    {0, kFlightKey, 'b', 0},
    {0, kFlightKey, 'f', 0},
    {0, kFlightQuit, 0, 0},
};

int gamepadColumn(int stickX)
{
    long long travel = stickX < 0 ? -(long long)stickX : stickX;
    if (travel <= kGamepadDeadZone)
        return kGamepadPointerWidth / 2;
    if (travel > kGamepadAxisMax)  // -32768 is full left, as 32767 is full right
        travel = kGamepadAxisMax;
    long long half = kGamepadPointerWidth / 2;
    long long offset = (travel - kGamepadDeadZone) * half / (kGamepadAxisMax - kGamepadDeadZone);
    return (int)(stickX < 0 ? half - offset : half + offset);
}

int mapGamepad(const GamepadState& state, long long tick, GamepadMemory* memory, FlightEvent* events)
{
    int count = 0;
    int column = gamepadColumn(state.stickX);
    if (column != memory->column) {
        events[count++] = {(int)tick, kFlightPointer, column, kGamepadPointerWidth};
        memory->column = column;
    }
    bool held[kGamepadButtonCount];
    for (int i = 0; i < kGamepadButtonCount; i++)
        held[i] = state.buttons[i];
    held[kPadUp] = held[kPadUp] || state.stickY < -kGamepadClimbAxis;
    held[kPadDown] = held[kPadDown] || state.stickY > kGamepadClimbAxis;
    bool newTick = tick != memory->lastTick;
    for (int i = 0; i < kGamepadButtonCount; i++) {
        bool pressed = (held[i] && !memory->held[i]) || state.pressedSince[i];
        if (i == kPadUp || i == kPadDown) {
            if (pressed)
                memory->climbSince[i] = tick;
            long long heldFor = tick - memory->climbSince[i];
            pressed = pressed || (held[i] && newTick && heldFor > 0 && heldFor % kGamepadRepeatTicks == 0);
        }
        if (pressed) {
            events[count] = kButtonEvents[i];
            events[count++].tick = (int)tick;
        }
        memory->held[i] = held[i];
    }
    memory->lastTick = tick;
    return count;
}

int releaseGamepad(long long tick, GamepadMemory* memory, FlightEvent* events)
{
    return mapGamepad(GamepadState(), tick, memory, events);
}
