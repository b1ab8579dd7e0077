// gamepad_source_sdl.cpp -- the driving gamepad as one of the ticker's input sources
#include "platform/gamepad_source_sdl.h"

#include "flight/gamepad_input.h"
#include "platform/gamepad_sdl.h"

static FlightEvent read[kGamepadEventSlots];  // the events of the last poll not yet handed over
static int readCount = 0;
static int handed = 0;

static void keep(const FlightEvent& event)
{
    if (readCount < kGamepadEventSlots)
        read[readCount++] = event;
}

static int takePad(long long tick, FlightEvent* events, int capacity)
{
    // The pad is read once a tick: a second call in the same tick hands over what did not fit.
    if (handed == readCount) {
        readCount = 0;
        handed = 0;
        pollGamepads(tick, keep);
    }
    int count = 0;
    while (count < capacity && handed < readCount)
        events[count++] = read[handed++];
    return count;
}

static bool holdsPad()
{
    return handed < readCount;
}

const InputSource& gamepadSource()
{
    static const InputSource source = [] {
        InputSource s = {};
        s.scripted = false;
        s.take = takePad;
        s.holdsEvents = holdsPad;
        return s;
    }();
    return source;
}
