// gamepad_source_sdl.cpp -- the SDL pad read once a tick for the ticker (platform/gamepads.h)
#include "platform/gamepads.h"

#include "flight/gamepad_input.h"
#include "flight/gamepad_source.h"
#include "platform/gamepad_sdl.h"

// The events of one tick's read, gathered from pollGamepads' hand-over.
static FlightEvent* gathered = nullptr;
static int gatheredCount = 0;

static void keep(const FlightEvent& event)
{
    if (gatheredCount < kGamepadEventSlots)
        gathered[gatheredCount++] = event;
}

static int readPad(long long tick, FlightEvent* events)
{
    gathered = events;
    gatheredCount = 0;
    pollGamepads(tick, keep);
    return gatheredCount;
}

const InputSource& gamepadSource()
{
    return gamepadSourceReading(readPad);
}
