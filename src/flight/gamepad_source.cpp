// gamepad_source.cpp -- a gamepad read once a tick, as one of the ticker's input sources
#include "flight/gamepad_source.h"

#include "flight/gamepad_input.h"

static GamepadReader reader = nullptr;
static FlightEvent read[kGamepadEventSlots];  // the events of the last read not yet handed over
static int readCount = 0;
static int handed = 0;

static int takePad(long long tick, FlightEvent* events, int capacity)
{
    if (handed == readCount) {
        handed = 0;
        readCount = reader != nullptr ? reader(tick, read) : 0;
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

const InputSource& gamepadSourceReading(GamepadReader read)
{
    reader = read;
    static const InputSource source = [] {
        InputSource s = {};
        s.scripted = false;
        s.take = takePad;
        s.holdsEvents = holdsPad;
        return s;
    }();
    return source;
}
