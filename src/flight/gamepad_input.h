// gamepad_input.h -- a gamepad's state, read once per tick, turned into flight events
#pragma once

#include "flight/flight_input.h"

// The pad is read as state once per tick; only what changed since the last tick becomes a
// flight event, so a recording holds the same events however often the pad is read, and a
// flight file replays it with no pad. The left stick steers as the pointer does: its x is a
// pointer event at a column of a window kGamepadPointerWidth wide, 0 at full left, the centre
// column at rest, kGamepadPointerWidth at full right, so steer runs from -1 to +1 exactly.
//
//   pad                         flight event            keyboard
//   left stick x                pointer X 65536         mouse across the window
//   D-pad up / stick pushed up  special up, repeated    Up
//   D-pad down / stick down     special down, repeated  Down
//   right shoulder              special page_up         Page Up
//   left shoulder               special page_down       Page Down
//   A / B / X / Y               key w / s / m / b       W / S / M / B
//   Start                       key f                   F
//   Back                        quit                    Q

inline constexpr int kGamepadPointerWidth = 65536;  // columns of the stick's pointer events
inline constexpr int kGamepadAxisMax = 32767;       // an axis runs -32768..32767 (SDL's range)
inline constexpr int kGamepadDeadZone = 8192;       // |x| up to this steers straight
inline constexpr int kGamepadClimbAxis = 16384;     // |y| beyond this climbs or descends
inline constexpr int kGamepadRepeatTicks = 4;       // a held climb steps at once, then every 4 ticks
inline constexpr int kGamepadEventSlots = 16;       // most events one tick can give (12 used)

enum GamepadButton {
    kPadUp, kPadDown, kPadLeftShoulder, kPadRightShoulder,
    kPadA, kPadB, kPadX, kPadY, kPadStart, kPadBack,
};
inline constexpr int kGamepadButtonCount = 10;

struct GamepadState {
    int stickX = 0;  // left stick x, -32768 (left) .. 32767 (right)
    int stickY = 0;  // left stick y, -32768 (up) .. 32767 (down)
    bool buttons[kGamepadButtonCount] = {};  // held, indexed by GamepadButton
    // Pressed at some moment since the last read, held now or not: a tap shorter than a tick
    // still counts, once.
    bool pressedSince[kGamepadButtonCount] = {};
};

// What the mapping remembers of one pad from tick to tick.
struct GamepadMemory {
    int column = kGamepadPointerWidth / 2;  // the stick's last column sent; at rest at first
    bool held[kGamepadButtonCount] = {};    // buttons (and stick climbs) held at the last read
    long long climbSince[2] = {0, 0};       // tick a climb (0) or descent (1) was first held
    long long lastTick = -1;                // tick of the last read
};

// The column of a stick x: the dead zone rests at the centre, the rest of the travel spans
// half the window each way in whole columns (integers, the same on every CPU).
int gamepadColumn(int stickX);

// Compares the pad's state at tick with what memory holds, writes the events of the changes
// (each with that tick) into events and returns how many (at most kGamepadEventSlots). A
// button gives its event when pressed (held now and not at the last read, or pressedSince); a
// held climb or descent again every kGamepadRepeatTicks ticks. A second read in the same tick
// gives no repeat. Updates memory.
int mapGamepad(const GamepadState& state, long long tick, GamepadMemory* memory, FlightEvent* events);

// The events of a pad let go at tick (pulled out, or another taking over): what it held is
// released and a stick off the centre steers straight again, as a pointer event at the centre
// column, so a recording shows it too. Returns how many events (0 or 1); memory is at rest.
int releaseGamepad(long long tick, GamepadMemory* memory, FlightEvent* events);
